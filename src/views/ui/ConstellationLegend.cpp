#include "views/ui/ConstellationLegend.h"

#include "views/PixelMath.h"
#include "views/SatelliteView.h"

#include <algorithm>

namespace {

QString EntryText(Constellation constellation)
{
    return QLatin1Char(' ') + ConstellationName(constellation);
}

} // namespace

QColor ConstellationColor(Constellation constellation)
{
    switch (constellation) {
    case Constellation::GPS:
        return {0, 144, 0};
    case Constellation::GLONASS:
        return {176, 0, 160};
    case Constellation::Galileo:
        return {0, 96, 208};
    case Constellation::BeiDou:
        return {216, 104, 0};
    case Constellation::QZSS:
        return {0, 144, 152};
    case Constellation::NavIC:
        return {144, 96, 0};
    case Constellation::SBAS:
        return {96, 96, 48};
    }
    return Qt::black;
}

int LetterAndTextWidth(const CDrawContext& dc, Constellation constellation, const QString& text)
{
    return dc.GetTextExtent(QString(ConstellationLetter(constellation))).width() +
           dc.GetTextExtent(text).width();
}

void DrawLetterAndText(CDrawContext& dc, Constellation constellation, const QString& text,
                       const QColor& textColour, int left, int top)
{
    const QString letter(ConstellationLetter(constellation));
    const int letterWidth = dc.GetTextExtent(letter).width();
    const int height = dc.GetTextMetrics().height;
    dc.SetTextColor(ConstellationColor(constellation));
    dc.DrawText(letter, {left, top, left + letterWidth, top + height},
                DT_CENTER | DT_TOP | DT_SINGLELINE | DT_NOCLIP);
    dc.SetTextColor(textColour);
    dc.DrawText(text,
                {left + letterWidth, top, left + letterWidth + dc.GetTextExtent(text).width(),
                 top + height},
                DT_LEFT | DT_TOP | DT_SINGLELINE | DT_NOCLIP);
}

CConstellationLegend::CConstellationLegend(CDrawContext& dc, const GdiRect& rect,
                                           const CConstellationSet& present, int symbolReach)
    : m_font(CreatePixelFont(
          std::max(9, TruncToPixel(0.06 * std::min(rect.Width(), rect.Height()) + 0.5)))),
      m_sky(rect)
{
    const std::vector<Constellation> members = present.Members();
    if (members.empty())
        return;
    const GdiFont previous = dc.CurrentFont();
    dc.SelectFont(m_font);
    const int lineHeight = dc.GetTextMetrics().height;
    const int gap = dc.GetTextExtent(QStringLiteral("  ")).width();
    std::vector<int> widths;
    std::vector<QSize> sizes;
    for (const Constellation constellation : members) {
        widths.push_back(LetterAndTextWidth(dc, constellation, EntryText(constellation)));
        sizes.emplace_back(widths.back(), lineHeight);
    }
    dc.SelectFont(previous);

    // Under a satellite on the horizon its PRN hangs a line of the sky's font below the disc.
    const int skyLine = TruncToPixel(0.08 * std::min(rect.Width(), rect.Height()) + 0.5);
    const int reach = symbolReach + skyLine;
    const QRect whole = rect.ToQRect();
    const std::vector<QPoint> corners =
        PlaceLegendInCorners(sizes, whole, SkySquare(whole), symbolReach, reach);
    if (!corners.empty()) {
        for (size_t i = 0; i < members.size(); ++i)
            m_entries.push_back({members[i], corners[i]});
        return;
    }
    const std::vector<int> rows = WrapLegendRows(widths, gap, rect.Width() - 4);
    const int legendTop = rect.bottom - static_cast<int>(rows.size()) * lineHeight;
    m_sky.bottom = legendTop - reach;
    size_t next = 0;
    for (size_t row = 0; row < rows.size(); ++row) {
        int x = rect.left + 2;
        for (int k = 0; k < rows[row]; ++k, ++next) {
            m_entries.push_back(
                {members[next], QPoint(x, legendTop + static_cast<int>(row) * lineHeight)});
            x += widths[next] + gap;
        }
    }
}

void CConstellationLegend::Draw(CDrawContext& dc) const
{
    dc.SelectFont(m_font);
    dc.SetBkMode(BackgroundMode::Transparent);
    for (const Entry& entry : m_entries)
        DrawLetterAndText(dc, entry.constellation, EntryText(entry.constellation), Qt::black,
                          entry.at.x(), entry.at.y());
}
