#include "nav/NavigationSettings.h"

#include "app/SettingsStore.h"

#include <QByteArray>

#include <charconv>
#include <cmath>
#include <cstring>

namespace {

const QString kMapSection = QStringLiteral("Map");
const QString kArrivalKey = QStringLiteral("Waypoint Arrival Distance");
const QString kFilterThresholdKey = QStringLiteral("Pos Filter Dist Threshold");
const QString kCourseThresholdKey = QStringLiteral("Course Dist Threshold");
const QString kFilterKey = QStringLiteral("Enable Position Filter");
const QString kCourseFromGpsKey = QStringLiteral("Use Course From GPS");
const QString kAvgThresholdEnabledKey = QStringLiteral("Enable Waypoint Avg Threshold");
const QString kAvgThresholdKey = QStringLiteral("Waypoint Avg Threshold");
const QString kLatitudeKey = QStringLiteral("Current Position Latitude");
const QString kLongitudeKey = QStringLiteral("Current Position Longitude");

constexpr int kStoredTextLimit = 127;

double ReadDistance(const QString& key, const char* defaultText)
{
    return ParseSettingNumber(ReadTextSetting(kMapSection, key, QString::fromLatin1(defaultText)));
}

void WriteDistance(const QString& key, double km)
{
    WriteTextSetting(kMapSection, key, QString::asprintf("%f", km));
}

// Switches are on only when stored as 1.
bool ReadSwitch(const QString& key)
{
    return ReadIntSetting(kMapSection, key, 1) == 1;
}

} // namespace

double ParseSettingNumber(const QString& text)
{
    const QByteArray narrow = text.left(kStoredTextLimit).toLatin1();
    const char* begin = narrow.constData();
    const char* end = begin + narrow.size();
    while (begin < end && std::strchr(" \t\n\v\f\r", *begin))
        ++begin;
    if (begin < end && *begin == '+')
        ++begin;
    double value = 0.0;
    const auto result = std::from_chars(begin, end, value);
    if (result.ec != std::errc() || !std::isfinite(value))
        return 0.0;
    return value;
}

NavigationSettings ReadNavigationSettings()
{
    NavigationSettings settings;
    settings.waypointArrivalDistance = ReadDistance(kArrivalKey, "0.03048");
    settings.posFilterDistThreshold = ReadDistance(kFilterThresholdKey, "0.005");
    settings.courseDistThreshold = ReadDistance(kCourseThresholdKey, "0.005");
    settings.enablePositionFilter = ReadSwitch(kFilterKey);
    settings.useCourseFromGps = ReadSwitch(kCourseFromGpsKey);
    settings.enableWaypointAvgThreshold = ReadSwitch(kAvgThresholdEnabledKey);
    settings.waypointAvgThreshold = ReadIntSetting(kMapSection, kAvgThresholdKey, 50);
    return settings;
}

void WriteNavigationSettings(const NavigationSettings& settings)
{
    WriteDistance(kArrivalKey, settings.waypointArrivalDistance);
    WriteDistance(kFilterThresholdKey, settings.posFilterDistThreshold);
    WriteDistance(kCourseThresholdKey, settings.courseDistThreshold);
    WriteIntSetting(kMapSection, kFilterKey, settings.enablePositionFilter ? 1 : 0);
    WriteIntSetting(kMapSection, kCourseFromGpsKey, settings.useCourseFromGps ? 1 : 0);
    WriteIntSetting(kMapSection, kAvgThresholdEnabledKey,
                    settings.enableWaypointAvgThreshold ? 1 : 0);
    WriteIntSetting(kMapSection, kAvgThresholdKey, settings.waypointAvgThreshold);
}

GeoPosition ReadCurrentPositionSetting()
{
    GeoPosition position;
    position.latitude = ReadIntSetting(kMapSection, kLatitudeKey, 33800000);
    position.longitude = ReadIntSetting(kMapSection, kLongitudeKey, -117800000);
    return position;
}

void WriteCurrentPositionSetting(const GeoPosition& position)
{
    WriteIntSetting(kMapSection, kLatitudeKey, position.latitude);
    WriteIntSetting(kMapSection, kLongitudeKey, position.longitude);
}
