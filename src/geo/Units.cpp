#include "geo/Units.h"

#include "app/SettingsStore.h"
#include "platform/StringTable.h"

#include <cmath>

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

QString Label(UnitLabelId id)
{
    return LoadString(id);
}

// What a coordinate text looks like between its numbers; the masked-entry fill has none of it.
struct CoordinateSeparators {
    const char* afterDegrees;
    const char* afterMinutes;
    const char* afterDecimalDegrees;
};
constexpr CoordinateSeparators kTextSeparators{"° ", "' ", "°"};
constexpr CoordinateSeparators kFillSeparators{"", "", ""};

constexpr int kLatitudeDegreeDigits = 2;
constexpr int kLongitudeDegreeDigits = 3;

// The digits of |degrees| in one of the three position formats, or a null string for any other.
// Minutes are rounded to 1/10000 and never carried into the degrees.
QString CoordinateDigits(double degrees, int format, int degreeDigits,
                         const CoordinateSeparators& separators)
{
    const double absolute = std::fabs(degrees);
    // NaN and absurd magnitudes would make the integer conversions below undefined.
    const double bounded = absolute < 4294967296.0 ? absolute : 0.0;
    const auto whole = static_cast<unsigned long>(bounded);
    const auto minutes10k = static_cast<unsigned long>((bounded - whole) * 600000.0 + 0.5);
    switch (format) {
    case 0:
        return QString::asprintf("%0*lu%s%07.04f", degreeDigits, whole, separators.afterDegrees,
                                 minutes10k * 0.0001);
    case 1: {
        const unsigned long wholeMinutes = minutes10k / 10000;
        const double seconds = (minutes10k - wholeMinutes * 10000) * 0.0001 * 60.0;
        return QString::asprintf("%0*lu%s%02d%s%06.03f", degreeDigits, whole,
                                 separators.afterDegrees, static_cast<int>(wholeMinutes),
                                 separators.afterMinutes, seconds);
    }
    case 2:
        return QString::asprintf("%0*.06f%s", degreeDigits + 7, absolute,
                                 separators.afterDecimalDegrees);
    default:
        return {};
    }
}

QString CoordinateText(double degrees, int format, int degreeDigits, char positive, char negative)
{
    const QString digits = CoordinateDigits(degrees, format, degreeDigits, kTextSeparators);
    if (digits.isNull())
        return digits;
    return QChar(degrees < 0.0 ? negative : positive) + QLatin1Char(' ') + digits;
}

QString CoordinateFill(double degrees, int degreeDigits)
{
    const QString digits =
        CoordinateDigits(degrees, PositionFormat(), degreeDigits, kFillSeparators);
    return digits.isNull() ? QStringLiteral("ERROR") : digits;
}

// The decimal number at the start of the masked field's digits, as the field's 8-bit text holds
// it. Absurdly long digit strings saturate instead of overflowing.
int64_t LeadingNumber(const QString& digits)
{
    constexpr qsizetype kMaxCharacters = 127;
    constexpr int64_t kSaturation = 1'000'000'000'000'000;
    const QByteArray text = digits.left(kMaxCharacters).toLatin1();
    int64_t n = 0;
    for (const char c : text) {
        if (c < '0' || c > '9')
            break;
        if (n < kSaturation)
            n = n * 10 + (c - '0');
    }
    return n;
}

int32_t ClampMicrodegrees(double value)
{
    if (!(value >= 0.0))
        return 0;
    return value >= 2147483647.0 ? INT32_MAX : static_cast<int32_t>(value);
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
            return {miles, Label(kLabelMiles)};
        return {miles * kMilesToFeet, Label(kLabelFeet)};
    case 1:
        return {miles * kMilesToNauticalMiles, Label(kLabelNauticalMiles)};
    case 2:
        if (std::fabs(miles * kMilesToKm) >= 1.0)
            return {miles * kMilesToKm, Label(kLabelKilometres)};
        return {miles * kMilesToMetres, Label(kLabelMetres)};
    default:
        return {0.0, {}};
    }
}

