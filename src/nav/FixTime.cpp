#include "nav/FixTime.h"

#include "gps/NMEAParser.h"
#include "nav/UtcTime.h"

namespace {
constexpr int kSecondsPerDay = 86400;
constexpr int kHalfDay = kSecondsPerDay / 2;
} // namespace

uint32_t FixTimeStamp(const CNMEAParser& fix)
{
    const GgaState& gga = fix.Gga();
    const RmcState& rmc = fix.Rmc();
    if (rmc.count == 0)
        return 0;
    UtcDateTime when;
    when.year = rmc.year;
    when.month = rmc.month;
    when.day = rmc.day;
    uint32_t midnight = 0;
    if (!SecondsFromUtc(when, &midnight))
        return 0;
    const int ggaSecond = gga.hour * 3600 + gga.minute * 60 + gga.second;
    const int rmcSecond = rmc.hour * 3600 + rmc.minute * 60 + rmc.second;
    int64_t stamp = int64_t{midnight} + ggaSecond;
    if (ggaSecond - rmcSecond < -kHalfDay)
        stamp += kSecondsPerDay;
    else if (ggaSecond - rmcSecond > kHalfDay)
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
