#pragma once

#include "gps/SiRFFrame.h"

#include <cstdint>

class CSerialPort;
class IProgressWindow;

// Talks the SiRF binary protocol with the receiver: sends the configuration messages and reads
// the software-version and acknowledgement replies. Reads and writes go through three virtual
// operations, over the serial port unless a subclass says otherwise.
class CSiRFBinary {
public:
    static constexpr int kVersionChars = 80;

    explicit CSiRFBinary(CSerialPort* port);
    virtual ~CSiRFBinary() = default;
    CSiRFBinary(const CSiRFBinary&) = delete;
    CSiRFBinary& operator=(const CSiRFBinary&) = delete;

    // 1 when sent, 0 when the payload is longer than 1024 bytes or the write failed.
    int SendBinary(const uint8_t* payload, int length);
    void ProcessBinaryByte(uint8_t byte) { m_reader.ProcessByte(byte); }
    // Reads what has arrived (up to 2048 bytes) and runs it through the frame reader.
    void PumpBinary();
    // Waits, keeping `progress` responsive, until the receiver acknowledges message `id` (1) or
    // the wall clock in whole seconds has passed the start plus `seconds` (0). It sleeps on the
    // line between checks.
    int WaitForAck(IProgressWindow* progress, int seconds, int id);

    int SendPollSoftwareVersion();
    // source 1 = SBAS, 0 = none.
    int SendDgpsSource(int source);
    // mode 0 = automatic, 2 = never.
    int SendDgpsControl(int mode);
    int SendStaticNavigation(bool enable);
    // Back to NMEA with these rates (seconds, 0 = off) and the low 16 bits of `baud`.
    int SendSwitchToNMEA(int gga, int gsa, int gsv, int rmc, uint32_t baud);

    const char* VersionText() const { return m_versionText; }
    uint32_t VersionCount() const { return m_versionCount; }
    int LastAcknowledgedId() const { return m_lastAcknowledgedId; }
    int ReceiveState() const { return m_reader.ReceiveState(); }

protected:
    virtual int WriteBytes(const uint8_t* buffer, int count);
    virtual int ReadBytes(uint8_t* buffer, int maxBytes);
    // Waits up to `timeoutMs` for something to read.
    virtual void WaitForBytes(int timeoutMs);

private:
    void Dispatch(const uint8_t* payload, int length);

    CSerialPort* m_port;
    CSiRFFrameReader m_reader;
    char m_versionText[kVersionChars + 1] = {};
    uint32_t m_versionCount = 0;
    int m_lastAcknowledgedId = 0;
};
