#include "nav/FixTime.h"

#include "gps/NMEAParser.h"
#include "platform/Clock.h"
#include "platform/UtcTime.h"

#include <algorithm>

namespace {
constexpr int kSecondsPerDay = 86400;
constexpr int kHalfDay = kSecondsPerDay / 2;
} // namespace

uint32_t FixTimeStamp(const CNMEAParser& fix)
{
    const GgaState& gga = fix.Gga();
    const RmcState& rmc = fix.Rmc();
    UtcDateTime reference;
    if (rmc.count > 0) {
        reference.year = rmc.year;
        reference.month = rmc.month;
        reference.day = rmc.day;
        reference.hour = rmc.hour;
        reference.minute = rmc.minute;
        reference.second = rmc.second;
    } else {
        reference =
            UtcFromSeconds(static_cast<uint32_t>(std::clamp<int64_t>(Clock::Now(), 0, UINT32_MAX)));
    }
    UtcDateTime date = reference;
    date.hour = date.minute = date.second = 0;
    uint32_t midnight = 0;
    if (!SecondsFromUtc(date, &midnight))
        return 0;
    const int ggaSecond = gga.hour * 3600 + gga.minute * 60 + gga.second;
    const int referenceSecond = reference.hour * 3600 + reference.minute * 60 + reference.second;
    int64_t stamp = int64_t{midnight} + ggaSecond;
    if (ggaSecond - referenceSecond < -kHalfDay)
        stamp += kSecondsPerDay;
    else if (ggaSecond - referenceSecond > kHalfDay)
        stamp -= kSecondsPerDay;
    if (stamp < 0 || stamp > int64_t{UINT32_MAX})
        return 0;
    return static_cast<uint32_t>(stamp);
}

double FixTimeOfDay(const CNMEAParser& fix)
{
    const GgaState& gga = fix.Gga();
    return gga.hour * 3600.0 + gga.minute * 60.0 + gga.seconds;
}
