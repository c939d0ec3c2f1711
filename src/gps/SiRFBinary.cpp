#include "gps/SiRFBinary.h"

#include "gps/ProgressWindow.h"
#include "gps/SerialPort.h"

#include <chrono>
#include <thread>

namespace {

constexpr uint8_t kVersionReply = 0x06;
constexpr uint8_t kAcknowledgement = 0x0B;
constexpr int kPumpBytes = 2048;
constexpr int kAckPollMs = 20;

int64_t WholeSecondsNow()
{
    using namespace std::chrono;
    return duration_cast<seconds>(steady_clock::now().time_since_epoch()).count();
}

} // namespace

CSiRFBinary::CSiRFBinary(CSerialPort* port)
    : m_port(port),
      m_reader([this](const uint8_t* payload, int length) { Dispatch(payload, length); })
{}

int CSiRFBinary::SendBinary(const uint8_t* payload, int length)
{
    const QByteArray frame = BuildSiRFFrame(payload, length);
    if (frame.isEmpty())
        return 0;
    const int count = static_cast<int>(frame.size());
    return WriteBytes(reinterpret_cast<const uint8_t*>(frame.constData()), count) == count ? 1 : 0;
}

void CSiRFBinary::PumpBinary()
{
    uint8_t buffer[kPumpBytes];
    const int count = ReadBytes(buffer, kPumpBytes);
    for (int i = 0; i < count; ++i)
        ProcessBinaryByte(buffer[i]);
}

int CSiRFBinary::WaitForAck(IProgressWindow* progress, int seconds, int id)
{
    m_lastAcknowledgedId = id ^ 0xFF;
    const int64_t start = WholeSecondsNow();
    for (;;) {
        if (progress)
            progress->KeepResponsive();
        PumpBinary();
        if (m_lastAcknowledgedId == id)
            return 1;
        if (WholeSecondsNow() > start + seconds)
            return 0;
        WaitForBytes(kAckPollMs);
    }
}

void CSiRFBinary::Dispatch(const uint8_t* payload, int length)
{
    if (length < 1)
        return;
    if (payload[0] == kVersionReply) {
        // Only the bytes the reply carries; a short reply must not pick up an older one's tail.
        int n = 0;
        for (; n < kVersionChars && n + 1 < length && payload[n + 1] != 0; ++n)
            m_versionText[n] = static_cast<char>(payload[n + 1]);
        m_versionText[n] = '\0';
        ++m_versionCount;
    } else if (payload[0] == kAcknowledgement && length >= 2) {
        m_lastAcknowledgedId = payload[1];
    }
}

int CSiRFBinary::SendPollSoftwareVersion()
{
    const uint8_t payload[] = {0x84, 0x00};
    return SendBinary(payload, sizeof payload);
}

int CSiRFBinary::SendDgpsSource(int source)
{
    // Source, beacon frequency 0 (32-bit big-endian), beacon bit rate 50.
    const uint8_t payload[] = {0x85, static_cast<uint8_t>(source), 0, 0, 0, 0, 50};
    return SendBinary(payload, sizeof payload);
}

int CSiRFBinary::SendDgpsControl(int mode)
{
    const uint8_t payload[] = {0x8A, static_cast<uint8_t>(mode), 0};
    return SendBinary(payload, sizeof payload);
}

int CSiRFBinary::SendStaticNavigation(bool enable)
{
    const uint8_t payload[] = {0x8F, static_cast<uint8_t>(enable ? 1 : 0)};
    return SendBinary(payload, sizeof payload);
}

int CSiRFBinary::SendSwitchToNMEA(int gga, int gsa, int gsv, int rmc, uint32_t baud)
{
    auto rate = [](int seconds) { return static_cast<uint8_t>(seconds); };
    // Mode 1, then (rate, checksum on) for GGA, GLL, GSA, GSV, RMC, VTG, MSS, two unused bytes,
    // ZDA, two more unused bytes, and the baud rate.
    const uint8_t payload[] = {0x81,
                               1,
                               rate(gga),
                               1,
                               0,
                               1,
                               rate(gsa),
                               1,
                               rate(gsv),
                               1,
                               rate(rmc),
                               1,
                               0,
                               1,
                               0,
                               1,
                               0,
                               0,
                               0,
                               1,
                               0,
                               0,
                               static_cast<uint8_t>(baud >> 8),
                               static_cast<uint8_t>(baud & 0xFF)};
    static_assert(sizeof payload == 24);
    return SendBinary(payload, sizeof payload);
}

int CSiRFBinary::WriteBytes(const uint8_t* buffer, int count)
{
    return m_port ? m_port->Write(buffer, count) : 0;
}

int CSiRFBinary::ReadBytes(uint8_t* buffer, int maxBytes)
{
    return m_port ? m_port->Read(buffer, maxBytes) : 0;
}

void CSiRFBinary::WaitForBytes(int timeoutMs)
{
    if (m_port && m_port->IsOpen())
        m_port->WaitReadable(timeoutMs);
    else
        std::this_thread::sleep_for(std::chrono::milliseconds(timeoutMs));
}
