#pragma once

#include <cstdint>
#include <string>

// A day of a 1 Hz receiver driving a 3 km circle at 10 m/s near Seoul: GGA, GSA, three GSV and
// RMC each second, a 30 s loss of fix every hour, a 2D fix now and then, crossing midnight.
namespace DayLog {

inline constexpr int kEpochs = 86400;
inline constexpr double kCentreLatitude = 37.40, kCentreLongitude = 127.10;
inline constexpr double kRadiusDegrees = 0.027;
inline constexpr uint32_t kStartTime = 1716033600; // 2024-05-18 12:00:00 UTC

std::string Make(int epochs = kEpochs);

} // namespace DayLog
