#include "waypoints/GpxImport.h"

#include "waypoints/ImportNumbers.h"
#include "waypoints/WaypointImportMerge.h"
#include "waypoints/XmlTimeText.h"
#include "waypoints/XmlWaypointFile.h"

#include <cstring>
#include <string>
#include <string_view>
#include <unordered_map>

namespace {

// The elements the reader knows. Field elements name the record field their text goes to.
enum class Element {
    Other,
    Wpt,
    Cache,
    Logs,
    Log,
    Extension,    // orvalis:waypoint
    ExtensionEnd, // "orvalis", the name whose end closes the extension block
    Link,         // GPX 1.1: the URL is the href attribute
    // Plain GPX fields.
    Ele,
    Name,
    Desc,
    Sym,
    Url,
    Type,
    Time,
    // The export's extension fields.
    Icon,
    GeocacheState,
    IconFromState,
    ActiveWaypoint,
    SoundFile,
    MessageType,
    AlarmDistance,
    WaypointType,
    FoundTime,
    URL,
    FieldNotes,
    // Cache details.
    LongDescription,
    ShortDescription,
    CacheName,
    PlacedBy,
    GroundspeakType, // the cache type in the cache, the log type in a log
    Difficulty,
    Terrain,
    Container,
    Country,
    State,
    EncodedHints,
    // Log fields.
    LogText,
    LogDate,
    LogFinder,
};

// The field whose text the open element carries.
enum class Field {
    None,
    Ele,
    Name,
    Desc,
    Sym,
    Url,
    Type,
    Time,
    Icon,
    GeocacheState,
    IconFromState,
    ActiveWaypoint,
    SoundFile,
    MessageType,
    AlarmDistance,
    WaypointType,
    FoundTime,
    URL,
    FieldNotes,
    LongDescription,
    ShortDescription,
    CacheName,
    PlacedBy,
    CacheType,
    Difficulty,
    Terrain,
    Container,
    Country,
    State,
    EncodedHints,
    LogText,
    LogType,
    LogDate,
    LogFinder,
};

Element ElementOf(const char* name)
{
    static const std::unordered_map<std::string_view, Element> kElements = {
        {"wpt", Element::Wpt},
        {"groundspeak:cache", Element::Cache},
        {"groundspeak:logs", Element::Logs},
        {"groundspeak:log", Element::Log},
        {"orvalis:waypoint", Element::Extension},
        {"orvalis", Element::ExtensionEnd},
        {"link", Element::Link},
        {"ele", Element::Ele},
        {"name", Element::Name},
        {"desc", Element::Desc},
        {"sym", Element::Sym},
        {"url", Element::Url},
        {"type", Element::Type},
        {"time", Element::Time},
        {"orvalis:icon", Element::Icon},
        {"orvalis:nGeocacheState", Element::GeocacheState},
        {"orvalis:bUseGeocacheStateForIconID", Element::IconFromState},
        {"orvalis:bActiveWaypoint", Element::ActiveWaypoint},
        {"orvalis:strSoundFile", Element::SoundFile},
        {"orvalis:nActiveWaypointMessageType", Element::MessageType},
        {"orvalis:dActiveWPDistance", Element::AlarmDistance},
        {"orvalis:nType", Element::WaypointType},
        {"orvalis:timeGeochacheFound", Element::FoundTime},
        {"orvalis:strURL", Element::URL},
        {"orvalis:strFieldNotes", Element::FieldNotes},
        {"groundspeak:long_description", Element::LongDescription},
        {"groundspeak:short_description", Element::ShortDescription},
        {"groundspeak:name", Element::CacheName},
        {"groundspeak:placed_by", Element::PlacedBy},
        {"groundspeak:type", Element::GroundspeakType},
        {"groundspeak:difficulty", Element::Difficulty},
        {"groundspeak:terrain", Element::Terrain},
        {"groundspeak:container", Element::Container},
        {"groundspeak:country", Element::Country},
        {"groundspeak:state", Element::State},
        {"groundspeak:encoded_hints", Element::EncodedHints},
        {"groundspeak:text", Element::LogText},
        {"groundspeak:date", Element::LogDate},
        {"groundspeak:finder", Element::LogFinder},
    };
    const auto found = kElements.find(name);
    return found == kElements.end() ? Element::Other : found->second;
}

// GPX sym texts and the icons they stand for; any other text is icon 0.
int32_t IconOfSymbol(std::string_view symbol)
{
    static const std::unordered_map<std::string_view, int32_t> kSymbols = {
        {"Airport", 4},
        {"Beach", 130},
        {"Boat Ramp", 73},
        {"Building", 32},
        {"Bar", 3},
        {"Bridge", 56},
        {"Campground", 11},
        {"Car", 15},
        {"Cemetery", 109},
        {"Church", 125},
        {"Danger Area", 12},
        {"Dot", 66},
        {"Final Location", 122},
        {"Fishing Area", 9},
        {"Gas Station", 14},
        {"Geocache", 24},
        {"Geocache Found", 25},
        {"Golf Course", 21},
        {"Hotel", 60},
        {"House", 1},
        {"Information", 111},
        {"Jeep Trail", 13},
        {"Light", 102},
        {"Lighthouse", 102},
        {"Marina", 17},
        {"Mine", 18},
        {"Medical Facility", 27},
        {"Museum", 58},
        {"Parachute Area", 79},
        {"Park", 36},
        {"Parking Area", 5},
        {"Picnic Area", 6},
        {"Post Office", 63},
        {"Pub", 3},
        {"Question to Answer", 66},
        {"Residence", 1},
        {"Restaurant", 16},
        {"Restroom", 31},
        {"RV Park", 62},
        {"Scenic Area", 22},
        {"Seaplane Base", 17},
        {"Sensor", 77},
        {"Shopping Center", 35},
        {"Skiing Area", 65},
        {"Stadium", 110},
        {"Stages of a Multicache", 66},
        {"Summit", 30},
        {"Swimming Area", 0},
        {"Tall Tower", 76},
        {"Telephone", 29},
        {"Trailhead", 8},
        {"Trail Head", 8},
        {"Waypoint", 0},
        {"Drinking Water", 10},
        {"City (Small)", 66},
    };
    const auto found = kSymbols.find(symbol);
    return found == kSymbols.end() ? 0 : found->second;
}

constexpr int32_t kIconGeocacheFound = 25;
constexpr int32_t kStateFoundAndLogged = 5;

// The geocache state a waypoint type text such as "Geocache|Multi-cache" gives.
int32_t StateOfType(std::string_view type, int32_t icon)
{
    if (icon == kIconGeocacheFound)
        return kStateFoundAndLogged;
    static const std::pair<std::string_view, int32_t> kTypes[] = {
        {"Multi-cache", 8}, {"Virtual", 12}, {"Unknown", 11},
        {"Earthcache", 14}, {"Mystery", 15}, {"Letterbox", 13},
    };
    for (const auto& [text, state] : kTypes)
        if (type.find(text) != std::string_view::npos)
            return state;
    return 0;
}

uint8_t LogTypeOf(std::string_view type)
{
    static const std::pair<std::string_view, uint8_t> kLogTypes[] = {
        {"Found it", 1}, {"Write note", 2}, {"Will Attend", 3}, {"Attended", 4}, {"Disable", 5},
    };
    for (const auto& [text, logType] : kLogTypes)
        if (type.find(text) != std::string_view::npos)
            return logType;
    return 0;
}

// The value of the first attribute begins with "T" ("True"); none counts as not.
bool FirstAttributeIsTrue(const char** attributes)
{
    return attributes[0] && attributes[1] && attributes[1][0] == 'T';
}

const char* AttributeValue(const char** attributes, const char* name)
{
    for (int i = 0; attributes[i]; i += 2)
        if (std::strcmp(attributes[i], name) == 0)
            return attributes[i + 1];
    return nullptr;
}

// A rating such as "2.5" held as 25; wraps to a byte like the file field it goes to.
uint8_t RatingTimesTen(std::string_view text)
{
    const double value = LeadingDecimal(text);
    if (value <= -1e9 || value >= 1e9)
        return 0;
    return static_cast<uint8_t>(static_cast<int64_t>(value * 10));
}

// Character data is gathered as UTF-8 up to this many bytes; the rest of a longer text is
// dropped (the database holds at most 32,767 code units a string).
constexpr size_t kMaxTextBytes = 32767;

class CGpxReader : public IXmlWaypointReader {
public:
    CGpxReader(CWaypointDB& db, int importMode) : m_merge(db, importMode)
    {
        m_text.reserve(kMaxTextBytes);
    }

