#pragma once

#include <QString>

// The 8-bit text of older waypoint files (versions 2 to 4 and the text format). They were
// written on a Korean handheld, so the code page is 949 (CP949, a superset of ASCII and EUC-KR)
// unless another is chosen. Bytes that do not form a character become U+FFFD.
QString DecodeHandheldText(const char* bytes, qsizetype size);

// Chooses the code page of files made on another handheld, by its iconv name ("CP1252",
// "SHIFT_JIS", ...). False, and the code page unchanged, when the name is not known.
bool SetHandheldCodePage(const QByteArray& iconvName);
