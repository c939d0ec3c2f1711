#include "views/ui/DialGauges.h"

#include "platform/ui/SystemColors.h"
#include "views/PixelMath.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double kDegreesToRadians = 0.017453292519944444;
constexpr double kNinetieth = 0.011111111111111112;

QString Number(int value)
{
    return QString::number(value);
}

} // namespace

CDialGauge::CDialGauge()
    : m_text(GetSysColor(SysColor::WindowText)), m_background(GetSysColor(SysColor::Window)),
      m_indicator(GetSysColor(SysColor::Highlight))
{}

void CDialGauge::SetColors(const QColor& indicator, const QColor& text, const QColor& background)
{
    m_indicator = indicator;
    m_text = text;
    m_background = background;
}

void CDialGauge::SetRect(const GdiRect& rect)
{
    m_rect = rect;
    m_face = {rect.left + 1, rect.top + 1, rect.right - 1, rect.bottom - 1};
    const int w = m_face.Width(), h = m_face.Height();
    m_cy = m_face.top + h * 0.5;
    m_cx = m_face.left + w * 0.5;
    if (w < h) {
        m_radius = w * 0.5;
        m_face.top = TruncToPixel(m_cy - m_radius);
        m_face.bottom = TruncToPixel(m_cy + m_radius);
    } else {
        m_radius = h * 0.5;
        m_face.left = TruncToPixel(m_cx - m_radius);
        m_face.right = TruncToPixel(m_cx + m_radius);
    }
}

void CDialGauge::Draw(CDrawContext& dc, const GdiRect& rect, int dpi)
{
    m_dpi = dpi;
    SetRect(rect);
    if (m_radius <= 0)
        return;
    dc.SetBkMode(BackgroundMode::Transparent);
    dc.SetTextAlign(TA_LEFT | TA_TOP);
    DrawGauge(dc);
}

QPoint CDialGauge::PointAt(double theta, double r) const
{
    const double a = theta * kDegreesToRadians;
    const double u = m_radius * kNinetieth;
    return QPoint(TruncToPixel(std::sin(a) * r * u + m_cx),
                  TruncToPixel(-std::cos(a) * r * u + m_cy));
}

GdiFont CDialGauge::PointFont(int length, bool bold) const
{
    const int pixelsPerPoint = std::max(1, m_dpi / 72);
    return CreatePointFont(length / pixelsPerPoint, m_dpi, QStringLiteral("Tahoma"), bold);
}

void CDialGauge::DrawFace(CDrawContext& dc) const
{
    dc.SelectPen(m_text, FaceWidth() / 80);
    dc.SelectBrush(m_background);
    dc.Ellipse(m_face);
}

void CDialGauge::DrawTick(CDrawContext& dc, double theta, double from, double to) const
{
    dc.MoveTo(PointAt(theta, from));
    dc.LineTo(PointAt(theta, to));
}

void CDialGauge::DrawCentredAt(CDrawContext& dc, const QString& text, QPoint point)
{
    const int width = dc.GetTextExtent(text).width();
    const int height = dc.GetTextMetrics().height;
    dc.ExtTextOut(point.x() - width / 2, point.y() - height / 2, text);
}

template <typename Label>
void CDialGauge::DrawFiftyTicks(CDrawContext& dc, const GdiFont& font, Label label) const
{
    dc.SelectFont(font);
    dc.SetTextColor(m_text);
    for (int i = 0; i < 50; ++i) {
        const double theta = 7.2 * i;
        const bool major = i % 5 == 0;
        DrawTick(dc, theta, 89.9, major ? 73 : 80);
        if (major)
            DrawCentredAt(dc, label(i / 5), PointAt(theta, 63));
    }
}

void CDialGauge::DrawReadout(CDrawContext& dc, const QString& text, const QString& unit,
                             bool centred, const QString& caption) const
{
    const GdiTextMetrics metrics = dc.GetTextMetrics();
    const int th = metrics.height, cw = metrics.averageCharWidth;
    const QSize extent = dc.GetTextExtent(QStringLiteral("-00000.00 ") + unit);
    GdiRect box;
    box.left = TruncToPixel(m_cx - extent.width() / 2.0);
    box.right = box.left + extent.width();
    box.top = TruncToPixel(m_cy) + extent.height();
    box.bottom = box.top + extent.height();
    box.left -= cw;
    box.right += cw;
    box.top -= th / 4;
    box.bottom += th / 4;
    dc.SelectPen(m_text, FaceWidth() / 80);
    dc.SelectBrush(m_background);
    dc.Rectangle(box);
    dc.SetTextColor(m_text);
    if (centred) {
        dc.SetTextAlign(TA_CENTER | TA_TOP);
        dc.ExtTextOut(TruncToPixel(m_cx), box.top + th / 4, text);
    } else {
        dc.ExtTextOut(box.left + cw, box.top + th / 4, text);
    }
    dc.SetTextAlign(TA_CENTER | TA_TOP);
    dc.ExtTextOut(TruncToPixel(m_cx), TruncToPixel(m_cy - 3.0 * th), caption);
    dc.SetTextAlign(TA_LEFT | TA_TOP);
}

