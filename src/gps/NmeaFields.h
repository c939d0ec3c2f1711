#pragma once

#include <cstdint>

// Field access and number reading for the data part of one NMEA sentence.

// Finds the field boundaries of a sentence's data in one pass, so that each field costs only its
// own copy. The data part holds at most 255 characters, so 256 fields always fit.
class CNmeaFields {
public:
    explicit CNmeaFields(const char* data);

    // Copies field `index` into `out` (at most size-1 characters). 1 when the field is present and
    // non-empty; otherwise 0 with `out` empty. A trailing empty field counts as absent.
    int Get(int index, char* out, int size) const;

private:
    static constexpr int kMaxFields = 257;
    const char* m_data;
    int m_count = 0;
    uint16_t m_starts[kMaxFields];
};

// A decimal number: the integer part as atoi reads it, the digits after the first "." as the
// fraction, which takes the sign of the number ("-0.5" is -0.5). Reading stops at the first
// character that does not fit; an empty text reads 0.
double ParseDecimal(const char* text);
// The integer at the start of `text` (blanks skipped, optional sign, digits up to the first
// other character), saturated to 32 bits.
int IntegerValue(const char* text);
// The integer value of the two characters of `text` at `offset` (0 when the text is shorter).
int TwoCharacterNumber(const char* text, int offset);
// A ddmm.mmmm (degreeDigits 2) or dddmm.mmmm (3) coordinate in degrees.
double ParseDegreesMinutes(const char* text, int degreeDigits);
// `value` negated when field `index` of `fields` begins with `negativeLetter` ("S" or "W").
double ApplyHemisphere(double value, const CNmeaFields& fields, int index, char negativeLetter);
