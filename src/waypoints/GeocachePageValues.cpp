#include "waypoints/GeocachePageValues.h"

#include "geo/Units.h"
#include "platform/StringTable.h"
#include "waypoints/HtmlText.h"

#include <QString>

#include <ctime>
#include <string_view>
#include <unordered_map>

namespace {

constexpr uint32_t kNewForSeconds = 2592000; // 30 days
constexpr int kNoHintMessage = 289;

QByteArray Stars(uint8_t ratingTimesTen, const char* whole, const char* half)
{
    const double rating = ratingTimesTen * 0.1;
    const int wholeStars = static_cast<int>(rating);
    QByteArray out;
    for (int i = 0; i < wholeStars; ++i)
        out += QByteArray("<img border=\"0\" src=\"") + whole + "\" width=\"9\" height=\"9\">";
    if (rating - wholeStars >= 0.5)
        out += QByteArray("<img border=\"0\" src=\"") + half + "\" width=\"5\" height=\"9\">";
    return out;
}

// "MM/DD/YYYY" in local time.
QByteArray LocalDate(int32_t seconds)
{
    const std::time_t when = static_cast<std::time_t>(static_cast<uint32_t>(seconds));
    std::tm local{};
    localtime_r(&when, &local);
    return QString::asprintf("%02d/%02d/%04d", local.tm_mon + 1, local.tm_mday,
                             local.tm_year + 1900)
        .toUtf8();
}

QByteArray Description(const QString& text, bool isHTML)
{
    return isHTML ? text.toUtf8() : PlainTextAsHtml(text);
}

QByteArray Hint(const QString& hint)
{
    if (hint.isEmpty() || hint == QLatin1String("\n      "))
        return HtmlEscaped(LoadString(kNoHintMessage));
    return PlainTextAsHtml(hint);
}

const char* CacheTypeIcon(const QString& type)
{
    static const std::pair<const char*, const char*> kIcons[] = {
        {"Traditional", "TraditionalCache.gif"},
        {"Virtual", "VirtualCache.gif"},
        {"Unknown Cache", "MysteryCache.gif"},
        {"Letterbox", "LetterboxCache.gif"},
        {"Event Cache", "EventCache.gif"},
        {"Earthcache", "Earthcache.gif"},
        {"Multi", "Multicache.gif"},
        {"Mystery", "MysteryCache.gif"},
        {"Webcam", "WebcamCache.gif"},
        {"Locationless", "LocationlessCache.gif"},
    };
    for (const auto& [text, icon] : kIcons)
        if (type.contains(QLatin1String(text)))
            return icon;
    return "TraditionalCache.gif";
}

const char* LogIcon(uint8_t logType)
{
    switch (logType) {
    case 1:
        return "icon_smile.gif";
    case 2:
        return "icon_note.gif";
    case 3:
        return "icon_rsvp.gif";
    case 4:
        return "icon_attended.gif";
    case 5:
        return "icon_disabled.gif";
    default:
        return "icon_sad.gif";
    }
}

QByteArray Logs(const GeocacheInfo& gc)
{
    QByteArray out;
    for (const GeocacheLog& log : gc.logs) {
        if (log.timeLogDate == 0)
            continue;
        out += QByteArray("<p><img border=\"0\" src=\"") + LogIcon(log.nLogType) +
               "\" width=\"16\" height=\"16\"> &nbsp <b> " + LocalDate(log.timeLogDate) + " by " +
               HtmlEscaped(log.strLogFinder) + "</b><br>" + PlainTextAsHtml(log.strLogText) +
               "</p>";
    }
    return out;
}

QByteArray WaypointLink(const CWaypoint& wp)
{
    const QByteArray target = SafeLinkTarget(wp.strURL);
    const QByteArray name = HtmlEscaped(wp.strName);
    if (target.isEmpty())
        return "<a>" + name + "</a>";
    return "<a href=\"" + target + "\">" + name + "</a>";
}

QByteArray IconName(int32_t icon)
{
    return icon >= 0 && icon < kIconCount ? QByteArray(GetIconTable()[icon]) : QByteArray();
}

enum class Placeholder {
    PageTitle,
    CacheName,
    Position,
    Container,
    Location,
    HiddenBy,
    Difficulty,
    Terrain,
    ShortDescription,
    LongDescription,
    Hint,
    CacheTypeIcon,
    WaypointName,
    Notes,
    WaypointType,
    TimeOriginated,
    New,
    Copyright,
    Logs,
};

std::optional<Placeholder> PlaceholderOf(QByteArrayView name)
{
    static const std::unordered_map<std::string_view, Placeholder> kNames = {
        {"WD_PAGE_TITLE", Placeholder::PageTitle},
        {"WD_CACHE_NAME", Placeholder::CacheName},
        {"WD_POSITION", Placeholder::Position},
        {"WD_CONTAINER", Placeholder::Container},
        {"WD_LOCATION", Placeholder::Location},
        {"WD_HIDDENBY", Placeholder::HiddenBy},
        {"WD_DIFFICULTY", Placeholder::Difficulty},
        {"WD_TERRAIN", Placeholder::Terrain},
        {"WD_SHORT_DESCRIPTION", Placeholder::ShortDescription},
        {"WD_LONG_DESCRIPTION", Placeholder::LongDescription},
        {"WD_HINT", Placeholder::Hint},
        {"WD_CT_ICON", Placeholder::CacheTypeIcon},
        {"WD_WAYPOINTNAME", Placeholder::WaypointName},
        {"WD_NOTES", Placeholder::Notes},
        {"WD_WAYPOINT_TYPE", Placeholder::WaypointType},
        {"WD_TIMEORIGINATED", Placeholder::TimeOriginated},
        {"WD_NEW", Placeholder::New},
        {"WD_GC_COPYRIGHT", Placeholder::Copyright},
        {"WD_GC_LOGS", Placeholder::Logs},
    };
    const auto found = kNames.find(std::string_view(name.data(), name.size()));
    if (found == kNames.end())
        return std::nullopt;
    return found->second;
}

} // namespace

