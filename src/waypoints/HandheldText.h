#pragma once

#include <QString>

// The 8-bit text of older waypoint files, written on a Korean handheld: code page 949 (CP949,
// a superset of ASCII and EUC-KR). Bytes that do not form a character become U+FFFD.
QString DecodeHandheldText(const char* bytes, qsizetype size);