    void StartElement(const char* name, const char** attributes) override
    {
        m_field = Field::None;
        m_text.clear();
        const Element element = ElementOf(name);
        switch (element) {
        case Element::Wpt:
            StartWaypoint(attributes);
            return;
        case Element::Cache:
            m_inCache = true;
            for (int i = 0; attributes[i]; i += 2) {
                if (std::strcmp(attributes[i], "available") == 0)
                    m_current.geocache.bAvailable = attributes[i + 1][0] == 'T';
                else if (std::strcmp(attributes[i], "archived") == 0)
                    m_current.geocache.bArchived = attributes[i + 1][0] == 'T';
            }
            return;
        case Element::Logs:
            m_inCache = false;
            m_inLogs = true;
            m_logIndex = 0;
            return;
        case Element::Extension:
            m_inExtension = true;
            return;
        default:
            break;
        }
        if (m_inWpt)
            m_field = FieldOf(element, attributes);
    }

    void EndElement(const char* name) override
    {
        switch (ElementOf(name)) {
        case Element::Wpt:
            if (m_inWpt)
                m_merge.Offer(std::move(m_current));
            m_inWpt = false;
            break;
        case Element::ExtensionEnd:
            m_inExtension = false;
            break;
        case Element::Cache:
            m_inCache = false;
            m_inLogs = false;
            break;
        case Element::Logs:
            m_inLogs = false;
            break;
        case Element::Log:
            ++m_logIndex;
            break;
        default:
            if (m_inWpt)
                StoreText();
            break;
        }
        m_field = Field::None;
        m_text.clear();
    }

