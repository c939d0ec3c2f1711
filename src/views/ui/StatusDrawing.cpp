#include "views/ui/StatusDrawing.h"

#include "platform/ui/SystemColors.h"
#include "views/PixelMath.h"
#include "views/ui/ConstellationLegend.h"

#include <algorithm>
#include <climits>
#include <vector>

namespace {

constexpr int kSmallestSnrFont = 8; // pixels

// The frames of the chart: `n` of them across `bars`, their bars rising one forty-fifth of the
// height per dB-Hz above 5. With `fillNarrow`, frames too narrow for an outline and a fill
// inside it are drawn as plain fills, so that the bar still shows.
class CBarFrames {
public:
    CBarFrames(const GdiRect& bars, int n, bool fillNarrow = false)
        : m_bars(bars), m_pitch(static_cast<double>(bars.right - bars.left) / n),
          m_frameRight(bars.left + TruncToPixel(m_pitch + 0.5) - 2),
          m_q((bars.bottom - bars.top) * 0.022222222222222223),
          m_plain(fillNarrow && m_frameRight - m_bars.left < 4)
    {}

    GdiRect Frame(int i) const
    {
        const int shift = TruncToPixel(i * m_pitch) + 1;
        return {m_bars.left + shift, m_bars.top, m_frameRight + shift, m_bars.bottom};
    }

    int FrameWidth() const { return m_frameRight - m_bars.left; }

    // Frame `i` with the bar of `record` and its SNR in the current font, `snrHeight` high (none
    // when 0).
    void Draw(CDrawContext& dc, int i, const SignalRecord& record, int snrHeight) const
    {
        const GdiRect f = Frame(i);
        const int barTop = std::clamp(m_bars.bottom - TruncToPixel((record.snr - 5) * m_q),
                                      m_bars.top, m_bars.bottom);
        const QColor fill =
            GetSysColor(record.used == 1 ? SysColor::Highlight : SysColor::GrayText);
        if (m_plain) {
            dc.FillRect(f, Qt::white);
            dc.FillRect({f.left, barTop, f.right, m_bars.bottom}, fill);
            return;
        }
        dc.SelectPen(QColor(192, 192, 192));
        dc.SelectBrush(Qt::white);
        dc.Rectangle(f);
        dc.SelectBrush(fill);
        if (barTop < m_bars.bottom)
            dc.Rectangle({f.left, barTop, f.right, m_bars.bottom});
        if (snrHeight > 0 && barTop + snrHeight + 1 < m_bars.bottom) {
            dc.SetTextColor(GetSysColor(SysColor::HighlightText));
            dc.DrawText(QString::number(record.snr), {f.left, barTop, f.right, m_bars.bottom},
                        DT_CENTER | DT_TOP | DT_SINGLELINE | DT_NOCLIP);
        }
    }

private:
    GdiRect m_bars;
    double m_pitch;
    int m_frameRight;
    double m_q;
    bool m_plain;
};

// Texts centred under the frames in rows; a text that would come nearer than a space to the one
// before it in its row is left out, so that none overlaps or runs into another.
class CLabelRows {
public:
    CLabelRows(const CDrawContext& dc, int top, int rowHeight, int rows)
        : m_top(top), m_rowHeight(rowHeight), m_gap(dc.GetTextExtent(QStringLiteral(" ")).width())
    {
        m_rights.assign(static_cast<size_t>(rows), INT_MIN / 2);
    }

