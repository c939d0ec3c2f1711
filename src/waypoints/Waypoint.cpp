#include "waypoints/Waypoint.h"

#include "platform/Clock.h"

const char kDefaultWaypointName[] = "Untitled";
const char kDefaultAlarmSoundFile[] = "Alarm1.wav";
const char kDefaultWaypointURL[] = "https://wendrift.org/";

CWaypoint::CWaypoint()
    : strName(QString::fromLatin1(kDefaultWaypointName)),
      strSoundFile(QString::fromLatin1(kDefaultAlarmSoundFile)),
      strURL(QString::fromLatin1(kDefaultWaypointURL))
{}

CWaypoint::CWaypoint(const GeoPosition& position_, const QString& strName_, int32_t icon_,
                     bool bActiveWaypoint_, double dActiveWPDistance_, const QString& strSoundFile_,
                     const QString& strDescription_, int32_t nType_, int32_t nGeocacheState_,
                     int32_t timeGeochacheFound_, bool bUseGeocacheStateForIconID_,
                     const QString& strURL_, int32_t timeWaypoint_,
                     int32_t nActiveWaypointMessageType_, const GeocacheInfo& geocache_,
                     const QString& strFieldNotes_)
    : position(position_), strName(strName_), icon(icon_), bActiveWaypoint(bActiveWaypoint_),
      dActiveWPDistance(dActiveWPDistance_), strDescription(strDescription_),
      strSoundFile(strSoundFile_), nType(nType_), nGeocacheState(nGeocacheState_),
      timeGeochacheFound(timeGeochacheFound_),
      bUseGeocacheStateForIconID(bUseGeocacheStateForIconID_), strURL(strURL_),
      timeWaypoint(timeWaypoint_), nActiveWaypointMessageType(nActiveWaypointMessageType_),
      geocache(geocache_), strFieldNotes(strFieldNotes_)
{}

CWaypoint::CWaypoint(const CWaypoint& other) = default;
CWaypoint::CWaypoint(CWaypoint&& other) noexcept = default;
CWaypoint::~CWaypoint() = default;

// Member by member rather than defaulted: the target of an assignment keeps its bAlarmLatched.
template <typename Source> static void AssignAllButLatch(CWaypoint& to, Source&& from)
{
    to.bArrived = from.bArrived;
    to.position = from.position;
    to.strName = std::forward<Source>(from).strName;
    to.icon = from.icon;
    to.bActiveWaypoint = from.bActiveWaypoint;
    to.dActiveWPDistance = from.dActiveWPDistance;
    to.strDescription = std::forward<Source>(from).strDescription;
    to.strSoundFile = std::forward<Source>(from).strSoundFile;
    to.nType = from.nType;
    to.nGeocacheState = from.nGeocacheState;
    to.timeGeochacheFound = from.timeGeochacheFound;
    to.bUseGeocacheStateForIconID = from.bUseGeocacheStateForIconID;
    to.strURL = std::forward<Source>(from).strURL;
    to.timeWaypoint = from.timeWaypoint;
    to.nActiveWaypointMessageType = from.nActiveWaypointMessageType;
    to.geocache = std::forward<Source>(from).geocache;
    to.strFieldNotes = std::forward<Source>(from).strFieldNotes;
    to.nReserved = from.nReserved;
    to.nID = from.nID;
    to.dDistance = from.dDistance;
}

CWaypoint& CWaypoint::operator=(const CWaypoint& other)
{
    if (this != &other)
        AssignAllButLatch(*this, other);
    return *this;
}

CWaypoint& CWaypoint::operator=(CWaypoint&& other) noexcept
{
    if (this != &other)
        AssignAllButLatch(*this, std::move(other));
    return *this;
}

int32_t CWaypoint::ResolveIcon()
{
    if (!bUseGeocacheStateForIconID)
        return icon;
    // Icons of states 1 to 16; state 0 depends on the cache's availability and age.
    static constexpr int32_t kIconOfState[kGeocacheStateCount] = {
        -1, 25, 26, 84, 85, 83, 86, 88, 94, 105, 112, 113, 114, 115, 116, 117, 123};
    if (nGeocacheState < 0 || nGeocacheState >= kGeocacheStateCount)
        return icon;
    if (nGeocacheState != 0) {
        icon = kIconOfState[nGeocacheState];
        return icon;
    }
    constexpr int32_t kArchivedIcon = 85, kNewIcon = 86, kFutureIcon = 87, kGeocacheIcon = 24;
    constexpr uint32_t kNewForSeconds = 30u * 24 * 3600;
    if (geocache.bArchived || !geocache.bAvailable) {
        icon = kArchivedIcon;
        return icon;
    }
    const int64_t now = Clock::Now();
    // An unsigned 32-bit age: a time in the future gives a huge age, so it is not "new".
    if (static_cast<uint32_t>(now) - static_cast<uint32_t>(timeWaypoint) < kNewForSeconds)
        icon = kNewIcon;
    else if (now < timeWaypoint)
        icon = kFutureIcon;
    else
        icon = kGeocacheIcon;
    return icon;
}