    void CharacterData(const char* data, int length) override
    {
        if (!m_inWpt)
            return;
        m_text.append(data, std::min(static_cast<size_t>(length), kMaxTextBytes - m_text.size()));
    }

    const CWaypointImportMerge& Merge() const { return m_merge; }

private:
    void StartWaypoint(const char** attributes)
    {
        m_current = CWaypoint();
        m_linkTaken = false;
        for (int i = 0; attributes[i]; i += 2) {
            if (std::strcmp(attributes[i], "lat") == 0)
                m_current.position.latitude = MicrodegreesFromText(attributes[i + 1]);
            else if (std::strcmp(attributes[i], "lon") == 0)
                m_current.position.longitude = MicrodegreesFromText(attributes[i + 1]);
        }
        m_inWpt = true;
    }

    bool LogSlotOpen() const { return m_logIndex < kGeocacheLogSlots; }

    Field FieldOf(Element element, const char** attributes)
    {
        switch (element) {
        case Element::Ele:
            return Field::Ele;
        case Element::Name:
            return Field::Name;
        case Element::Desc:
            return Field::Desc;
        case Element::Sym:
            return Field::Sym;
        case Element::Url:
            return Field::Url;
        case Element::Type:
            return Field::Type;
        case Element::Time:
            return Field::Time;
        case Element::Link:
            // GPX 1.1 carries the URL as an attribute; the first link of a waypoint is its page.
            if (const char* href = AttributeValue(attributes, "href"); href && !m_linkTaken) {
                m_current.strURL = QString::fromUtf8(href);
                m_linkTaken = true;
            }
            return Field::None;
        default:
            break;
        }
        if (m_inExtension) {
            switch (element) {
            case Element::Icon:
                return Field::Icon;
            case Element::GeocacheState:
                return Field::GeocacheState;
            case Element::IconFromState:
                return Field::IconFromState;
            case Element::ActiveWaypoint:
                return Field::ActiveWaypoint;
            case Element::SoundFile:
                return Field::SoundFile;
            case Element::MessageType:
                return Field::MessageType;
            case Element::AlarmDistance:
                return Field::AlarmDistance;
            case Element::WaypointType:
                return Field::WaypointType;
            case Element::FoundTime:
                return Field::FoundTime;
            case Element::URL:
                return Field::URL;
            case Element::FieldNotes:
                return Field::FieldNotes;
            default:
                break;
            }
        }
        if (m_inCache) {
            switch (element) {
            case Element::LongDescription:
                m_current.geocache.bLongDescriptionHTML = FirstAttributeIsTrue(attributes);
                return Field::LongDescription;
            case Element::ShortDescription:
                m_current.geocache.bShortDescriptionHTML = FirstAttributeIsTrue(attributes);
                return Field::ShortDescription;
            case Element::CacheName:
                return Field::CacheName;
            case Element::PlacedBy:
                return Field::PlacedBy;
            case Element::GroundspeakType:
                return Field::CacheType;
            case Element::Difficulty:
                return Field::Difficulty;
            case Element::Terrain:
                return Field::Terrain;
            case Element::Container:
                return Field::Container;
            case Element::Country:
                return Field::Country;
            case Element::State:
                return Field::State;
            case Element::EncodedHints:
                return Field::EncodedHints;
            default:
                return Field::None;
            }
        }
        if (m_inLogs) {
            switch (element) {
            case Element::LogText:
                if (!LogSlotOpen())
                    return Field::None;
                m_current.geocache.logs[m_logIndex].bLogTextEncoded =
                    FirstAttributeIsTrue(attributes);
                return Field::LogText;
            case Element::GroundspeakType:
                return Field::LogType;
            case Element::LogDate:
                return Field::LogDate;
            case Element::LogFinder:
                return Field::LogFinder;
            default:
                break;
            }
        }
        return Field::None;
    }