    void Draw(CDrawContext& dc, int row, int centre, const QString& text)
    {
        const int width = dc.GetTextExtent(text).width();
        const int left = centre - width / 2;
        int& right = m_rights[static_cast<size_t>(row)];
        if (left < right + m_gap)
            return;
        right = left + width;
        const int top = m_top + row * m_rowHeight;
        dc.DrawText(text, {left, top, left + width, top + m_rowHeight},
                    DT_CENTER | DT_TOP | DT_SINGLELINE | DT_NOCLIP);
    }

private:
    int m_top, m_rowHeight, m_gap;
    std::vector<int> m_rights;
};

// Several constellations: a font that leaves the bars room for the extra rows, a tick in the
// constellation's colour under each frame, the PRNs in two staggered rows when one is too
// tight, and each run of a constellation's bars named by its letter underneath.
void DrawMarkedSignalBars(CDrawContext& dc, GdiRect box, const SignalTable& table)
{
    const int width = box.right - box.left;
    const int fontHeight =
        std::min(TruncToPixel(0.04 * width + 0.5), std::max(9, box.Height() / 8));
    dc.SelectFont(CreatePixelFont(fontHeight));
    const int th = dc.GetTextExtent(QStringLiteral("X")).height();
    const int labelWidth = dc.GetTextExtent(QStringLiteral("00")).width();
    // Untracked satellites give way when the labels would not fit even in two rows.
    const std::vector<int> shown = SignalBarRecords(table, width / (labelWidth / 2 + 1));
    const int n = static_cast<int>(shown.size());
    if (n <= 0)
        return;
    const int labelRows = width / n > labelWidth + 1 ? 1 : 2;
    const int tick = std::max(3, th / 4); // a pixel apart from the frame
    const GdiRect bars{box.left, box.top, box.right, box.bottom - tick - (labelRows + 1) * th};
    if (bars.Height() <= 0)
        return;
    const CBarFrames frames(bars, n, true);
    // The SNR in a font narrow enough for two digits to fit a frame, none when that is unreadable.
    const GdiFont labelFont = dc.CurrentFont();
    const int frameWidth = frames.FrameWidth();
    const GdiFont snrFont = CreatePixelFont(
        labelWidth <= frameWidth ? fontHeight : fontHeight * frameWidth / labelWidth);
    dc.SelectFont(snrFont);
    const int snrHeight =
        snrFont.font.pixelSize() >= kSmallestSnrFont ? dc.GetTextMetrics().height : 0;
    dc.SelectFont(labelFont);
    const auto recordAt = [&](int i) -> const SignalRecord& {
        return table.records[static_cast<size_t>(shown[static_cast<size_t>(i)])];
    };

    CLabelRows prns(dc, bars.bottom + tick, th, labelRows);
    CLabelRows letters(dc, bars.bottom + tick + labelRows * th, th, 1);
    for (int i = 0; i < n; ++i) {
        const SignalRecord& record = recordAt(i);
        dc.SelectFont(snrFont);
        frames.Draw(dc, i, record, snrHeight);
        dc.SelectFont(labelFont);
        const GdiRect f = frames.Frame(i);
        dc.FillRect({f.left, bars.bottom + 1, f.right, bars.bottom + tick},
                    ConstellationColor(record.constellation));
        dc.SetTextColor(Qt::black);
        prns.Draw(dc, i % labelRows, (f.left + f.right) / 2, QString::number(record.prn));
    }
    for (int first = 0; first < n;) {
        const Constellation constellation = recordAt(first).constellation;
        int last = first;
        while (last + 1 < n && recordAt(last + 1).constellation == constellation)
            ++last;
        dc.SetTextColor(ConstellationColor(constellation));
        letters.Draw(dc, 0, (frames.Frame(first).left + frames.Frame(last).right) / 2,
                     QString(ConstellationLetter(constellation)));
        first = last + 1;
    }
}

} // namespace

void DrawSignalBars(CDrawContext& dc, GdiRect box, const SignalTable& table)
{
    box.top += 3;
    dc.SetBkMode(BackgroundMode::Transparent);
    if (table.Constellations().IsMixed()) {
        DrawMarkedSignalBars(dc, box, table);
        return;
    }
    dc.SelectFont(CreatePixelFont(TruncToPixel(0.04 * (box.right - box.left) + 0.5)));
    const int labelHeight = dc.GetTextExtent(QStringLiteral("X")).height();
    box.bottom -= labelHeight;

    const int n = table.ShownCount();
    if (n <= 0)
        return;
    const CBarFrames frames(box, n);
    for (int i = 0; i < n; ++i) {
        const SignalRecord& record = table.records[static_cast<size_t>(i)];
        frames.Draw(dc, i, record, labelHeight);
        const GdiRect f = frames.Frame(i);
        dc.SetTextColor(Qt::black);
        dc.DrawText(QString::number(record.prn),
                    {f.left, box.bottom, f.right, box.bottom + labelHeight},
                    DT_CENTER | DT_TOP | DT_SINGLELINE | DT_NOCLIP);
    }
}

GdiFont LabelFontFor(int boxHeight, int dpi)
{
    double points = 0.3 * boxHeight * 72.0 / dpi;
    if (points <= 7)
        points = 7;
    return CreatePixelFont(TruncToPixel(points * dpi / 72.0 + 0.5));
}

void DrawLabeledValue(CDrawContext& dc, const QString& value, const QString& label,
                      const QString& indicator, const GdiRect& box, int dpi)
{
    dc.RoundRect(box, 10, 10);
    const int height = box.Height();
    dc.SelectFont(CreatePixelFont(TruncToPixel(0.6 * height + 0.5)));
    dc.DrawText(value, box, DT_CENTER | DT_BOTTOM | DT_SINGLELINE);
    dc.SelectFont(LabelFontFor(height, dpi));
    const GdiRect labelBox{box.left + 3, box.top, box.right, box.bottom};
    dc.DrawText(label, labelBox, DT_LEFT | DT_TOP | DT_SINGLELINE);
    dc.DrawText(indicator, labelBox, DT_RIGHT | DT_TOP | DT_SINGLELINE);
}
