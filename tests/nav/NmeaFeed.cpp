#include "NmeaFeed.h"

#include "gps/NMEACommandSender.h"
#include "gps/NMEAParser.h"

#include <cmath>
#include <cstdio>
#include <numbers>

namespace {

constexpr double kEarthRadiusMetres = 6378137.0;

std::string Clock(int secondOfDay)
{
    char text[16];
    std::snprintf(text, sizeof text, "%02d%02d%02d.00", secondOfDay / 3600 % 24,
                  secondOfDay / 60 % 60, secondOfDay % 60);
    return text;
}

// ddmm.mmmmmm,H (or dddmm... for longitudes)
std::string Coordinate(double degrees, bool longitude)
{
    const double magnitude = std::fabs(degrees);
    const int whole = static_cast<int>(magnitude);
    const double minutes = (magnitude - whole) * 60.0;
    char text[32];
    std::snprintf(text, sizeof text, longitude ? "%03d%09.6f,%c" : "%02d%09.6f,%c", whole, minutes,
                  longitude ? (degrees < 0 ? 'W' : 'E') : (degrees < 0 ? 'S' : 'N'));
    return text;
}

} // namespace

std::string NmeaSentence(const std::string& body)
{
    return CNMEACommandSender::BuildSentence(QByteArray::fromStdString(body)).toStdString();
}

std::string GgaSentence(const FixSentence& fix)
{
    if (fix.quality == 0)
        return NmeaSentence("GPGGA," + Clock(fix.secondOfDay) + ",,,,,0,00,99.99,,,,,,");
    char tail[64];
    std::snprintf(tail, sizeof tail, ",%d,08,%.2f,%.1f,M,24.1,M,,", fix.quality, fix.hdop,
                  fix.altitude);
    return NmeaSentence("GPGGA," + Clock(fix.secondOfDay) + "," + Coordinate(fix.latitude, false) +
                        "," + Coordinate(fix.longitude, true) + tail);
}

std::string RmcSentence(const FixSentence& fix)
{
    char motion[48];
    std::snprintf(motion, sizeof motion, "%.2f,%.2f,%s,8.9,W", fix.speed, fix.course, fix.date);
    if (fix.quality == 0)
        return NmeaSentence("GPRMC," + Clock(fix.secondOfDay) + ",V,,,,," + motion + ",E");
    return NmeaSentence("GPRMC," + Clock(fix.secondOfDay) + ",A," +
                        Coordinate(fix.latitude, false) + "," + Coordinate(fix.longitude, true) +
                        "," + motion + ",A");
}

void Feed(CNMEAParser& parser, const std::string& bytes)
{
    parser.ProcessBytes(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
}

GeoPosition Offset(const GeoPosition& from, double northMetres, double eastMetres)
{
    const double radiansPerMetre = 1.0 / kEarthRadiusMetres;
    const double latitude =
        Latitude(from) + northMetres * radiansPerMetre * 180.0 / std::numbers::pi;
    const double longitude =
        Longitude(from) + eastMetres * radiansPerMetre * 180.0 / std::numbers::pi /
                              std::cos(Latitude(from) * std::numbers::pi / 180.0);
    GeoPosition result;
    result.latitude = static_cast<int32_t>(std::lround(latitude * 1e6));
    result.longitude = static_cast<int32_t>(std::lround(longitude * 1e6));
    return result;
}

double Latitude(const GeoPosition& position)
{
    return position.latitude * 1e-6;
}

double Longitude(const GeoPosition& position)
{
    return position.longitude * 1e-6;
}