    // The gathered text as UTF-16; a sequence cut off by the length limit is left out.
    QString Text() const
    {
        size_t size = m_text.size();
        if (size == kMaxTextBytes) {
            size_t start = size;
            while (start > 0 && (static_cast<unsigned char>(m_text[start - 1]) & 0xC0) == 0x80)
                --start;
            if (start > 0) {
                const auto lead = static_cast<unsigned char>(m_text[start - 1]);
                const size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
                if (size - (start - 1) < length)
                    size = start - 1;
            }
        }
        return QString::fromUtf8(m_text.data(), static_cast<qsizetype>(size));
    }

    void StoreText()
    {
        CWaypoint& wp = m_current;
        GeocacheInfo& gc = wp.geocache;
        const std::string_view text = m_text;
        switch (m_field) {
        case Field::None:
            break;
        case Field::Ele:
            wp.position.altitude = static_cast<float>(LeadingDecimal(text));
            break;
        case Field::Name:
            wp.strName = Text();
            break;
        case Field::Desc:
            wp.strDescription = Text();
            break;
        case Field::Sym:
            wp.icon = IconOfSymbol(text);
            break;
        case Field::Url:
            wp.strURL = Text();
            break;
        case Field::Type:
            if (text.find("Geocache") != std::string_view::npos) {
                wp.nType = kWaypointTypeGeocache;
                wp.bUseGeocacheStateForIconID = true;
                wp.nGeocacheState = StateOfType(text, wp.icon);
            } else {
                wp.nType = kWaypointTypeOrdinary;
                wp.bUseGeocacheStateForIconID = false;
            }
            break;
        case Field::Time:
            wp.timeWaypoint = SecondsFromXmlTime(text);
            break;
        case Field::Icon:
            wp.icon = LeadingInteger(text);
            break;
        case Field::GeocacheState:
            wp.nGeocacheState = LeadingInteger(text);
            break;
        case Field::IconFromState:
            wp.bUseGeocacheStateForIconID = LeadingInteger(text) != 0;
            break;
        case Field::ActiveWaypoint:
            wp.bActiveWaypoint = LeadingInteger(text) != 0;
            break;
        case Field::SoundFile:
            wp.strSoundFile = Text();
            break;
        case Field::MessageType:
            wp.nActiveWaypointMessageType = LeadingInteger(text);
            break;
        case Field::AlarmDistance:
            wp.dActiveWPDistance = LeadingDecimal(text);
            break;
        case Field::WaypointType:
            wp.nType = LeadingInteger(text);
            break;
        case Field::FoundTime:
            wp.timeGeochacheFound = LeadingInteger(text);
            break;
        case Field::URL:
            wp.strURL = Text();
            break;
        case Field::FieldNotes:
            wp.strFieldNotes = Text();
            break;
        case Field::LongDescription:
            gc.strLongDescription = Text();
            break;
        case Field::ShortDescription:
            gc.strShortDescription = Text();
            break;
        case Field::CacheName:
            gc.strCacheName = Text();
            break;
        case Field::PlacedBy:
            gc.strPlacedBy = Text();
            break;
        case Field::CacheType:
            gc.strCacheType = Text();
            break;
        case Field::Difficulty:
            gc.nDifficulty = RatingTimesTen(text);
            break;
        case Field::Terrain:
            gc.nTerrain = RatingTimesTen(text);
            break;
        case Field::Container:
            gc.strContainer = Text();
            break;
        case Field::Country:
            gc.strCountry = Text();
            break;
        case Field::State:
            gc.strState = Text();
            break;
        case Field::EncodedHints:
            gc.strEncodedHints = Text();
            break;
        case Field::LogText:
        case Field::LogType:
        case Field::LogDate:
        case Field::LogFinder:
            if (LogSlotOpen())
                StoreLogText(gc.logs[m_logIndex], text);
            break;
        }
    }

    void StoreLogText(GeocacheLog& log, std::string_view text)
    {
        switch (m_field) {
        case Field::LogText:
            log.strLogText = Text();
            break;
        case Field::LogType:
            log.nLogType = LogTypeOf(text);
            break;
        case Field::LogDate:
            log.timeLogDate = SecondsFromXmlTime(text);
            break;
        case Field::LogFinder:
            log.strLogFinder = Text();
            break;
        default:
            break;
        }
    }

    CWaypointImportMerge m_merge;
    bool m_inWpt = false;
    bool m_inCache = false;
    bool m_inLogs = false;
    int m_logIndex = 0;
    bool m_inExtension = false; // stays set once the export's block was seen
    bool m_linkTaken = false;
    CWaypoint m_current;
    Field m_field = Field::None;
    std::string m_text;
};

} // namespace

WaypointImportResult ImportGPXFile(CWaypointDB& db, const QString& path, int importMode,
                                   const ImportProgress& progress)
{
    CGpxReader reader(db, importMode);
    const XmlParseOutcome outcome = ParseXmlWaypointFile(path, reader, progress);
    return ImportResultOf(reader.Merge(), outcome.status, outcome.message);
}
