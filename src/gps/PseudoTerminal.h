#pragma once

#include <QString>

#include <cstdint>

// A pseudo-terminal pair that plays the part of a serial line: the program under test opens
// the slave path like any device, the receiver side reads and writes the master. The slave is
// held open in raw mode, so its line settings stay readable and nothing is echoed back.
class CPseudoTerminal {
public:
    CPseudoTerminal() = default;
    ~CPseudoTerminal();
    CPseudoTerminal(const CPseudoTerminal&) = delete;
    CPseudoTerminal& operator=(const CPseudoTerminal&) = delete;

    // False (with errno set) when no pseudo-terminal could be made.
    bool Open();
    bool IsOpen() const { return m_master >= 0; }
    QString SlavePath() const { return m_slavePath; }

    // Non-blocking: bytes written (what does not fit is dropped, as on a line nobody reads).
    int Write(const char* bytes, int count);
    int Write(const QByteArray& bytes);
    // Non-blocking: bytes read from the other side, 0 when none.
    int Read(char* buffer, int maxBytes);
    // Waits up to `timeoutMs` for the other side to write.
    bool WaitReadable(int timeoutMs) const;
    // Bytes written that the other side has not read yet.
    int PendingForOtherSide() const;
    // The line speed the other side set on the slave (0 when unknown).
    uint32_t SlaveBaud() const;

private:
    int m_master = -1;
    int m_slave = -1;
    QString m_slavePath;
};
