#include "waypoints/HtmlTemplate.h"

namespace {

// One output line, bounded; a cut never splits a UTF-8 sequence.
class CBoundedLine {
public:
    explicit CBoundedLine(QByteArray& out) : m_out(out), m_start(out.size()) {}

    void Append(QByteArrayView bytes)
    {
        if (m_cut)
            return;
        const qsizetype room = kMaxPageLineBytes - (m_out.size() - m_start);
        if (bytes.size() <= room) {
            m_out.append(bytes);
            return;
        }
        qsizetype keep = room;
        while (keep > 0 && (static_cast<unsigned char>(bytes[keep]) & 0xC0) == 0x80)
            --keep;
        m_out.append(bytes.first(keep));
        m_cut = true;
    }
    bool Cut() const { return m_cut; }

private:
    QByteArray& m_out;
    qsizetype m_start;
    bool m_cut = false;
};

// Fills one line (without its line feed) into `out`; true when it had to be cut.
bool FillLine(QByteArrayView line, const PlaceholderValue& value, QByteArray& out)
{
    CBoundedLine filled(out);
    qsizetype at = 0;
    while (at < line.size() && !filled.Cut()) {
        const qsizetype open = line.indexOf("<!--", at);
        if (open < 0) {
            filled.Append(line.sliced(at));
            break;
        }
        const qsizetype close = line.indexOf("-->", open + 4);
        if (close < 0) {
            // An unclosed comment: the rest of the line stays as it is.
            filled.Append(line.sliced(at));
            break;
        }
        filled.Append(line.sliced(at, open - at));
        if (const std::optional<QByteArray> replacement =
                value(line.sliced(open + 4, close - open - 4)))
            filled.Append(*replacement);
        at = close + 3;
    }
    return filled.Cut();
}

} // namespace

FilledTemplate FillTemplate(QByteArrayView templateText, const PlaceholderValue& value)
{
    FilledTemplate result;
    result.text.reserve(templateText.size() * 2);
    QByteArrayView rest = templateText;
    while (!rest.isEmpty()) {
        const qsizetype newline = rest.indexOf('\n');
        const QByteArrayView line = newline < 0 ? rest : rest.first(newline);
        rest = newline < 0 ? QByteArrayView() : rest.sliced(newline + 1);
        if (line.contains("<!--")) {
            if (FillLine(line, value, result.text))
                ++result.linesCut;
        } else {
            result.text.append(line);
        }
        if (newline >= 0)
            result.text.append('\n');
    }
    return result;
}
