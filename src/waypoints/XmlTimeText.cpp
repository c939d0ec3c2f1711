#include "waypoints/XmlTimeText.h"

#include "platform/UtcTime.h"

namespace {

// Reads the fixed-width number at `at`; false when a character there is not a digit.
bool ReadDigits(QByteArrayView text, qsizetype at, qsizetype width, int* value)
{
    if (at + width > text.size())
        return false;
    int result = 0;
    for (qsizetype i = at; i < at + width; ++i) {
        if (text[i] < '0' || text[i] > '9')
            return false;
        result = result * 10 + (text[i] - '0');
    }
    *value = result;
    return true;
}

bool SeparatorAt(QByteArrayView text, qsizetype at, char separator)
{
    return at < text.size() && text[at] == separator;
}

// The zone offset in seconds east of UTC that starts at `at`, 0 when there is none.
int ZoneOffset(QByteArrayView text, qsizetype at)
{
    if (at >= text.size() || (text[at] != '+' && text[at] != '-'))
        return 0;
    const int sign = text[at] == '-' ? -1 : 1;
    int hours = 0;
    int minutes = 0;
    if (!ReadDigits(text, at + 1, 2, &hours))
        return 0;
    if (SeparatorAt(text, at + 3, ':'))
        ReadDigits(text, at + 4, 2, &minutes);
    return sign * (hours * 3600 + minutes * 60);
}

} // namespace

int32_t SecondsFromXmlTime(QByteArrayView text)
{
    while (!text.isEmpty() && (text.front() == ' ' || text.front() == '\t' ||
                               text.front() == '\n' || text.front() == '\r'))
        text = text.sliced(1);

    // Each part at its place; reading stops at the first separator that does not match.
    UtcDateTime when;
    struct Part {
        qsizetype at;
        qsizetype width;
        char separatorBefore;
        int* value;
    };
    const Part parts[] = {{0, 4, 0, &when.year},      {5, 2, '-', &when.month},
                          {8, 2, '-', &when.day},     {11, 2, 'T', &when.hour},
                          {14, 2, ':', &when.minute}, {17, 2, ':', &when.second}};
    bool complete = true;
    for (const Part& part : parts) {
        if (part.separatorBefore != 0 && !SeparatorAt(text, part.at - 1, part.separatorBefore)) {
            complete = false;
            break;
        }
        if (!ReadDigits(text, part.at, part.width, part.value)) {
            complete = false;
            break;
        }
    }

    int offset = 0;
    if (complete) {
        qsizetype at = 19;
        if (SeparatorAt(text, at, '.'))
            for (++at; at < text.size() && text[at] >= '0' && text[at] <= '9'; ++at) {
            }
        offset = ZoneOffset(text, at);
    }

    uint32_t seconds = 0;
    if (!SecondsFromUtc(when, &seconds))
        return 0;
    const int64_t utc = static_cast<int64_t>(seconds) - offset;
    if (utc < 0)
        return 0;
    // Stored as 32 unsigned bits in the database file; held in a signed field in memory.
    return static_cast<int32_t>(static_cast<uint32_t>(utc));
}
