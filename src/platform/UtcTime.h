#pragma once

#include <cstdint>

// A calendar date and time of day in UTC (proleptic Gregorian calendar).
struct UtcDateTime {
    int year = 1970;
    int month = 1; // 1..12
    int day = 1;   // 1..31
    int hour = 0;
    int minute = 0;
    int second = 0;
};

// Seconds since 1970-01-01 00:00:00 UTC of `when`, as timegm counts them (a second of 60 is the
// first second of the next minute). False when `when` is not a real date and time or lies
// outside what 32 unsigned bits hold (1970 to 2106).
bool SecondsFromUtc(const UtcDateTime& when, uint32_t* seconds);

// The UTC date and time `seconds` after 1970-01-01 00:00:00, as gmtime gives it.
UtcDateTime UtcFromSeconds(uint32_t seconds);
