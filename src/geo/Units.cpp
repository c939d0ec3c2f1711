#include "geo/Units.h"

#include "app/SettingsStore.h"
#include "platform/StringTable.h"

#include <array>
#include <cmath>
#include <optional>

namespace {

enum UnitLabelId {
    kLabelFeet = 183,
    kLabelKilometres = 184,
    kLabelKilometresPerHour = 185,
    kLabelKnots = 186,
    kLabelMetres = 187,
    kLabelMilesPerHour = 188,
    kLabelNauticalMiles = 189,
    kLabelMiles = 190,
    kLabelHundredFeetPerMinute = 191,
    kLabelFeetPerSecond = 192,
    kLabelMetresPerSecond = 194,
};

constexpr double kKnotsToMph = 1.15077944802;
constexpr double kKnotsToKmh = 1.852;
constexpr double kNauticalMilesToKm = 1.852;
constexpr double kMilesToNauticalMiles = 0.868976241901;
constexpr double kMilesToFeet = 5280.0;
constexpr double kMilesToMetres = 1609.344;
constexpr double kMilesToKm = 1.609344;
constexpr double kKmToMiles = 0.621371192237;
constexpr double kKmToNauticalMiles = 0.539956803456;
constexpr double kMetresToNauticalMiles = 0.000539956803456;
constexpr double kMetresToFeet = 3.28083989501;
constexpr double kFeetToMetres = 0.3048;
constexpr double kNauticalMilesToMetres = 1852.0;
constexpr double kPerMinuteToPerSecond = 0.016666666666666666;
constexpr double kMetresPerMinuteToFeetPerSecond = 0.054680664916833335;

// Below this many miles the statute system shows feet.
constexpr double kStatuteShortLimit = 0.25;

// The entry for a setting of 0, 1 (and 2), or nothing when the setting is out of range.
template <typename T, size_t N>
std::optional<T> Pick(int setting, const std::array<T, N>& perSetting)
{
    if (setting < 0 || setting >= static_cast<int>(N))
        return std::nullopt;
    return perSetting[static_cast<size_t>(setting)];
}

template <size_t N>
QString Label(int setting, const std::array<UnitLabelId, N>& perSetting, const char* other)
{
    const std::optional<UnitLabelId> id = Pick(setting, perSetting);
    return id ? LoadString(*id) : QString::fromLatin1(other);
}

// Distance and speed tables, in setting order: statute, nautical, metric.
double ByDistanceUnits(const std::array<double, 3>& perSetting, double other)
{
    return Pick(DistanceSpeedUnits(), perSetting).value_or(other);
}

QString LabelByDistanceUnits(const std::array<UnitLabelId, 3>& perSetting, const char* other)
{
    return Label(DistanceSpeedUnits(), perSetting, other);
}

// The value and label AutoDistance and AutoDistanceUnitName report, decided in one place.
struct ScaledDistance {
    double value;
    QString label;
};

ScaledDistance ScaleDistance(double miles)
{
    switch (DistanceSpeedUnits()) {
    case 0:
        if (std::fabs(miles) >= kStatuteShortLimit)
            return {miles, LoadString(kLabelMiles)};
        return {miles * kMilesToFeet, LoadString(kLabelFeet)};
    case 1:
        return {miles * kMilesToNauticalMiles, LoadString(kLabelNauticalMiles)};
    case 2:
        if (std::fabs(miles * kMilesToKm) >= 1.0)
            return {miles * kMilesToKm, LoadString(kLabelKilometres)};
        return {miles * kMilesToMetres, LoadString(kLabelMetres)};
    default:
        return {0.0, {}};
    }
}

constexpr std::array<double, 3> kSpeedFactors{kKnotsToMph, 1.0, kKnotsToKmh};
constexpr std::array<double, 3> kLongToKmFactors{kMilesToKm, kNauticalMilesToKm, 1.0};
constexpr std::array<double, 2> kAltitudeFactors{kMetresToFeet, 1.0};
constexpr std::array<UnitLabelId, 2> kAltitudeLabels{kLabelFeet, kLabelMetres};

} // namespace

int DistanceSpeedUnits()
{
    return ReadIntSetting(QStringLiteral("Settings"), QStringLiteral("Distance-SpeedUnits"), 0);
}

int AltitudeElevationUnits()
{
    return ReadIntSetting(QStringLiteral("Settings"), QStringLiteral("AltitudeElevationUnits"), 0);
}

