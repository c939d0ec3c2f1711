#pragma once

#include "platform/ui/DrawContext.h"
#include "views/PlotSeries.h"

#include <QColor>
#include <QString>

// How a plot is coloured.
struct PlotColors {
    QColor background{255, 255, 225};
    QColor frame{128, 128, 128};
    QColor line{0, 255, 0};
    QColor zero{255, 0, 0};
    QColor grid{228, 228, 228};
    QColor title{0, 0, 196};
    QColor fill{192, 255, 192};
};

// A scrolling strip chart: the samples of a CPlotSeries drawn newest at the right as a filled
// curve over the zero line, with rounded y grid lines, vertical sample-number labels and a title.
class CORVSPlotWnd {
public:
    explicit CORVSPlotWnd(int capacity) : m_series(capacity) {}

    CPlotSeries& Series() { return m_series; }
    const CPlotSeries& Series() const { return m_series; }
    void SetColors(const PlotColors& colors) { m_colors = colors; }
    void SetTitle(const QString& title) { m_title = title; }
    const QString& Title() const { return m_title; }
    // x labels: the sample number times `factor` followed by `suffix`; lines alone when not shown.
    void SetXLabels(bool shown, double factor, const QString& suffix);
    void SetDivisions(int divisions) { m_divisions = divisions; }

    void Draw(CDrawContext& dc, const GdiRect& rect, int dpi);

private:
    void DrawCurve(CDrawContext& dc, const GdiRect& area, double sx, double sy, int y0,
                   int visible) const;
    void DrawYGrid(CDrawContext& dc, const GdiRect& area, double sy) const;
    void DrawXGrid(CDrawContext& dc, const GdiRect& area, double sx, int span,
                   const GdiFont& upright, const GdiFont& turned) const;

    CPlotSeries m_series;
    PlotColors m_colors;
    QString m_title = QStringLiteral("Untitled");
    bool m_xLabels = true;
    double m_xLabelFactor = 1.0;
    QString m_xLabelSuffix = QStringLiteral(" ");
    int m_divisions = 10;
};
