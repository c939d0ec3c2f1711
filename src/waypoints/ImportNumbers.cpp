#include "waypoints/ImportNumbers.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>

namespace {

bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

QByteArrayView NumberStart(QByteArrayView text)
{
    text = text.first(std::min(text.size(), kImportNumberMaxChars));
    while (!text.isEmpty() && IsBlank(text.front()))
        text = text.sliced(1);
    // from_chars takes a "-" but not a "+"; "+-1" is no number, as for strtod.
    if (text.size() > 1 && text.front() == '+' && text[1] != '-')
        text = text.sliced(1);
    return text;
}

int32_t Saturated(long double value)
{
    if (std::isnan(value))
        return 0;
    return static_cast<int32_t>(std::clamp<long double>(value, std::numeric_limits<int32_t>::min(),
                                                        std::numeric_limits<int32_t>::max()));
}

} // namespace

double LeadingDecimal(QByteArrayView text)
{
    text = NumberStart(text);
    double value = 0.0;
    const auto [end, error] = std::from_chars(text.begin(), text.end(), value);
    return error == std::errc() && std::isfinite(value) ? value : 0.0;
}

int32_t LeadingInteger(QByteArrayView text)
{
    text = NumberStart(text);
    long long value = 0;
    const auto [end, error] = std::from_chars(text.begin(), text.end(), value);
    if (error == std::errc::result_out_of_range)
        return !text.isEmpty() && text.front() == '-' ? std::numeric_limits<int32_t>::min()
                                                      : std::numeric_limits<int32_t>::max();
    return error == std::errc() ? Saturated(value) : 0;
}

int32_t MicrodegreesFromText(QByteArrayView text)
{
    const QByteArrayView number = NumberStart(text);
    // Plain "-ddd.dddddd": the integer and the first six decimals, the rest cut off.
    qsizetype at = 0;
    const bool negative = at < number.size() && number[at] == '-';
    if (negative)
        ++at;
    long double whole = 0;
    qsizetype digits = 0;
    for (; at < number.size() && IsDigit(number[at]); ++at, ++digits)
        whole = whole * 10 + (number[at] - '0');
    long long micro = 0;
    qsizetype decimals = 0;
    if (at < number.size() && number[at] == '.') {
        for (++at; at < number.size() && IsDigit(number[at]); ++at, ++digits)
            if (decimals < 6) {
                micro = micro * 10 + (number[at] - '0');
                ++decimals;
            }
    }
    const bool exponent = at < number.size() && (number[at] == 'e' || number[at] == 'E');
    if (digits == 0 || exponent) {
        // Anything else a decimal reader takes ("1e-3", "inf"): through the double.
        return Saturated(std::trunc(static_cast<long double>(LeadingDecimal(number)) * 1000000));
    }
    for (; decimals < 6; ++decimals)
        micro *= 10;
    const long double value = whole * 1000000 + micro;
    return Saturated(negative ? -value : value);
}
