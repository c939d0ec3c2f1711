#include "waypoints/LegacyWaypointText.h"

#include "geo/Geodesy.h"
#include "waypoints/HandheldText.h"
#include "waypoints/ImportNumbers.h"

#include <QByteArrayView>

#include <algorithm>
#include <vector>

namespace {

constexpr char kSeparator = '\x1F';

enum Field {
    kLatitude,
    kLongitude,
    kAltitude,
    kName,
    kIcon,
    kUnused,
    kAlarmFlag,
    kAlarmRadius,
    kSoundFile,
    kDescription,
    kType,
    kGeocacheState,
    kFoundTime,
    kIconFromState,
    kURL,
    kTime,
    kMessageType,
    kFieldCount
};

// Degrees in any range to a value that stays inside the 32-bit microdegree range.
double ClampDegrees(double degrees)
{
    return std::clamp(degrees, -2147.0, 2147.0);
}

CWaypoint WaypointFromFields(const std::vector<QByteArrayView>& fields)
{
    auto has = [&](int n) { return static_cast<size_t>(n) < fields.size(); };
    auto text = [&](int n) {
        return has(n) ? DecodeHandheldText(fields[n].data(), fields[n].size()) : QString();
    };
    auto real = [&](int n) { return has(n) ? LeadingDecimal(fields[n]) : 0.0; };
    auto integer = [&](int n, int32_t missing) {
        return has(n) ? LeadingInteger(fields[n]) : missing;
    };

    const CWaypoint defaults;
    const GeoPosition position =
        GeoPositionFromDegrees(ClampDegrees(real(kLatitude)), ClampDegrees(real(kLongitude)),
                               static_cast<float>(real(kAltitude)));
    return CWaypoint(position, has(kName) ? text(kName) : defaults.strName, integer(kIcon, 0),
                     integer(kAlarmFlag, defaults.bActiveWaypoint) != 0,
                     has(kAlarmRadius) ? real(kAlarmRadius) : defaults.dActiveWPDistance,
                     text(kSoundFile), text(kDescription), integer(kType, defaults.nType),
                     integer(kGeocacheState, defaults.nGeocacheState),
                     integer(kFoundTime, defaults.timeGeochacheFound),
                     integer(kIconFromState, defaults.bUseGeocacheStateForIconID) != 0, text(kURL),
                     integer(kTime, defaults.timeWaypoint), integer(kMessageType, 0),
                     defaults.geocache, defaults.strFieldNotes);
}

} // namespace

int ReadLegacyWaypointText(const QByteArray& bytes, const std::function<void(CWaypoint&&)>& sink)
{
    int count = 0;
    std::vector<QByteArrayView> fields;
    QByteArrayView rest(bytes);
    while (!rest.isEmpty()) {
        const qsizetype newline = rest.indexOf('\n');
        QByteArrayView line = newline < 0 ? rest : rest.first(newline);
        rest = newline < 0 ? QByteArrayView() : rest.sliced(newline + 1);
        if (line.endsWith('\r'))
            line.chop(1);
        if (line.isEmpty())
            continue;
        fields.clear();
        for (qsizetype start = 0; fields.size() < size_t{kFieldCount};) {
            const qsizetype separator = line.indexOf(kSeparator, start);
            fields.push_back(line.sliced(start, (separator < 0 ? line.size() : separator) - start));
            if (separator < 0)
                break;
            start = separator + 1;
        }
        sink(WaypointFromFields(fields));
        ++count;
    }
    return count;
}
