#pragma once

#include <cstdint>

class CNMEAParser;

// The time stamp of the current fix in seconds since 1970-01-01 UTC: the date of the last RMC
// with the hour, minute and whole second of the last GGA. A receiver sends GGA before RMC, so
// the GGA of the first second after midnight still sees the previous day's RMC date; a GGA
// time more than twelve hours away from the RMC time is taken to lie on the neighbouring day.
// Before any RMC has brought a date, the UTC date of Clock::Now() stands in for it. 0 (no time
// recorded) when the date is not a real one.
uint32_t FixTimeStamp(const CNMEAParser& fix);

// The GGA time of day in seconds, with the fraction of the second.
double FixTimeOfDay(const CNMEAParser& fix);
