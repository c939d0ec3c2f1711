// Coordinate texts for the screen and the masked coordinate entry (declared in Units.h).

#include "geo/Units.h"

#include <array>
#include <cmath>

namespace {

constexpr double kOneSixtieth = 0.016666666666666666;

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
// Minutes are rounded to 1/10000; a rounding up to 60 minutes carries into the degrees.
QString CoordinateDigits(double degrees, int format, int degreeDigits,
                         const CoordinateSeparators& separators)
{
    const double absolute = std::fabs(degrees);
    // NaN and absurd magnitudes would make the integer conversions below undefined.
    const double bounded = absolute < 4294967296.0 ? absolute : 0.0;
    auto whole = static_cast<unsigned long>(bounded);
    auto minutes10k = static_cast<unsigned long>((bounded - whole) * 600000.0 + 0.5);
    if (minutes10k >= 600000) {
        ++whole;
        minutes10k -= 600000;
    }
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

QString CoordinateFill(double degrees, int format, int degreeDigits)
{
    const QString digits = CoordinateDigits(degrees, format, degreeDigits, kFillSeparators);
    return digits.isNull() ? QStringLiteral("ERROR") : digits;
}

QString CoordinateMask(const std::array<const char*, 3>& masks, int format)
{
    return QString::fromLatin1(format >= 0 && format < 3 ? masks[static_cast<size_t>(format)]
                                                         : "ERROR");
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

} // namespace

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
    return LatitudeMask(PositionFormat());
}

QString LongitudeMask()
{
    return LongitudeMask(PositionFormat());
}

QString LatitudeMask(int positionFormat)
{
    return CoordinateMask({"99'99.9999", "99\"99'99.999", "99.999999"}, positionFormat);
}

QString LongitudeMask(int positionFormat)
{
    return CoordinateMask({"999'99.9999", "999\"99'99.999", "999.999999"}, positionFormat);
}

QString LatitudeFill(double degrees)
{
    return LatitudeFill(degrees, PositionFormat());
}

QString LongitudeFill(double degrees)
{
    return LongitudeFill(degrees, PositionFormat());
}

QString LatitudeFill(double degrees, int positionFormat)
{
    return CoordinateFill(degrees, positionFormat, kLatitudeDegreeDigits);
}

QString LongitudeFill(double degrees, int positionFormat)
{
    return CoordinateFill(degrees, positionFormat, kLongitudeDegreeDigits);
}

int32_t ParseCoordinate(const QString& digits)
{
    return ParseCoordinate(digits, PositionFormat());
}

int32_t ParseCoordinate(const QString& digits, int positionFormat)
{
    const int64_t n = LeadingNumber(digits);
    switch (positionFormat) {
    case 0: {
        const int64_t degrees = n / 1'000'000;
        const int64_t minutes10k = n - degrees * 1'000'000;
        // The minutes' fraction is truncated, not rounded, as values have always been entered.
        return ClampMicrodegrees(static_cast<double>(degrees * 1'000'000) -
                                 std::trunc(minutes10k * 0.0001 * kOneSixtieth * -1000000.0));
    }
    case 1: {
        const int64_t degrees = n / 10'000'000;
        const int64_t rest = n - degrees * 10'000'000;
        const int64_t minutes = rest / 100'000;
        const int64_t seconds1k = rest - minutes * 100'000;
        const double value = (seconds1k * 0.001 * kOneSixtieth * kOneSixtieth) +
                             (minutes * kOneSixtieth + static_cast<double>(degrees));
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
