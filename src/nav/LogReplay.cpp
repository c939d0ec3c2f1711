#include "nav/LogReplay.h"

#include "gps/GnssTalkersSetting.h"
#include "nav/FixTime.h"
#include "platform/Clock.h"
#include "platform/Messages.h"

#include <algorithm>

namespace {
// More messages than a chunk of 128 bytes can bring; the queue never grows past it.
constexpr size_t kQueueReserve = 64;
} // namespace

CLogReplay::CLogReplay(bool driveClock)
    : m_driveClock(driveClock), m_parser(this), m_navigation(m_store, this),
      m_processor(m_parser, m_tripComputer, m_navigation, m_track)
{
    m_queue.reserve(kQueueReserve);
    m_processor.SetAlarmOutput(this);
}

void CLogReplay::Start()
{
    m_parser.SetGnssTalkers(ReadGnssTalkersSetting());
    m_processor.Start();
}

void CLogReplay::Feed(const uint8_t* bytes, size_t count)
{
    for (size_t at = 0; at < count; at += kChunkBytes) {
        m_parser.ProcessBytes(bytes + at, std::min(kChunkBytes, count - at));
        DeliverQueued();
    }
}

void CLogReplay::Feed(const QByteArray& bytes)
{
    Feed(reinterpret_cast<const uint8_t*>(bytes.constData()), static_cast<size_t>(bytes.size()));
}

void CLogReplay::Post(uint32_t message)
{
    switch (message) {
    case WM_GPS_GGA:
        m_queue.push_back({message, 0});
        break;
    case WM_GPS_UPDATE:
        // Follows the sentence once it is counted: the number of a GGA just queued.
        if (!m_queue.empty() && m_queue.back().message == WM_GPS_GGA && m_queue.back().n == 0)
            m_queue.back().n = m_parser.GetSentenceCount();
        break;
    case WM_WAYPOINT_ALARM:
        m_queue.push_back({message, m_delivering});
        break;
    default:
        break;
    }
}

void CLogReplay::DeliverQueued()
{
    // Handling a message may queue another (an alarm), which is delivered in turn.
    for (size_t i = 0; i < m_queue.size(); ++i) {
        const QueuedMessage queued = m_queue[i];
        m_delivering = queued.n;
        if (queued.message == WM_GPS_GGA)
            HandleGGA(queued.n);
        else
            m_processor.OnWaypointAlarm();
    }
    m_queue.clear();
}

void CLogReplay::HandleGGA(uint32_t n)
{
    if (m_driveClock) {
        if (const uint32_t stamp = FixTimeStamp(m_parser))
            Clock::Pin(stamp);
    }
    const GgaState& gga = m_parser.Gga();
    const int second = gga.hour * 3600 + gga.minute * 60 + gga.second;
    if (m_lastGgaSecond >= 0 && second != m_lastGgaSecond) {
        m_delivering = m_lastGgaN;
        Report(m_processor.OnCheckTimer(), m_lastGgaN);
        m_delivering = n;
    }
    m_lastGgaSecond = second;
    m_lastGgaN = n;
    Report(m_processor.OnGpsGGA(), n);
}

void CLogReplay::Report(ArrivalCheck arrival, uint32_t n)
{
    if (!m_events)
        return;
    if (arrival == ArrivalCheck::Arrived)
        m_events->Arrived(m_navigation.Target(), n);
    else if (arrival == ArrivalCheck::Stopped)
        m_events->NavigationStopped(n);
}

void CLogReplay::ShowWaypointAlarm(const CWaypoint& waypoint)
{
    if (m_events)
        m_events->Alarm(waypoint, m_delivering);
}

uint32_t FirstFixTimeStamp(const QByteArray& log)
{
    // Taken once the first RMC has been counted, while the GGA before it is still the latest.
    class FirstRmc : public IMessageSink {
    public:
        explicit FirstRmc(const CNMEAParser& parser) : m_parser(parser) {}
        void Post(uint32_t message) override
        {
            if (message == WM_GPS_RMC) {
                m_rmcDecoded = true;
            } else if (message == WM_GPS_UPDATE && m_rmcDecoded && !found) {
                stamp = FixTimeStamp(m_parser);
                found = true;
            }
        }
        uint32_t stamp = 0;
        bool found = false;

    private:
        const CNMEAParser& m_parser;
        bool m_rmcDecoded = false;
    };

    CNMEAParser parser;
    FirstRmc first(parser);
    parser.SetMessageSink(&first);
    const auto* bytes = reinterpret_cast<const uint8_t*>(log.constData());
    const auto size = static_cast<size_t>(log.size());
    for (size_t at = 0; at < size && !first.found; at += CLogReplay::kChunkBytes)
        parser.ProcessBytes(bytes + at, std::min(CLogReplay::kChunkBytes, size - at));
    return first.stamp;
}
