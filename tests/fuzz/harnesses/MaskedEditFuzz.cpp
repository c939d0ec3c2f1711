// The masked edit: a mask (a coordinate mask of a position format, or one the input makes) and a
// run of edits the input makes, as keys, the clipboard and selections make them. The field keeps
// its length and its literals, every cursor it returns lies in the field, and a coordinate field
// parses as the entry parses it.

#include "fuzz/FuzzHarness.h"
#include "geo/Units.h"
#include "waypoints/PicMask.h"

namespace {

QString Text(CFuzzInput& input)
{
    const std::span<const uint8_t> bytes = input.Bytes(input.Byte() % 24);
    return QString::fromLatin1(reinterpret_cast<const char*>(bytes.data()),
                               static_cast<qsizetype>(bytes.size()));
}

int PlaceholderCount(const CPicMask& field)
{
    int count = 0;
    for (int i = 0; i < field.Length(); ++i)
        count += field.IsPlaceholder(i) ? 1 : 0;
    return count;
}

} // namespace

void FuzzMaskedEdit(const uint8_t* data, size_t size)
{
    CFuzzInput input(data, size);
    const uint8_t choice = input.Byte();
    const int format = choice / 4 % 3;
    const bool coordinate = choice % 4 < 2;
    const QString mask = choice % 4 == 0   ? LatitudeMask(format)
                         : choice % 4 == 1 ? LongitudeMask(format)
                                           : Text(input);
    CPicMask field(mask, QLatin1Char(choice & 0x80 ? '_' : ' '));
    const QString empty = field.DisplayText();
    const int placeholders = PlaceholderCount(field);

    while (!input.Empty()) {
        const uint8_t edit = input.Byte();
        const bool overwrite = edit & 8;
        const int position = input.Byte() - 8; // also before the field and past its end
        switch (edit % 6) {
        case 0: {
            const int cursor = field.Type(position, QChar(input.Byte()), overwrite);
            FuzzCheck(cursor == -1 || (cursor > 0 && cursor <= field.Length()),
                      "typing put the cursor outside the field");
            break;
        }
        case 1:
            field.Delete(position);
            break;
        case 2:
            field.DeleteRange(position, position + input.Byte() % 16);
            break;
        case 3:
            field.Paste(position, Text(input), overwrite);
            break;
        case 4:
            field.SetText(Text(input));
            break;
        default: {
            const int next = field.NextPlaceholder(position);
            const int previous = field.PreviousPlaceholder(position);
            FuzzCheck(next >= 0 && next <= field.Length() && previous >= -1 &&
                          previous < field.Length(),
                      "a placeholder search left the field");
            break;
        }
        }
        const QString shown = field.DisplayText();
        FuzzCheck(shown.size() == empty.size(), "the field changed its length");
        for (int i = 0; i < field.Length(); ++i)
            FuzzCheck(field.IsPlaceholder(i) || shown[i] == empty[i], "a literal was overwritten");
        FuzzCheck(field.Value().size() == placeholders, "the value lost or gained characters");
    }
    if (coordinate)
        ParseCoordinate(field.Value().replace(QLatin1Char(' '), QLatin1Char('0')), format);
}