// The long unit in kilometres; `other` is what an out-of-range setting gives.
double LongUnitsToKm(double longUnits, double other)
{
    switch (DistanceSpeedUnits()) {
    case 0:
        return longUnits * kMilesToKm;
    case 1:
        return longUnits * kNauticalMilesToKm;
    case 2:
        return longUnits;
    default:
        return other;
    }
}

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
    switch (DistanceSpeedUnits()) {
    case 0:
        return knots * kKnotsToMph;
    case 1:
        return knots;
    case 2:
        return knots * kKnotsToKmh;
    default:
        return 0.0;
    }
}

QString SpeedUnitName()
{
    switch (DistanceSpeedUnits()) {
    case 0:
        return Label(kLabelMilesPerHour);
    case 1:
        return Label(kLabelKnots);
    case 2:
        return Label(kLabelKilometresPerHour);
    default:
        return {};
    }
}

double SpeedFactor()
{
    switch (DistanceSpeedUnits()) {
    case 0:
        return kKnotsToMph;
    case 2:
        return kKnotsToKmh;
    default:
        // Knots unchanged: a neutral factor keeps scales that divide by it finite.
        return 1.0;
    }
}

QString LongDistanceUnitName()
{
    switch (DistanceSpeedUnits()) {
    case 0:
        return Label(kLabelMiles);
    case 1:
        return Label(kLabelNauticalMiles);
    case 2:
        return Label(kLabelKilometres);
    default:
        return {};
    }
}

double MilesToLong(double miles)
{
    switch (DistanceSpeedUnits()) {
    case 1:
        return miles * kMilesToNauticalMiles;
    case 2:
        return miles * kMilesToKm;
    default:
        return miles;
    }
}

double MilesToShort(double miles)
{
    return miles * ShortDistanceFactor();
}

double ShortDistanceFactor()
{
    switch (DistanceSpeedUnits()) {
    case 0:
        return kMilesToFeet;
    case 1:
        return kMilesToNauticalMiles;
    case 2:
        return kMilesToMetres;
    default:
        return 1.0;
    }
}

QString ShortDistanceUnitName()
{
    switch (DistanceSpeedUnits()) {
    case 0:
        return Label(kLabelFeet);
    case 1:
        return Label(kLabelNauticalMiles);
    case 2:
        return Label(kLabelMetres);
    default:
        return QStringLiteral("NA");
    }
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
    switch (DistanceSpeedUnits()) {
    case 0:
        return metres * kMetresToFeet;
    case 1:
        return metres * kMetresToNauticalMiles;
    case 2:
        return metres;
    default:
        return 0.0;
    }
}

double ShortToMetres(double shortUnits)
{
    switch (DistanceSpeedUnits()) {
    case 0:
        return shortUnits * kFeetToMetres;
    case 1:
        return shortUnits * kNauticalMilesToMetres;
    case 2:
        return shortUnits;
    default:
        return 0.0;
    }
}

double LongToKm(double longUnits)
{
    return LongUnitsToKm(longUnits, 0.0);
}

double LongToKmPlot(double longUnits)
{
    return LongUnitsToKm(longUnits, longUnits);
}

double KmToLong(double km)
{
    switch (DistanceSpeedUnits()) {
    case 0:
        return km * kKmToMiles;
    case 1:
        return km * kKmToNauticalMiles;
    default:
        return km;
    }
}

double AltitudeToDisplay(double metres)
{
    switch (AltitudeElevationUnits()) {
    case 0:
        return metres * kMetresToFeet;
    case 1:
        return metres;
    default:
        return -1.0;
    }
}

QString AltitudeUnitName()
{
    return AltitudeFactor().label;
}

UnitScale AltitudeFactor()
{
    switch (AltitudeElevationUnits()) {
    case 0:
        return {kMetresToFeet, Label(kLabelFeet)};
    case 1:
        return {1.0, Label(kLabelMetres)};
    default:
        return {1.0, QStringLiteral("err")};
    }
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
    switch (AltitudeElevationUnits()) {
    case 0:
        return metresPerMinute * kMetresToFeet;
    case 1:
        return metresPerMinute * kPerMinuteToPerSecond;
    default:
        return -1.0;
    }
}

