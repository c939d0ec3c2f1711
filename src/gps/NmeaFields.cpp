#include "gps/NmeaFields.h"

#include <algorithm>
#include <climits>
#include <cstring>

CNmeaFields::CNmeaFields(const char* data)
    : m_data(data), m_starts(m_ownStarts), m_count(1), m_mayHoldAsterisk(false)
{
    m_ownStarts[0] = 0;
    size_t i = 0;
    for (; data[i] != '\0'; ++i) {
        if (i == kMaxDataLength) {
            m_count = 0;
            m_length = 0;
            return;
        }
        if (data[i] == ',' && m_count < kMaxFields)
            m_ownStarts[m_count++] = static_cast<uint16_t>(i + 1);
        m_mayHoldAsterisk |= data[i] == '*';
    }
    m_length = i;
}

CNmeaFields::CNmeaFields(const char* data, size_t length, const uint16_t* starts, int count)
    : m_data(data), m_length(length), m_starts(starts), m_count(count), m_mayHoldAsterisk(false)
{}

int CNmeaFields::Get(int index, char* out, int size) const
{
    if (!out || size < 1)
        return 0;
    std::string_view text;
    const bool present = Field(index, text);
    const size_t n = std::min(text.size(), static_cast<size_t>(size - 1));
    if (n > 0)
        std::memcpy(out, text.data(), n);
    out[n] = '\0';
    return present ? 1 : 0;
}

int TwoCharacterNumber(std::string_view text, size_t offset)
{
    return offset < text.size() ? IntegerValue(text.substr(offset, 2)) : 0;
}

double ParseDegreesMinutes(std::string_view text, size_t degreeDigits)
{
    const std::string_view minutes =
        text.size() > degreeDigits ? text.substr(degreeDigits) : std::string_view();
    return ParseDecimal(minutes) / 60.0 + ParseDecimal(text.substr(0, degreeDigits));
}

double ApplyHemisphere(double value, const CNmeaFields& fields, int index, char negativeLetter)
{
    std::string_view hemisphere;
    if (fields.Field(index, hemisphere) && hemisphere[0] == negativeLetter)
        return -value;
    return value;
}
