#pragma once

#include <QString>

#include <cstdint>

// Where the link's bytes come from: a serial device, a playback file, a TCP stream or gpsd. One
// thread at a time uses a source (the reader thread, or the owner while none runs); the link
// opens it, hands it to the reader thread and destroys it after that thread has ended.
class IByteSource {
public:
    virtual ~IByteSource() = default;

    // Whatever has arrived, at most `maxBytes`; 0 when nothing has (never waits).
    virtual int Read(uint8_t* buffer, int maxBytes) = 0;
    // Sends `count` bytes to the receiver; the number sent.
    virtual int Write(const uint8_t* buffer, int count) = 0;
    // Waits up to `timeoutMs` for bytes to read; false on time-out.
    virtual bool WaitReadable(int timeoutMs) = 0;
    // What went wrong since the last call (a connection refused or dropped), empty when
    // nothing did. Silence that follows is the watchdog's business.
    virtual QString TakeProblem() { return {}; }
};
