#include "map/MapSettings.h"

#include "app/SettingsStore.h"
#include "geo/Units.h"
#include "map/MapWaypointCommands.h"

#include <cmath>

namespace {

const QString kMap = QStringLiteral("Map");

bool ReadSwitch(const char* key, bool fallback)
{
    return ReadIntSetting(kMap, QString::fromLatin1(key), fallback ? 1 : 0) == 1;
}

void WriteSwitch(const char* key, bool on)
{
    WriteIntSetting(kMap, QString::fromLatin1(key), on ? 1 : 0);
}

} // namespace

MapSettings ReadMapSettings(const NavigationSettings& navigation)
{
    MapSettings settings;
    settings.navigation = navigation;
    settings.northUp = ReadSwitch("North Up", false);
    settings.viewNavigationWindow = ReadSwitch("View Navigation Window", true);
    settings.viewAltitudeProfile = ReadSwitch("View Altitude Profile", false);
    settings.largeWaypoints = ReadSwitch("Enable Large Waypoints", false);
    settings.largePositionIcon = ReadSwitch("Enable Large Position Icon", false);
    settings.trackPenColour =
        ReadIntSetting(kMap, QStringLiteral("Track Pen Color"), settings.trackPenColour);
    settings.trackPenWidth =
        ReadIntSetting(kMap, QStringLiteral("Track Pen Width"), settings.trackPenWidth);
    return settings;
}

void WriteMapViewSettings(const MapSettings& settings)
{
    WriteSwitch("North Up", settings.northUp);
    WriteSwitch("View Navigation Window", settings.viewNavigationWindow);
    WriteSwitch("View Altitude Profile", settings.viewAltitudeProfile);
    WriteSwitch("Enable Large Waypoints", settings.largeWaypoints);
    WriteSwitch("Enable Large Position Icon", settings.largePositionIcon);
    WriteIntSetting(kMap, QStringLiteral("Track Pen Color"), settings.trackPenColour);
    WriteIntSetting(kMap, QStringLiteral("Track Pen Width"), settings.trackPenWidth);
}

QString ArrivalDistanceText(double km)
{
    return QString::asprintf("%f", MetresToShort(km * 1000.0));
}

std::optional<double> ArrivalDistanceFromText(const QString& text)
{
    const auto value = ParseDialogNumber(text);
    if (!value)
        return std::nullopt;
    return ShortToMetres(*value) * 0.001;
}

QString ThresholdText(double km)
{
    return QString::asprintf("%G", km * 1000.0);
}

std::optional<double> ThresholdFromText(const QString& text)
{
    const auto value = ParseDialogNumber(text);
    if (!value)
        return std::nullopt;
    return *value * 0.001;
}

QString HdopText(int tenths)
{
    return QString::asprintf("%.01f", tenths * 0.1);
}

std::optional<int> HdopFromText(const QString& text)
{
    const auto value = ParseDialogNumber(text);
    if (!value || *value < 0.0 || *value > 1e6)
        return std::nullopt;
    return int(std::lround(*value * 10.0));
}
