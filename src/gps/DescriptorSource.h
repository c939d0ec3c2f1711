#pragma once

#include "gps/ByteSource.h"

// A source on an open file descriptor: a serial device or a playback file. Closes it when
// destroyed.
class CDescriptorSource : public IByteSource {
public:
    // Takes `fd` over; `terminal` when it is a serial device held in exclusive mode.
    CDescriptorSource(int fd, bool terminal);
    ~CDescriptorSource() override;
    CDescriptorSource(const CDescriptorSource&) = delete;
    CDescriptorSource& operator=(const CDescriptorSource&) = delete;

    int Read(uint8_t* buffer, int maxBytes) override;
    // With a time-out of 10 ms per byte plus one second.
    int Write(const uint8_t* buffer, int count) override;
    bool WaitReadable(int timeoutMs) override;

private:
    int m_fd;
    bool m_terminal;
};
