// The typed digits of the masked coordinate entry in each position format (and one that does
// not exist): the first byte picks format and axis, the rest is the text. A parse is never
// negative, and the entry's own fill of a coordinate on earth parses back to it.

#include "fuzz/FuzzHarness.h"
#include "geo/Units.h"

#include <cstdlib>

void FuzzCoordinateEntry(const uint8_t* data, size_t size)
{
    CFuzzInput input(data, size);
    const uint8_t choice = input.Byte();
    static constexpr int kFormats[] = {0, 1, 2, 3, -1};
    const int format = kFormats[choice % 5];
    const bool longitude = choice & 0x80;
    const std::span<const uint8_t> rest = input.Rest();
    const QString digits = QString::fromUtf8(reinterpret_cast<const char*>(rest.data()),
                                             static_cast<qsizetype>(rest.size()));

    const int32_t microdegrees = ParseCoordinate(digits, format);
    FuzzCheck(microdegrees >= 0, "a parsed coordinate is negative");
    const double degrees = microdegrees * 1e-6;
    const QString fill = longitude ? LongitudeFill(degrees, format) : LatitudeFill(degrees, format);
    longitude ? FormatLongitude(degrees, format) : FormatLatitude(degrees, format);
    if (format >= 0 && format <= 2 && degrees <= (longitude ? 180.0 : 90.0)) {
        // The fill shows the decimal point the mask holds as a literal; the entry drops it.
        const int32_t again = ParseCoordinate(QString(fill).remove(u'.'), format);
        FuzzCheck(std::abs(again - microdegrees) <= 2, "a filled coordinate parses to another");
    }
}