void CDialGauge::DrawHub(CDrawContext& dc, int radius) const
{
    const QPoint c = Center();
    dc.SelectPen(m_indicator);
    dc.SelectBrush(m_indicator);
    dc.Ellipse({c.x() - radius, c.y() - radius, c.x() + radius, c.y() + radius});
}

void CDialGauge::DrawNeedle(CDrawContext& dc, double theta, bool hubLast) const
{
    const QPoint needle[] = {Center(), PointAt(theta - 5, 50), PointAt(theta, 65),
                             PointAt(theta + 5, 50)};
    dc.SelectPen(m_indicator);
    dc.SelectBrush(m_indicator);
    dc.Polygon(needle);
    if (!hubLast)
        DrawHub(dc, FaceWidth() / 33);
    dc.SelectPen(m_indicator, FaceWidth() / 50);
    DrawTick(dc, theta, 0, 40);
    if (hubLast)
        DrawHub(dc, FaceWidth() / 33);
}

CCompassWnd::CCompassWnd()
    : m_lubber({{0, 0}, {-10, 10}, {-5, 10}, {-5, 20}, {5, 20}, {5, 10}, {10, 10}},
               QColor(0, 0, 255), QColor(224, 224, 255)),
      m_needle({{-2, 0}, {2, 0}, {2, -32}, {9, -30}, {0, -41}, {-9, -30}, {-2, -32}}, m_indicator,
               m_indicator)
{}

void CCompassWnd::SetCompass(int heading, int bearing, const QString& label, double distance,
                             const QString& distanceUnit)
{
    m_heading = heading;
    m_bearing = bearing;
    m_label = label;
    m_distance = distance;
    m_distanceUnit = distanceUnit;
}

void CCompassWnd::DrawGauge(CDrawContext& dc) const
{
    const int w = FaceWidth();
    const int size = std::max(TruncToPixel(w * 0.5714285714285714), 70);
    const GdiFont normal = PointFont(size);
    const GdiFont bold = PointFont(size, true);

    DrawFace(dc);
    CPolyShape lubber = m_lubber;
    lubber.SetScale(w * 0.006666666666666667);
    lubber.Draw(dc, m_face.left + w / 2, m_face.top);

    static const char kCardinals[] = "WSEN"; // read from the end: N at 0, E at 90, ...
    for (int d = 0; d < 360; d += 10) {
        double theta = d - m_heading;
        if (theta < 0)
            theta += 360;
        dc.SelectPen(m_text);
        DrawTick(dc, theta, 89, 80);
        if (d % 90 == 0) {
            dc.SelectFont(bold);
            dc.SetTextColor(QColor(255, 0, 0));
            DrawCentredAt(dc, QString(QLatin1Char(kCardinals[3 - d / 90])), PointAt(theta, 70));
        } else if (d % 30 == 0) {
            dc.SelectFont(normal);
            dc.SetTextColor(m_text);
            DrawCentredAt(dc, Number(d), PointAt(theta, 70));
        }
    }

    CPolyShape needle = m_needle;
    needle.SetColors(m_indicator, m_indicator);
    needle.SetScale(w * 0.007692307692307693);
    needle.SetAngle(m_bearing - m_heading);
    needle.Draw(dc, TruncToPixel(m_cx), TruncToPixel(m_cy));
    DrawHub(dc, w / 28);

    dc.SelectFont(normal);
    dc.SetTextColor(m_text);
    dc.SetTextAlign(TA_CENTER | TA_TOP);
    const int fontHeight = dc.GetTextMetrics().height;
    const int x = TruncToPixel(m_cx);
    dc.ExtTextOut(x, TruncToPixel(m_cy + fontHeight), m_label);
    dc.ExtTextOut(x, TruncToPixel(m_cy + 2.0 * fontHeight),
                  QString::asprintf("%.01f ", m_distance) + m_distanceUnit);
    dc.SetTextAlign(TA_LEFT | TA_TOP);
}

void CAltimeterWnd::SetValue(double value, const QString& unit)
{
    m_value = value;
    m_unit = unit;
}

