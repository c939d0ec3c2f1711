#include "waypoints/ui/WPAverageStatusWnd.h"

#include <QFontMetrics>

namespace {

constexpr int kInsetX = 3;
constexpr int kInsetY = 1;
constexpr int kFontTenths = 70;

// Draws "label\tvalue" lines with the values lined up after the widest label; returns the
// height used.
int DrawTabbedLines(CDrawContext& dc, const QString& block, int left, int top, int right)
{
    const QStringList lines = block.split(QLatin1Char('\n'));
    int labelWidth = 0;
    for (const QString& line : lines)
        labelWidth =
            std::max(labelWidth, dc.GetTextExtent(line.section(QLatin1Char('\t'), 0, 0)).width());
    const int lineHeight = dc.GetTextMetrics().height;
    const int valueLeft = left + labelWidth + dc.GetTextMetrics().averageCharWidth * 2;
    int y = top;
    for (const QString& line : lines) {
        dc.DrawText(line.section(QLatin1Char('\t'), 0, 0), {left, y, right, y + lineHeight},
                    DT_LEFT | DT_SINGLELINE);
        dc.DrawText(line.section(QLatin1Char('\t'), 1), {valueLeft, y, right, y + lineHeight},
                    DT_LEFT | DT_SINGLELINE);
        y += lineHeight;
    }
    return y - top;
}

} // namespace

CWPAverageStatusWnd::CWPAverageStatusWnd(QWidget* parent)
    : CBufferedView(QStringLiteral("WPAverageStatusWnd"), parent),
      m_text(AveragingStatus({}, 0.0, 0))
{
    hide();
}

void CWPAverageStatusWnd::AveragingStarted()
{
    m_text = AveragingStatus({}, 0.0, 0);
    show();
    update();
}

void CWPAverageStatusWnd::AveragingUpdated(const GeoPosition& mean, double deviationKm,
                                           uint32_t samples)
{
    m_text = AveragingStatus(mean, deviationKm, samples);
    update();
}

void CWPAverageStatusWnd::AveragingStopped()
{
    hide();
}

QSize CWPAverageStatusWnd::sizeHint() const
{
    const QFontMetrics metrics(CreatePointFont(kFontTenths, Dpi()).font);
    const int width =
        metrics.horizontalAdvance(QStringLiteral("Avg Lon:  W 000° 00' 00.000  ")) + 2 * kInsetX;
    // The font is sized in device pixels; the layout counts logical ones.
    const QSizeF pixels(width, metrics.height() * 5 + 2 * kInsetY + 2);
    return (pixels / devicePixelRatioF()).toSize();
}

void CWPAverageStatusWnd::Draw(CDrawContext& dc, const GdiRect& client)
{
    dc.SelectPen(Qt::black);
    dc.SelectBrush(Qt::white);
    dc.Rectangle(client);
    dc.SelectFont(CreatePointFont(kFontTenths, Dpi()));
    dc.SetTextColor(Qt::black);
    dc.SetBkMode(BackgroundMode::Transparent);
    const int left = client.left + kInsetX;
    const int right = client.right - kInsetX;
    const int top = client.top + kInsetY;
    const int used = DrawTabbedLines(dc, m_text.position, left, top, right);
    DrawTabbedLines(dc, m_text.deviation, left, top + used, right);
}
