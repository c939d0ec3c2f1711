#include "gps/NmeaFields.h"

#include <climits>
#include <cstring>

CNmeaFields::CNmeaFields(const char* data) : m_data(data)
{
    m_starts[m_count++] = 0;
    for (int i = 0; data[i] != '\0' && m_count < kMaxFields; ++i)
        if (data[i] == ',')
            m_starts[m_count++] = static_cast<uint16_t>(i + 1);
}

int CNmeaFields::Get(int index, char* out, int size) const
{
    if (!out || size < 1)
        return 0;
    out[0] = '\0';
    if (index < 0 || index >= m_count)
        return 0;
    const char* field = m_data + m_starts[index];
    if (*field == '\0' || *field == ',' || *field == '*')
        return 0;
    int n = 0;
    while (n < size - 1 && field[n] != '\0' && field[n] != ',' && field[n] != '*') {
        out[n] = field[n];
        ++n;
    }
    out[n] = '\0';
    return 1;
}

namespace {

bool IsBlank(char c)
{
    return c == ' ' || (c >= '\t' && c <= '\r');
}
bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

// Reads an optionally signed integer like atoi; `negative` tells whether a minus sign led it.
long long ReadInteger(const char*& p, bool& negative)
{
    while (IsBlank(*p))
        ++p;
    negative = *p == '-';
    if (*p == '-' || *p == '+')
        ++p;
    long long value = 0;
    for (; IsDigit(*p); ++p)
        if (value <= INT_MAX)
            value = value * 10 + (*p - '0');
    if (value > INT_MAX)
        value = negative ? static_cast<long long>(INT_MAX) + 1 : INT_MAX;
    return negative ? -value : value;
}

} // namespace

int IntegerValue(const char* text)
{
    bool negative = false;
    return static_cast<int>(ReadInteger(text, negative));
}

double ParseDecimal(const char* text)
{
    const char* dot = std::strchr(text, '.');
    const char* p = text; // the integer part ends at the dot or before it
    bool negative = false;
    double value = static_cast<double>(ReadInteger(p, negative));
    if (dot) {
        static constexpr double kPowers[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,
                                             1e7,  1e8,  1e9,  1e10, 1e11, 1e12, 1e13,
                                             1e14, 1e15, 1e16, 1e17, 1e18};
        unsigned long long digits = 0;
        int n = 0;
        for (const char* q = dot + 1; IsDigit(*q) && n < 18; ++q, ++n)
            digits = digits * 10 + static_cast<unsigned>(*q - '0');
        const double fraction = static_cast<double>(digits) / kPowers[n];
        value += negative ? -fraction : fraction;
    }
    return value;
}

int TwoCharacterNumber(const char* text, int offset)
{
    if (static_cast<int>(std::strlen(text)) <= offset)
        return 0;
    const char pair[3] = {text[offset], text[offset + 1], '\0'};
    return IntegerValue(pair);
}

double ParseDegreesMinutes(const char* text, int degreeDigits)
{
    char degrees[4] = {};
    std::strncpy(degrees, text, static_cast<size_t>(degreeDigits));
    const bool hasMinutes = static_cast<int>(std::strlen(text)) > degreeDigits;
    return ParseDecimal(hasMinutes ? text + degreeDigits : "") / 60.0 + ParseDecimal(degrees);
}

double ApplyHemisphere(double value, const CNmeaFields& fields, int index, char negativeLetter)
{
    char hemisphere[25];
    if (fields.Get(index, hemisphere, sizeof hemisphere) && hemisphere[0] == negativeLetter)
        return -value;
    return value;
}
