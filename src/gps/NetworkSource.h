#pragma once

#include "gps/ByteSource.h"
#include "gps/SourceUrl.h"

#include <memory>

class CHostLookup;
struct addrinfo;

// A TCP stream of NMEA, or gpsd's raw NMEA: asked for with ?WATCH and freed of gpsd's own JSON
// reports. Nothing waits: the host is looked up and connected to while the reader polls, so a
// slow or refused connection reads as silence (the watchdog's loss) with a problem to report.
class CNetworkSource : public IByteSource {
public:
    explicit CNetworkSource(SourceUrl url);
    ~CNetworkSource() override;
    CNetworkSource(const CNetworkSource&) = delete;
    CNetworkSource& operator=(const CNetworkSource&) = delete;

    int Read(uint8_t* buffer, int maxBytes) override;
    // Sends to a TCP stream (a receiver on the other end may take commands); nothing to gpsd.
    int Write(const uint8_t* buffer, int count) override;
    bool WaitReadable(int timeoutMs) override;
    QString TakeProblem() override;

private:
    enum class State { LookingUp, Connecting, Streaming, Failed };

    // Moves the lookup and the connection on as far as they go without waiting.
    void Advance();
    // Starts connecting to the next address of the lookup.
    void ConnectNext();
    void Connected();
    void Fail(const char* text, const QString& detail = {});
    // Drops the lines gpsd begins with "{" from `count` bytes in place; what is left.
    int KeepNmea(uint8_t* bytes, int count);

    SourceUrl m_url;
    State m_state = State::LookingUp;
    std::unique_ptr<CHostLookup> m_lookup;
    const addrinfo* m_nextAddress = nullptr;
    int m_fd = -1;
    int m_connectError = 0;
    QString m_problem;
    bool m_atLineStart = true;
    bool m_inReport = false;
};
