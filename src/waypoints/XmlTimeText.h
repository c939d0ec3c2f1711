#pragma once

#include <QByteArrayView>

#include <cstdint>

// The time texts of GPX and groundspeak elements, YYYY-MM-DDTHH:MM:SS, optionally followed by a
// fraction of the second (dropped) and a zone offset +HH:MM or -HH:MM, as seconds since
// 1970-01-01 UTC. A text that ends early or breaks the pattern keeps what was read before the
// break (missing parts are 0, month and day 1); a time without an offset (or with "Z") is UTC.
// Times before 1970 give 0.
int32_t SecondsFromXmlTime(QByteArrayView text);
