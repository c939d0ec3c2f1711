#include "DayLog.h"

#include "platform/UtcTime.h"

#include <cmath>
#include <cstdio>
#include <numbers>

namespace DayLog {

namespace {

std::string Sentence(const std::string& body)
{
    unsigned checksum = 0;
    for (char c : body)
        checksum ^= static_cast<unsigned char>(c);
    char tail[8];
    std::snprintf(tail, sizeof tail, "*%02X\r\n", checksum);
    return "$" + body + tail;
}

std::string Coordinate(double degrees, int degreeDigits)
{
    const double magnitude = std::fabs(degrees);
    const int whole = static_cast<int>(magnitude);
    char text[24];
    std::snprintf(text, sizeof text, "%0*d%07.4f", degreeDigits, whole, (magnitude - whole) * 60);
    return text;
}

} // namespace

std::string Make(int epochs)
{
    std::string log;
    log.reserve(static_cast<size_t>(epochs) * 460);
    const double lapSeconds = 2 * std::numbers::pi * 3000.0 / 10.0;
    for (int epoch = 0; epoch < epochs; ++epoch) {
        const uint32_t now = kStartTime + static_cast<uint32_t>(epoch);
        const UtcDateTime utc = UtcFromSeconds(now);
        char time[16], date[8];
        std::snprintf(time, sizeof time, "%02d%02d%02d.00", utc.hour, utc.minute, utc.second);
        std::snprintf(date, sizeof date, "%02d%02d%02d", utc.day, utc.month, utc.year % 100);
        const double angle = 2 * std::numbers::pi * epoch / lapSeconds;
        const double lat = kCentreLatitude + kRadiusDegrees * std::sin(angle);
        const double lon = kCentreLongitude + kRadiusDegrees * 1.26 * std::cos(angle);
        const double altitude = 60.0 + 20.0 * std::sin(angle * 3);
        const double course = std::fmod(360.0 + 180.0 - angle * 180.0 / std::numbers::pi, 360.0);
        const bool lost = epoch % 3600 >= 1800 && epoch % 3600 < 1830;
        const std::string t = time;
        const std::string position = Coordinate(lat, 2) + ",N," + Coordinate(lon, 3) + ",E";
        char tail[96];
        if (lost) {
            log += Sentence("GPGGA," + t + ",,,,,0,00,99.99,,,,,,");
            log += Sentence("GPGSA,A,1,,,,,,,,,,,,,99.99,99.99,99.99");
        } else {
            std::snprintf(tail, sizeof tail, ",%d,08,0.9,%.1f,M,24.1,M,,", epoch % 600 ? 1 : 2,
                          altitude);
            log += Sentence("GPGGA," + t + "," + position + tail);
            log += Sentence(epoch % 900 < 30 ? "GPGSA,A,2,02,05,07,,,,,,,,,,2.5,2.3,1.0"
                                             : "GPGSA,A,3,02,05,07,09,13,16,20,26,,,,,1.6,0.9,1.3");
        }
        log += Sentence("GPGSV,3,1,11,02,61,045,44,05,38,290,41,07,12,170,33,09,55,110,45");
        log += Sentence("GPGSV,3,2,11,13,21,250,36,16,08,035,28,20,73,310,47,26,30,200,39");
        log += Sentence("GPGSV,3,3,11,29,44,080,42,30,05,330,,31,02,150,");
        std::snprintf(tail, sizeof tail, ",19.44,%.2f,%s,8.9,W,A", course, date);
        log += Sentence("GPRMC," + t +
                        (lost ? ",V,,,,," + std::string(tail + 1) : ",A," + position + tail));
    }
    return log;
}

} // namespace DayLog
