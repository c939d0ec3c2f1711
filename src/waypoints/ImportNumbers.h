#pragma once

#include <QByteArrayView>

#include <cstdint>

// Numbers in the text of imported waypoint files, read the way a C-locale decimal reader reads
// them whatever locale the program runs in: leading blanks and a "+" are skipped, the leading
// number is taken and anything after it ignored; text that is not a number (or an infinity) gives
// 0. At most the first kImportNumberMaxChars characters are looked at.

constexpr qsizetype kImportNumberMaxChars = 259;

double LeadingDecimal(QByteArrayView text);
int32_t LeadingInteger(QByteArrayView text);

// Decimal degrees as microdegrees, truncated toward zero from the decimal value as written, so
// "35.972029" gives 35972029 (a double product would give 35972028.999... and lose a
// microdegree). Saturates at the 32-bit range; text that is not a number gives 0.
int32_t MicrodegreesFromText(QByteArrayView text);
