#include "platform/UtcTime.h"

namespace {

bool IsLeapYear(int64_t year)
{
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int DaysInMonth(int64_t year, int month)
{
    static constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

// Days from 1970-01-01 to the given date (Howard Hinnant's days_from_civil).
int64_t DaysFromCivil(int64_t year, int month, int day)
{
    year -= month <= 2;
    const int64_t era = (year >= 0 ? year : year - 399) / 400;
    const int64_t yearOfEra = year - era * 400;
    const int64_t dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
}

} // namespace

bool SecondsFromUtc(const UtcDateTime& when, uint32_t* seconds)
{
    if (when.month < 1 || when.month > 12 || when.day < 1 ||
        when.day > DaysInMonth(when.year, when.month) || when.hour < 0 || when.hour > 23 ||
        when.minute < 0 || when.minute > 59 || when.second < 0 || when.second > 60)
        return false;
    const int64_t total = DaysFromCivil(when.year, when.month, when.day) * 86400 +
                          when.hour * 3600 + when.minute * 60 + when.second;
    if (total < 0 || total > UINT32_MAX)
        return false;
    *seconds = static_cast<uint32_t>(total);
    return true;
}

UtcDateTime UtcFromSeconds(uint32_t seconds)
{
    // Howard Hinnant's civil_from_days on the day count; all values here are non-negative.
    const int64_t days = seconds / 86400;
    const int secondOfDay = static_cast<int>(seconds % 86400);
    const int64_t shifted = days + 719468;
    const int64_t era = shifted / 146097;
    const int64_t dayOfEra = shifted - era * 146097;
    const int64_t yearOfEra =
        (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const int64_t monthIndex = (5 * dayOfYear + 2) / 153; // March = 0
    UtcDateTime result;
    result.day = static_cast<int>(dayOfYear - (153 * monthIndex + 2) / 5 + 1);
    result.month = static_cast<int>(monthIndex < 10 ? monthIndex + 3 : monthIndex - 9);
    result.year = static_cast<int>(yearOfEra + era * 400 + (result.month <= 2));
    result.hour = secondOfDay / 3600;
    result.minute = secondOfDay / 60 % 60;
    result.second = secondOfDay % 60;
    return result;
}
