#pragma once

#include <climits>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

// Field access and number reading for the data part of one NMEA sentence.

// The fields of one sentence's data, found in one pass (by the framer as it collects the bytes,
// or by scanning), so that reading a field costs only that field. The data part holds at most
// 255 characters, so 256 fields always fit.
class CNmeaFields {
public:
    static constexpr int kMaxFields = 257;
    static constexpr size_t kMaxFieldLength = 24; // longer fields are cut
    static constexpr size_t kMaxDataLength = 255; // what the framer's data buffer holds

    // Scans a NUL-terminated data string. One longer than kMaxDataLength, which the framer
    // would have dropped (and whose offsets would not fit 16 bits), is refused: no fields.
    explicit CNmeaFields(const char* data);
    // Fields already found by the framer: `starts` holds `count` field offsets into `data`, which
    // holds no "*" (the framer ends the data there).
    CNmeaFields(const char* data, size_t length, const uint16_t* starts, int count);

    // The number of fields, a trailing empty one included.
    int Count() const { return m_count; }
    // Field `index` (0 = the first after the address), cut at "*" and to 24 characters. True when
    // the field is present and non-empty; a trailing empty field counts as absent.
    bool Field(int index, std::string_view& text) const;
    // The same as a NUL-terminated copy in `out` (at most size-1 characters); 1 or 0.
    int Get(int index, char* out, int size) const;
    // False for a data string the framer would have refused.
    bool Accepted() const { return m_count > 0; }

private:
    const char* m_data;
    size_t m_length;
    const uint16_t* m_starts;
    int m_count;
    bool m_mayHoldAsterisk; // a field then ends at "*" too
    uint16_t m_ownStarts[kMaxFields];
};

// Inline: the decoders call it for every field of every sentence.
inline bool CNmeaFields::Field(int index, std::string_view& text) const
{
    text = {};
    if (index < 0 || index >= m_count)
        return false;
    const size_t start = m_starts[index];
    const char* field = m_data + start;
    if (start >= m_length || *field == ',' || *field == '*')
        return false;
    size_t length;
    if (index + 1 < m_count) {
        length = m_starts[index + 1] - 1u - start;
    } else {
        const void* comma = std::memchr(field, ',', m_length - start);
        length =
            comma ? static_cast<size_t>(static_cast<const char*>(comma) - field) : m_length - start;
    }
    length = std::min(length, kMaxFieldLength);
    if (m_mayHoldAsterisk)
        if (const void* star = std::memchr(field, '*', length))
            length = static_cast<size_t>(static_cast<const char*>(star) - field);
    text = std::string_view(field, length);
    return true;
}

// The number readers are inline, like Field: they run for nearly every field.
namespace nmea_detail {

inline bool IsBlank(char c)
{
    return c == ' ' || (c >= '\t' && c <= '\r');
}
inline bool IsDigit(char c)
{
    return static_cast<unsigned char>(c - '0') <= 9;
}

// Reads an optionally signed integer like atoi from text[at...]; advances `at` past it and tells
// whether a minus sign led it. Values beyond 32 bits saturate instead of overflowing.
inline long long ReadInteger(std::string_view text, size_t& at, bool& negative)
{
    const size_t size = text.size();
    negative = false;
    if (at < size && !IsDigit(text[at])) {
        while (at < size && IsBlank(text[at]))
            ++at;
        negative = at < size && text[at] == '-';
        if (at < size && (text[at] == '-' || text[at] == '+'))
            ++at;
    }
    const size_t first = at;
    long long value = 0;
    for (; at < size && IsDigit(text[at]); ++at)
        if (at - first < 11)
            value = value * 10 + (text[at] - '0');
    if (value > INT_MAX)
        value = negative ? static_cast<long long>(INT_MAX) + 1 : INT_MAX;
    return negative ? -value : value;
}

} // namespace nmea_detail

// The integer at the start of `text` (blanks skipped, optional sign, digits up to the first
// other character), saturated to 32 bits.
inline int IntegerValue(std::string_view text)
{
    size_t at = 0;
    bool negative = false;
    return static_cast<int>(nmea_detail::ReadInteger(text, at, negative));
}

// A decimal number: the integer part as atoi reads it, the digits after the first "." as the
// fraction, which takes the sign of the number ("-0.5" is -0.5). Reading stops at the first
// character that does not fit; an empty text reads 0.
inline double ParseDecimal(std::string_view text)
{
    size_t at = 0; // the integer part ends at the first dot or before it
    bool negative = false;
    double value = static_cast<double>(nmea_detail::ReadInteger(text, at, negative));
    const size_t dot = at < text.size() && text[at] == '.' ? at : text.find('.', at);
    if (dot != std::string_view::npos) {
        static constexpr double kPowers[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,
                                             1e7,  1e8,  1e9,  1e10, 1e11, 1e12, 1e13,
                                             1e14, 1e15, 1e16, 1e17, 1e18};
        unsigned long long digits = 0;
        int n = 0;
        for (size_t q = dot + 1; q < text.size() && nmea_detail::IsDigit(text[q]) && n < 18;
             ++q, ++n)
            digits = digits * 10 + static_cast<unsigned>(text[q] - '0');
        const double fraction = static_cast<double>(digits) / kPowers[n];
        value += negative ? -fraction : fraction;
    }
    return value;
}

// The integer value of the two characters of `text` at `offset` (0 when the text is shorter).
int TwoCharacterNumber(std::string_view text, size_t offset);
// A ddmm.mmmm (degreeDigits 2) or dddmm.mmmm (3) coordinate in degrees.
double ParseDegreesMinutes(std::string_view text, size_t degreeDigits);
// `value` negated when field `index` of `fields` begins with `negativeLetter` ("S" or "W").
double ApplyHemisphere(double value, const CNmeaFields& fields, int index, char negativeLetter);