std::optional<QByteArray> GeocachePlaceholderValue(const CWaypoint& wp, QByteArrayView name,
                                                   int64_t now)
{
    const std::optional<Placeholder> placeholder = PlaceholderOf(name);
    if (!placeholder)
        return std::nullopt;
    const GeocacheInfo& gc = wp.geocache;
    switch (*placeholder) {
    case Placeholder::PageTitle:
        return "(" + HtmlEscaped(wp.strName) + ") " + HtmlEscaped(gc.strCacheName) + " by " +
               HtmlEscaped(gc.strPlacedBy);
    case Placeholder::CacheName:
        return HtmlEscaped(gc.strCacheName);
    case Placeholder::Position:
        return HtmlEscaped(FormatLatitude(wp.position.latitude * 1e-6) + u' ' +
                           FormatLongitude(wp.position.longitude * 1e-6));
    case Placeholder::Container:
        return HtmlEscaped(gc.strContainer);
    case Placeholder::Location:
        return "In " + HtmlEscaped(gc.strState) + ", " + HtmlEscaped(gc.strCountry);
    case Placeholder::HiddenBy:
        return HtmlEscaped(gc.strPlacedBy);
    case Placeholder::Difficulty:
        return Stars(gc.nDifficulty, "sy.gif", "hsy.gif");
    case Placeholder::Terrain:
        return Stars(gc.nTerrain, "sg.gif", "hsg.gif");
    case Placeholder::ShortDescription:
        return Description(gc.strShortDescription, gc.bShortDescriptionHTML);
    case Placeholder::LongDescription:
        return Description(gc.strLongDescription, gc.bLongDescriptionHTML);
    case Placeholder::Hint:
        return Hint(gc.strEncodedHints);
    case Placeholder::CacheTypeIcon:
        return QByteArray(CacheTypeIcon(gc.strCacheType));
    case Placeholder::WaypointName:
        return WaypointLink(wp);
    case Placeholder::Notes:
        return PlainTextAsHtml(wp.strDescription);
    case Placeholder::WaypointType:
        return HtmlEscaped(QString::fromLatin1(IconName(wp.icon)));
    case Placeholder::TimeOriginated:
        return LocalDate(wp.timeWaypoint);
    case Placeholder::New:
        if (static_cast<uint32_t>(now) - static_cast<uint32_t>(wp.timeWaypoint) < kNewForSeconds)
            return QByteArray("<span style=\"background-color: #FFFF00\">(New)</span>");
        return QByteArray();
    case Placeholder::Copyright:
        return QByteArray("Groundspeak Inc.");
    case Placeholder::Logs:
        return Logs(gc);
    }
    return QByteArray();
}
