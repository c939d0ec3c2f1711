#pragma once

#include "geo/GeoPosition.h"

#include <QString>

#include <array>
#include <cstdint>

// One geocache log entry. A record holds kGeocacheLogSlots of them, slot 0 first; an unused
// slot keeps its defaults.
struct GeocacheLog {
    QString strLogText;
    uint8_t nLogType = 0; // 0 other, 1 Found it, 2 Write note, 3 Will Attend, 4 Attended, 5 Disable
    bool bLogTextEncoded = false;
    int32_t timeLogDate = 0; // seconds since 1970-01-01 UTC
    QString strLogFinder;
};

constexpr int kGeocacheLogSlots = 5;

// The geocaching details of a waypoint, as the geocaching extensions of GPX files carry them.
struct GeocacheInfo {
    QString strLongDescription;
    bool bLongDescriptionHTML = false;
    QString strShortDescription;
    bool bShortDescriptionHTML = false;
    QString strCacheName;
    QString strPlacedBy;
    QString strCacheType;    // the groundspeak:type text as it came
    uint8_t nDifficulty = 0; // rating x 10: 1.5 is held as 15
    uint8_t nTerrain = 0;    // rating x 10
    QString strContainer;
    QString strCountry;
    QString strState;
    QString strEncodedHints; // as it came, not decoded
    bool bAvailable = true;
    bool bArchived = false;
    std::array<GeocacheLog, kGeocacheLogSlots> logs;
};

// Values of nType.
constexpr int32_t kWaypointTypeOrdinary = 0;
constexpr int32_t kWaypointTypeGeocache = 1;

// The waypoint record. Fields marked "run time" are never written to any file.
class CWaypoint {
public:
    CWaypoint();
    // Every stored field, in the order of the database file record; the run-time fields,
    // nReserved and nID start at zero. Readers of files build their records through this.
    CWaypoint(const GeoPosition& position, const QString& strName, int32_t icon,
              bool bActiveWaypoint, double dActiveWPDistance, const QString& strSoundFile,
              const QString& strDescription, int32_t nType, int32_t nGeocacheState,
              int32_t timeGeochacheFound, bool bUseGeocacheStateForIconID, const QString& strURL,
              int32_t timeWaypoint, int32_t nActiveWaypointMessageType,
              const GeocacheInfo& geocache, const QString& strFieldNotes);
    // Copies every field, the run-time ones included.
    CWaypoint(const CWaypoint& other);
    CWaypoint(CWaypoint&& other) noexcept;
    // Copies every field except bAlarmLatched: a record that takes another's contents keeps its
    // own alarm state (nID and dDistance are copied).
    CWaypoint& operator=(const CWaypoint& other);
    CWaypoint& operator=(CWaypoint&& other) noexcept;
    virtual ~CWaypoint();

    // The icon id to draw. A record that follows its geocache state (bUseGeocacheStateForIconID)
    // also stores the derived id in `icon`; "now" comes from Clock::Now().
    int32_t ResolveIcon();

    bool bAlarmLatched = false; // run time: the proximity alarm fired and is not re-armed yet
    bool bArrived = false;      // run time: on the navigation target, arrival was announced
    GeoPosition position;
    QString strName;
    int32_t icon = 0;                  // index into GetIconTable()
    bool bActiveWaypoint = false;      // the proximity alarm is armed
    double dActiveWPDistance = 0.3048; // alarm radius, km (1000 feet)
    QString strDescription;
    QString strSoundFile;
    int32_t nType = kWaypointTypeOrdinary;
    int32_t nGeocacheState = 0;     // index into GetGeocacheStateTable()
    int32_t timeGeochacheFound = 0; // seconds since 1970-01-01 UTC; 0 = never
    bool bUseGeocacheStateForIconID = false;
    QString strURL;
    int32_t timeWaypoint = 0;               // seconds since 1970-01-01 UTC; 0 = none
    int32_t nActiveWaypointMessageType = 0; // index into GetAlarmMessageTypeTable()
    GeocacheInfo geocache;
    QString strFieldNotes;
    int32_t nReserved = 0;
    int32_t nID = 0;        // run time: handed out by the store on insertion
    double dDistance = 0.0; // run time: km from the current position, set by the manager's list
};

// Name tables indexed by number, each ending with a null entry.
constexpr int kIconCount = 144;
constexpr int kGeocacheStateCount = 17;
constexpr int kAlarmMessageTypeCount = 6;

const char* const* GetIconTable();             // kIconCount names + nullptr
const char* const* GetGeocacheStateTable();    // kGeocacheStateCount names + nullptr
const char* const* GetAlarmMessageTypeTable(); // kAlarmMessageTypeCount names + nullptr

// Defaults a new record starts with.
extern const char kDefaultWaypointName[];   // "Untitled"
extern const char kDefaultAlarmSoundFile[]; // "Alarm1.wav"
extern const char kDefaultWaypointURL[];