int PositionFormat()
{
    return ReadIntSetting(QStringLiteral("Settings"), QStringLiteral("PositionFormat"), 0);
}

double SpeedToDisplay(double knots)
{
    return knots * ByDistanceUnits(kSpeedFactors, 0.0);
}

QString SpeedUnitName()
{
    return LabelByDistanceUnits({kLabelMilesPerHour, kLabelKnots, kLabelKilometresPerHour}, "");
}

double SpeedFactor()
{
    // Knots unchanged for a bad setting: a neutral factor keeps scales that divide by it finite.
    return ByDistanceUnits(kSpeedFactors, 1.0);
}

QString LongDistanceUnitName()
{
    return LabelByDistanceUnits({kLabelMiles, kLabelNauticalMiles, kLabelKilometres}, "");
}

double MilesToLong(double miles)
{
    return miles * ByDistanceUnits({1.0, kMilesToNauticalMiles, kMilesToKm}, 1.0);
}

double MilesToShort(double miles)
{
    return miles * ShortDistanceFactor();
}

double ShortDistanceFactor()
{
    return ByDistanceUnits({kMilesToFeet, kMilesToNauticalMiles, kMilesToMetres}, 1.0);
}

QString ShortDistanceUnitName()
{
    return LabelByDistanceUnits({kLabelFeet, kLabelNauticalMiles, kLabelMetres}, "NA");
}

double AutoDistance(double miles)
{
    return ScaleDistance(miles).value;
}

QString AutoDistanceUnitName(double miles)
{
    return ScaleDistance(miles).label;
}

double MetresToShort(double metres)
{
    return metres * ByDistanceUnits({kMetresToFeet, kMetresToNauticalMiles, 1.0}, 0.0);
}

double ShortToMetres(double shortUnits)
{
    return shortUnits * ByDistanceUnits({kFeetToMetres, kNauticalMilesToMetres, 1.0}, 0.0);
}

double LongToKm(double longUnits)
{
    return longUnits * ByDistanceUnits(kLongToKmFactors, 0.0);
}

double KmToLong(double km)
{
    return km * ByDistanceUnits({kKmToMiles, kKmToNauticalMiles, 1.0}, 1.0);
}

double LongToKmPlot(double longUnits)
{
    // Unlike LongToKm, the plots keep the value as it is when the setting is bad.
    return longUnits * ByDistanceUnits(kLongToKmFactors, 1.0);
}

double AltitudeToDisplay(double metres)
{
    const std::optional<double> factor = Pick(AltitudeElevationUnits(), kAltitudeFactors);
    return factor ? metres * *factor : -1.0;
}

QString AltitudeUnitName()
{
    return Label(AltitudeElevationUnits(), kAltitudeLabels, "err");
}

UnitScale AltitudeFactor()
{
    const int setting = AltitudeElevationUnits();
    return {Pick(setting, kAltitudeFactors).value_or(1.0), Label(setting, kAltitudeLabels, "err")};
}

QString AltitudeText(double metres)
{
    return QString::asprintf("%-8.02f ", AltitudeToDisplay(metres)) + AltitudeUnitName() +
           QStringLiteral("     ");
}

double AltitudeToMetres(double displayed)
{
    return AltitudeElevationUnits() == 0 ? displayed * kFeetToMetres : displayed;
}

double VerticalSpeedToDisplay(double metresPerMinute)
{
    const std::optional<double> factor =
        Pick(AltitudeElevationUnits(), std::array{kMetresToFeet, kPerMinuteToPerSecond});
    return factor ? metresPerMinute * *factor : -1.0;
}

QString VerticalSpeedUnitName()
{
    return Label(AltitudeElevationUnits(),
                 std::array{kLabelHundredFeetPerMinute, kLabelMetresPerSecond}, "err");
}

UnitScale VerticalSpeedFactor()
{
    const int setting = AltitudeElevationUnits();
    return {Pick(setting, std::array{kMetresPerMinuteToFeetPerSecond, kPerMinuteToPerSecond})
                .value_or(-1.0),
            Label(setting, std::array{kLabelFeetPerSecond, kLabelMetresPerSecond}, "")};
}

UnitScale AccelerationFactor()
{
    switch (DistanceSpeedUnits()) {
    case 0:
        return {kMetresToFeet, QStringLiteral("ft/s/s")};
    case 1:
    case 2:
        return {1.0, QStringLiteral("m/s/s")};
    default:
        // Unscaled, with the label the altitude uses for a bad setting.
        return {1.0, QStringLiteral("err")};
    }
}