QString VerticalSpeedUnitName()
{
    switch (AltitudeElevationUnits()) {
    case 0:
        return Label(kLabelHundredFeetPerMinute);
    case 1:
        return Label(kLabelMetresPerSecond);
    default:
        return QStringLiteral("err");
    }
}

UnitScale VerticalSpeedFactor()
{
    switch (AltitudeElevationUnits()) {
    case 0:
        return {kMetresPerMinuteToFeetPerSecond, Label(kLabelFeetPerSecond)};
    case 1:
        return {kPerMinuteToPerSecond, Label(kLabelMetresPerSecond)};
    default:
        return {-1.0, {}};
    }
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

QString FormatLatitude(double degrees)
{
    return FormatLatitude(degrees, PositionFormat());
}

QString FormatLongitude(double degrees)
{
    return FormatLongitude(degrees, PositionFormat());
}

QString FormatLatitude(double degrees, int positionFormat)
{
    const QString text = CoordinateText(degrees, positionFormat, kLatitudeDegreeDigits, 'N', 'S');
    return text.isNull() ? QStringLiteral("ERROR") : text;
}

QString FormatLongitude(double degrees, int positionFormat)
{
    // A bad format leaves the longitude blank; the latitude beside it already says "ERROR".
    return CoordinateText(degrees, positionFormat, kLongitudeDegreeDigits, 'E', 'W');
}

QString LatitudeMask()
{
    switch (PositionFormat()) {
    case 0:
        return QStringLiteral("99'99.9999");
    case 1:
        return QStringLiteral("99\"99'99.999");
    case 2:
        return QStringLiteral("99.999999");
    default:
        return QStringLiteral("ERROR");
    }
}

QString LongitudeMask()
{
    switch (PositionFormat()) {
    case 0:
        return QStringLiteral("999'99.9999");
    case 1:
        return QStringLiteral("999\"99'99.999");
    case 2:
        return QStringLiteral("999.999999");
    default:
        return QStringLiteral("ERROR");
    }
}

QString LatitudeFill(double degrees)
{
    return CoordinateFill(degrees, kLatitudeDegreeDigits);
}

QString LongitudeFill(double degrees)
{
    return CoordinateFill(degrees, kLongitudeDegreeDigits);
}

int32_t ParseCoordinate(const QString& digits)
{
    const int64_t n = LeadingNumber(digits);
    switch (PositionFormat()) {
    case 0: {
        const int64_t degrees = n / 1'000'000;
        const int64_t minutes10k = n - degrees * 1'000'000;
        // The minutes' fraction is truncated, not rounded, as values have always been entered.
        return ClampMicrodegrees(
            static_cast<double>(degrees * 1'000'000) -
            std::trunc(minutes10k * 0.0001 * kPerMinuteToPerSecond * -1000000.0));
    }
    case 1: {
        const int64_t degrees = n / 10'000'000;
        const int64_t rest = n - degrees * 10'000'000;
        const int64_t minutes = rest / 100'000;
        const int64_t seconds1k = rest - minutes * 100'000;
        const double value = (seconds1k * 0.001 * kPerMinuteToPerSecond * kPerMinuteToPerSecond) +
                             (minutes * kPerMinuteToPerSecond + static_cast<double>(degrees));
        return ClampMicrodegrees(std::trunc((value + 0.0000005) * 1000000.0));
    }
    case 2:
        return ClampMicrodegrees(
            std::trunc((static_cast<double>(n) * 0.000001 + 0.0000005) * 1000000.0));
    default:
        // No digits can be read in an unknown layout; the field shows "ERROR" instead.
        return 0;
    }
}

int HemisphereIndex(int32_t microdegrees)
{
    return microdegrees < 0 ? 1 : 0;
}
