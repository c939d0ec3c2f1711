#pragma once

#include "gps/NMEAParser.h"
#include "nav/MapHooks.h"
#include "nav/Navigation.h"
#include "nav/PositionProcessor.h"
#include "nav/TrackLog.h"
#include "nav/TripComputer.h"
#include "platform/MessageSink.h"
#include "waypoints/WaypointDB.h"

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <vector>

// What a replay reports. `n` is the number of the GGA sentence (counting every sentence from 1,
// as `wendrift-cli decode` does) whose handling, or the check after which, raised the event.
class IReplayEvents {
public:
    virtual ~IReplayEvents() = default;
    virtual void Arrived(const CWaypoint& target, uint32_t n) = 0;
    virtual void NavigationStopped(uint32_t n) = 0;
    virtual void Alarm(const CWaypoint& waypoint, uint32_t n) = 0;
};

// An NMEA recording played through the decoder and the map window's per-fix work, without
// windows: the objects the map window and its view own, and a message queue in place of the
// window's, delivered after each chunk of bytes as the event loop would. The view's one-second
// check timer is taken to fire once between two GGA sentences of different seconds.
class CLogReplay : private IMessageSink, private IWaypointAlarmOutput {
public:
    static constexpr size_t kChunkBytes = 128; // what the serial link reads at a time

    // With `driveClock`, Clock is pinned to the time of each GGA (see FixTimeStamp) before
    // it is handled.
    explicit CLogReplay(bool driveClock);
    CLogReplay(const CLogReplay&) = delete;
    CLogReplay& operator=(const CLogReplay&) = delete;

    void SetEvents(IReplayEvents* events) { m_events = events; }

    // Reads the settings, as the map window (and the main frame, for the decoder) do when they
    // are created.
    void Start();
    // Runs `bytes` through in chunks of kChunkBytes.
    void Feed(const uint8_t* bytes, size_t count);
    void Feed(const QByteArray& bytes);

    const CNMEAParser& Parser() const { return m_parser; }
    CWaypointDB& Store() { return m_store; }
    CTrackLog& Track() { return m_track; }
    CTripComputer& TripComputer() { return m_tripComputer; }
    CNavigation& Navigation() { return m_navigation; }
    CPositionProcessor& Processor() { return m_processor; }

private:
    struct QueuedMessage {
        uint32_t message;
        uint32_t n;
    };

    void Post(uint32_t message) override;
    void ShowWaypointAlarm(const CWaypoint& waypoint) override;
    void DeliverQueued();
    void HandleGGA(uint32_t n);
    void Report(ArrivalCheck arrival, uint32_t n);

    bool m_driveClock;
    CNMEAParser m_parser;
    CWaypointDB m_store;
    CTrackLog m_track;
    CTripComputer m_tripComputer;
    CNavigation m_navigation;
    CPositionProcessor m_processor;
    IReplayEvents* m_events = nullptr;
    std::vector<QueuedMessage> m_queue;
    uint32_t m_delivering = 0; // n of the message being delivered
    uint32_t m_lastGgaN = 0;
    int m_lastGgaSecond = -1;
};

// The time stamp of the first fix of `log` that has a date, for the clock a replay starts at; 0
// when the log has no RMC sentence.
uint32_t FirstFixTimeStamp(const QByteArray& log);