void CAltimeterWnd::DrawGauge(CDrawContext& dc) const
{
    const int w = FaceWidth();
    DrawFace(dc);
    DrawFiftyTicks(dc, PointFont(std::max(w, 60)), [](int digit) { return Number(digit); });

    dc.SelectFont(PointFont(std::max(w / 2, 60)));
    DrawReadout(dc, QString::asprintf("%08.2f ", m_value) + m_unit, m_unit, false,
                QStringLiteral("ALT"));

    // One turn per 1000, 10 000 and 100 000 units; fmod keeps the sign of a negative altitude.
    const double first = std::fmod(m_value, 1000.0) * 0.36;
    const double second = std::trunc(m_value) * 0.036;
    const double third = std::trunc(m_value) * 0.0036;
    const int spokeWidth = w / 50;

    dc.SelectPen(m_indicator, spokeWidth);
    DrawTick(dc, first, 0, 65);
    dc.SelectPen(m_indicator);
    dc.SelectBrush(m_indicator);
    const QPoint firstHand[] = {PointAt(first, 45), PointAt(first - 5, 50), PointAt(first, 75),
                                PointAt(first + 5, 50)};
    dc.Polygon(firstHand);
    const QPoint secondHand[] = {Center(), PointAt(second - 8, 30), PointAt(second, 45),
                                 PointAt(second + 8, 30)};
    dc.Polygon(secondHand);
    dc.SelectPen(m_indicator, spokeWidth);
    DrawTick(dc, second, 0, 20);

    dc.SelectPen(m_indicator);
    const QPoint dot = PointAt(third, 80);
    const int dotRadius = m_rect.Width() / 40;
    dc.Ellipse(
        {dot.x() - dotRadius, dot.y() - dotRadius, dot.x() + dotRadius, dot.y() + dotRadius});
    DrawHub(dc, w / 33);
}

void CSpeedometerWnd::SetValue(double value, const QString& unit)
{
    m_value = value;
    m_unit = unit;
}

void CSpeedometerWnd::SetFullScale(double fullScale)
{
    if (fullScale > 0)
        m_fullScale = fullScale;
}

void CSpeedometerWnd::DrawGauge(CDrawContext& dc) const
{
    const int w = FaceWidth();
    DrawFace(dc);
    DrawFiftyTicks(dc, PointFont(std::max(w / 2, 70)), [this](int tenth) {
        return Number(TruncToPixel(m_fullScale * tenth * 5 * 0.02));
    });
    dc.SelectFont(PointFont(std::max(w / 2, 60)));
    DrawReadout(dc, QString::asprintf("%.2f ", m_value) + m_unit, m_unit, true,
                QStringLiteral("SPEED"));
    DrawNeedle(dc, m_value / m_fullScale * 360.0, false);
}

void CVerticalSpeedWnd::SetValue(double value, const QString& unit)
{
    m_value = value;
    m_unit = unit;
}

double CVerticalSpeedWnd::NeedleAngle(double value) const
{
    if (!(m_fullScale > 0) || std::isnan(value))
        return 0.0;
    return 270.0 + std::clamp(value, -m_fullScale, m_fullScale) * 0.5 * 300.0 / m_fullScale;
}

void CVerticalSpeedWnd::DrawGauge(CDrawContext& dc) const
{
    const int w = FaceWidth();
    DrawFace(dc);

    double step = m_fullScale * 0.0025;
    if (step < 1)
        step = m_fullScale * 0.25;
    dc.SelectFont(PointFont(std::max(TruncToPixel(w * 0.6666666666666666), 60)));
    dc.SetTextColor(m_text);
    double label = 0;
    for (int i = 0; i <= 20; ++i) {
        const double a = 270 + 7.5 * i;
        const bool major = i % 5 == 0;
        for (const double theta : {a, 540 - a}) {
            DrawTick(dc, theta, 89.9, major ? 73 : 80);
            if (major)
                DrawCentredAt(dc, QString::asprintf("%.f", label), PointAt(theta, 63));
        }
        if (major)
            label += step;
    }

    dc.SelectFont(PointFont(TruncToPixel(w * 0.4347826086956522)));
    const GdiTextMetrics metrics = dc.GetTextMetrics();
    const int th = metrics.height;
    dc.SetTextAlign(TA_CENTER | TA_TOP);
    dc.ExtTextOut(TruncToPixel(m_cx), TruncToPixel(m_cy - 3.0 * th),
                  QStringLiteral("VERTICAL SPEED"));
    dc.SetTextAlign(TA_LEFT | TA_TOP);
    dc.ExtTextOut(TruncToPixel(m_cx + 3.0 * metrics.averageCharWidth),
                  TruncToPixel(m_cy - th / 2.0), m_unit);
    const QPoint up = PointAt(290, 70), down = PointAt(250, 70);
    dc.ExtTextOut(up.x(), up.y() - th / 2, QStringLiteral("Up"));
    dc.ExtTextOut(down.x(), down.y() - th / 2, QStringLiteral("Dn"));

    DrawNeedle(dc, NeedleAngle(m_value), true);
}
