#include "views/ui/PlotWnd.h"

#include "views/PixelMath.h"

#include <QLine>

#include <algorithm>
#include <cmath>

#include <vector>

void CORVSPlotWnd::SetXLabels(bool shown, double factor, const QString& suffix)
{
    m_xLabels = shown;
    m_xLabelFactor = factor;
    m_xLabelSuffix = suffix;
}

void CORVSPlotWnd::Draw(CDrawContext& dc, const GdiRect& rect, int dpi)
{
    const GdiRect area{rect.left + 1, rect.top + 1, rect.right - 1, rect.bottom - 1};
    dc.SelectPen(m_colors.frame);
    dc.SelectBrush(m_colors.background);
    dc.Rectangle({area.left - 1, area.top - 1, area.right + 1, area.bottom + 1});
    if (area.IsEmpty())
        return;

    const int span = area.right - area.left;
    const double sx = 1.0; // the plot shows one sample per pixel
    const int visible = m_series.VisibleCount(span);
    m_series.Autoscale(visible);
    const double ySpan = m_series.YMax() - m_series.YMin();
    // A range of 0 (or a damaged one) leaves the y axis undrawn rather than dividing by it.
    const double sy = ySpan != 0 && std::isfinite(ySpan) ? (area.bottom - area.top) / ySpan : 0;

    dc.SetClipRect(area);
    const GdiFont labelFont = CreatePixelFont(dpi * 10 / 72);
    if (sy != 0) {
        const int y0 = area.bottom - TruncToPixel(-m_series.YMin() * sy);
        dc.SelectPen(m_colors.zero);
        dc.MoveTo(area.left, y0);
        dc.LineTo(area.right, y0);
        DrawCurve(dc, area, sx, sy, y0, visible);
        dc.SelectFont(labelFont);
        DrawYGrid(dc, area, sy);
    }
    const GdiFont turned = CreatePixelFont(dpi * 10 / 72, QStringLiteral("Tahoma"), false, 900);
    DrawXGrid(dc, area, sx, span, labelFont, turned);
    dc.SelectFont(CreatePixelFont(dpi * 14 / 72));
    dc.SetTextColor(m_colors.title);
    dc.SetBkMode(BackgroundMode::Transparent);
    const QSize title = dc.GetTextExtent(m_title);
    dc.DrawText(m_title,
                {area.right - title.width() - 3, area.top + 3, area.right - 3,
                 area.top + 3 + title.height()},
                DT_RIGHT | DT_TOP | DT_SINGLELINE | DT_NOCLIP);
    dc.ClearClip();
}

void CORVSPlotWnd::DrawCurve(CDrawContext& dc, const GdiRect& area, double sx, double sy, int y0,
                             int visible) const
{
    std::vector<QLine> fill, line;
    fill.reserve(static_cast<size_t>(visible));
    line.reserve(static_cast<size_t>(visible));
    QPoint previous;
    for (int i = 0; i < visible; ++i) {
        const QPoint p(area.right - TruncToPixel(i * sx),
                       area.bottom - TruncToPixel((m_series.Scaled(i) - m_series.YMin()) * sy));
        if (i > 0 && p.x() == previous.x())
            continue;
        if (i > 0) {
            fill.emplace_back(p.x(), p.y(), p.x(), y0);
            line.emplace_back(previous, p);
        }
        previous = p;
    }
    dc.SelectPen(m_colors.fill);
    dc.Lines(fill);
    dc.SelectPen(m_colors.line);
    dc.Lines(line);
}

void CORVSPlotWnd::DrawYGrid(CDrawContext& dc, const GdiRect& area, double sy) const
{
    dc.SetTextColor(m_colors.title);
    dc.SetBkMode(BackgroundMode::Transparent);
    for (const double v : m_series.YLabelValues(m_divisions)) {
        if (v == 0)
            continue; // the zero line stands there
        const int y = area.bottom - TruncToPixel((v - m_series.YMin()) * sy);
        dc.SelectPen(m_colors.grid);
        dc.MoveTo(area.left, y);
        dc.LineTo(area.right, y);
        const QString text = QString::asprintf("%.01f", v);
        const QSize extent = dc.GetTextExtent(text);
        dc.DrawText(text,
                    {area.left + 3, y - extent.height() - 1, area.left + 3 + extent.width(), y},
                    DT_LEFT | DT_TOP | DT_SINGLELINE | DT_NOCLIP);
    }
}

void CORVSPlotWnd::DrawXGrid(CDrawContext& dc, const GdiRect& area, double sx, int span,
                             const GdiFont& upright, const GdiFont& turned) const
{
    dc.SelectFont(upright);
    const int step = CPlotSeries::XLabelStep(dc.GetTextExtent(QStringLiteral("XXXX")).height(), sx);
    if (step == 0)
        return;
    dc.SetTextColor(m_colors.title);
    dc.SetBkMode(BackgroundMode::Transparent);
    const int shown = std::min(span, m_series.Capacity());
    for (int i = 0; i < shown; ++i) {
        const long long s = m_series.Count() - 1 - i;
        if (s % step != 0)
            continue;
        const int x = area.right - TruncToPixel(i * sx);
        dc.SelectPen(m_colors.grid);
        dc.MoveTo(x, area.top);
        dc.LineTo(x, area.bottom);
        if (s < 0 || !m_xLabels)
            continue; // before the first sample, or an empty label format: a bare line
        dc.SelectFont(upright);
        const QString text =
            QString::asprintf("%G", static_cast<double>(s) * m_xLabelFactor) + m_xLabelSuffix;
        const int th = dc.GetTextExtent(text).height();
        dc.SelectFont(turned);
        dc.SetTextAlign(TA_LEFT | TA_TOP);
        dc.ExtTextOut(x - th, area.bottom - 5, text);
    }
}