const char* const* GetIconTable()
{
    static const char* const table[kIconCount + 1] = {"Waypoint",
                                                      "Home/Residence",
                                                      "National Park",
                                                      "Bar/Pub",
                                                      "Airport",
                                                      "Parking Area",
                                                      "Picnic Area",
                                                      "Forest",
                                                      "Hiking Trail",
                                                      "Fishing Area",
                                                      "Drinking Water",
                                                      "Camping Area",
                                                      "Danger Area",
                                                      "4 Wheel Drive Road",
                                                      "Gas Station",
                                                      "Car",
                                                      "Food",
                                                      "Marina",
                                                      "Mine",
                                                      "Green Flag",
                                                      "Red Flag",
                                                      "Golf Course",
                                                      "Scenic View",
                                                      "Do Not",
                                                      "Geocache",
                                                      "Geocache-Found",
                                                      "Geocache-Attemted",
                                                      "Medical Center",
                                                      "Auto Service",
                                                      "Telephone Service",
                                                      "Summit",
                                                      "Restroom",
                                                      "Building - Large",
                                                      "Building - Small",
                                                      "Amusement Park",
                                                      "Shopping Center",
                                                      "Park",
                                                      "Barber Shop",
                                                      "Target",
                                                      "Tank",
                                                      "Explosion",
                                                      "Marker 01",
                                                      "Marker 02",
                                                      "Marker 03",
                                                      "Marker 04",
                                                      "Marker 05",
                                                      "Marker 06",
                                                      "Marker 07",
                                                      "Marker 08",
                                                      "Marker 09",
                                                      "Marker 10",
                                                      "Lake",
                                                      "Ocean",
                                                      "Camera - Speed",
                                                      "Camera - Red Light",
                                                      "Camera - Roadside",
                                                      "Bridge",
                                                      "Roadblock",
                                                      "Museum",
                                                      "Antenna",
                                                      "Hotel/Motel",
                                                      "Club",
                                                      "Trailer Parking",
                                                      "Post Office",
                                                      "Ranger Station",
                                                      "Skiing",
                                                      "Dot",
                                                      "Earthquake Fault",
                                                      "Water Stream/Creek",
                                                      "Tsunami and Flood Damage",
                                                      "Military",
                                                      "Ghost Town",
                                                      "Bird Watching",
                                                      "Boat Ramp",
                                                      "Telephone Pole",
                                                      "Cell Site",
                                                      "Radio Repeater",
                                                      "Data Collection Station",
                                                      "HAM Radio Shack",
                                                      "Parachute Area",
                                                      "Wireless Hotspot",
                                                      "Rest Stop",
                                                      "Weather Station",
                                                      "Geocache-Found and Logged",
                                                      "Geocache-ToDo",
                                                      "Geocache-Archived",
                                                      "Geocache-New and Not Found",
                                                      "Geocache-Future Cache",
                                                      "Geocache-My Cache",
                                                      "Helipad",
                                                      "Building - Government",
                                                      "Light Pole",
                                                      "Bank",
                                                      "Rocks",
                                                      "Geocache-Multi",
                                                      "Radiator Water",
                                                      "Point of Interest",
                                                      "Direction Left",
                                                      "Direction Right",
                                                      "Direction Straight",
                                                      "Benchmark",
                                                      "Rock Climbing",
                                                      "Lighthouse",
                                                      "Zoo",
                                                      "Border Crossing",
                                                      "Geocache-First to Find",
                                                      "Trash",
                                                      "Train Station",
                                                      "Bus Stop/Station",
                                                      "Cemetery",
                                                      "Stadium",
                                                      "Information",
                                                      "Geocache-Milestone",
                                                      "Geocache-Unknown",
                                                      "Geocache-Virtual",
                                                      "Geocache-Letterbox",
                                                      "Geocache-Earthcache",
                                                      "Geocache-Mystery",
                                                      "Fire Lookout Tower",
                                                      "Police",
                                                      "School",
                                                      "Fire Damage",
                                                      "Finish",
                                                      "Geocache-Bonus",
                                                      "Aerial Tramway",
                                                      "Religious-Church",
                                                      "Religious-Jewish Temple",
                                                      "Religious-Mosque",
                                                      "Religious-Buddhist Temple",
                                                      "Projected Waypoint",
                                                      "Beach",
                                                      "Microphone",
                                                      "Speaker",
                                                      "Ship Wreck",
                                                      "Castle",
                                                      "Tower",
                                                      "Roundabout",
                                                      "Ruins",
                                                      "Traffic Light",
                                                      "City - Small",
                                                      "City - Medium",
                                                      "City - Large",
                                                      "Stables",
                                                      "Ferry",
                                                      nullptr};
    return table;
}

const char* const* GetGeocacheStateTable()
{
    static const char* const table[kGeocacheStateCount + 1] = {"Geocache Not Found",
                                                               "Geocache Found",
                                                               "Geocache Attempted",
                                                               "Geocache To Do",
                                                               "Geocache Archived",
                                                               "Geocache Found and Logged",
                                                               "Geocache New and Not Found",
                                                               "Geocache My Cache (Mine)",
                                                               "Geocache Multi",
                                                               "Geocache First to Find",
                                                               "Geocache Milestone",
                                                               "Geocache Unknown",
                                                               "Geocache Virtual",
                                                               "Geocache Letterbox",
                                                               "Geocache Earthcache",
                                                               "Geocache Mystery",
                                                               "Geocache Bonus",
                                                               nullptr};
    return table;
}

const char* const* GetAlarmMessageTypeTable()
{
    static const char* const table[kAlarmMessageTypeCount + 1] = {"Compass and Direction",
                                                                  "Analog Speedometer",
                                                                  "Digital Speedometer",
                                                                  "Compass and Direction-Warning",
                                                                  "Analog Speedometer-Warning",
                                                                  "Digital Speedometer-Warning",
                                                                  nullptr};
    return table;
}
