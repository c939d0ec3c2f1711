#pragma once

#include <cstddef>
#include <cstdint>

// Where the parser copies every chunk it is fed (the NMEA log). Implemented by the log file.
class IRawDataSink {
public:
    virtual ~IRawDataSink() = default;
    // Writes the whole chunk; a zero-length chunk is a zero-length write.
    virtual void WriteChunk(const uint8_t* bytes, size_t count) = 0;
};
