#include "platform/ui/DrawContext.h"

#include <QFontMetrics>
#include <QTransform>

#include <algorithm>

GdiFont CreatePixelFont(int pixelHeight, const QString& face, bool bold, int escapement)
{
    GdiFont result;
    result.font = QFont(face);
    result.font.setPixelSize(std::max(1, pixelHeight));
    result.font.setBold(bold);
    result.escapement = escapement;
    return result;
}

GdiFont CreatePointFont(int tenthsOfPoint, int dpiY, const QString& face, bool bold, int escapement)
{
    // Rounded like the handheld's integer multiply-divide.
    const long long scaled = static_cast<long long>(tenthsOfPoint) * dpiY;
    const int pixels = static_cast<int>((scaled + 360) / 720);
    return CreatePixelFont(pixels, face, bold, escapement);
}

CDrawContext::CDrawContext(QImage& target) : m_target(target), m_painter(&target)
{
    m_painter.setRenderHint(QPainter::Antialiasing, false);
    m_painter.setRenderHint(QPainter::TextAntialiasing, true);
    m_font = CreatePixelFont(13);
    SelectPen(Qt::black);
    SelectBrush(Qt::white);
}

void CDrawContext::SelectPen(const QColor& colour, int width, PenStyle style)
{
    if (style == PenStyle::Null) {
        m_pen = QPen(Qt::NoPen);
    } else {
        m_pen = QPen(colour, std::max(1, width));
        m_pen.setCapStyle(Qt::FlatCap);
        m_pen.setJoinStyle(Qt::MiterJoin);
        if (style == PenStyle::Dash)
            m_pen.setStyle(Qt::DashLine);
        else if (style == PenStyle::Dot)
            m_pen.setStyle(Qt::DotLine);
        if (width <= 1)
            m_pen.setCosmetic(true);
    }
    m_painter.setPen(m_pen);
}

void CDrawContext::SelectBrush(const QColor& colour)
{
    m_brush = QBrush(colour);
    m_painter.setBrush(m_brush);
}

void CDrawContext::SelectHollowBrush()
{
    m_brush = QBrush(Qt::NoBrush);
    m_painter.setBrush(m_brush);
}

void CDrawContext::SelectFont(const GdiFont& font)
{
    m_font = font;
    m_painter.setFont(font.font);
}

void CDrawContext::SetClipRect(const GdiRect& clip)
{
    m_painter.setClipRect(clip.ToQRect());
}

void CDrawContext::ClearClip()
{
    m_painter.setClipping(false);
}

void CDrawContext::FillRect(const GdiRect& rect, const QColor& colour)
{
    if (!rect.IsEmpty())
        m_painter.fillRect(rect.ToQRect(), colour);
}

// With a pen the outline runs along the outermost pixels; a 1-pixel pen of QPainter draws a
// rectangle of width w one pixel wider, hence the -1.
static QRect OutlineBox(const GdiRect& rect)
{
    return QRect(rect.left, rect.top, rect.Width() - 1, rect.Height() - 1);
}

void CDrawContext::Rectangle(const GdiRect& rect)
{
    if (rect.IsEmpty())
        return;
    if (m_pen.style() == Qt::NoPen) {
        if (m_brush.style() != Qt::NoBrush)
            m_painter.fillRect(rect.ToQRect(), m_brush);
        return;
    }
    m_painter.drawRect(OutlineBox(rect));
}

void CDrawContext::RoundRect(const GdiRect& rect, int cornerWidth, int cornerHeight)
{
    if (rect.IsEmpty())
        return;
    m_painter.drawRoundedRect(OutlineBox(rect), cornerWidth / 2.0, cornerHeight / 2.0,
                              Qt::AbsoluteSize);
}

void CDrawContext::Ellipse(const GdiRect& rect)
{
    if (rect.IsEmpty())
        return;
    m_painter.drawEllipse(m_pen.style() == Qt::NoPen ? rect.ToQRect() : OutlineBox(rect));
}

void CDrawContext::Polygon(std::span<const QPoint> points)
{
    if (points.size() >= 2)
        m_painter.drawPolygon(points.data(), static_cast<int>(points.size()), Qt::OddEvenFill);
}

void CDrawContext::Polyline(std::span<const QPoint> points)
{
    if (points.size() >= 2)
        m_painter.drawPolyline(points.data(), static_cast<int>(points.size()));
}

void CDrawContext::LineTo(int x, int y)
{
    const QPoint to(x, y);
    if (m_pen.style() != Qt::NoPen)
        m_painter.drawLine(m_current, to);
    m_current = to;
}

void CDrawContext::Lines(std::span<const QLine> lines)
{
    if (!lines.empty() && m_pen.style() != Qt::NoPen)
        m_painter.drawLines(lines.data(), static_cast<int>(lines.size()));
}

void CDrawContext::SetPixel(int x, int y, const QColor& colour)
{
    if (!m_painter.hasClipping() && m_target.rect().contains(x, y)) {
        m_target.setPixelColor(x, y, colour);
        return;
    }
    m_painter.fillRect(QRect(x, y, 1, 1), colour);
}

QRectF CDrawContext::TextBoxFor(const QString& text, int x, int y) const
{
    const QFontMetrics metrics(m_font.font);
    const int width = metrics.horizontalAdvance(text);
    qreal left = x;
    if ((m_textAlign & TA_CENTER) == TA_CENTER)
        left = x - width / 2;
    else if (m_textAlign & TA_RIGHT)
        left = x - width;
    qreal top = y;
    if ((m_textAlign & TA_BASELINE) == TA_BASELINE)
        top = y - metrics.ascent();
    else if (m_textAlign & TA_BOTTOM)
        top = y - metrics.height();
    return QRectF(left, top, width, metrics.height());
}

void CDrawContext::ExtTextOut(int x, int y, const QString& text)
{
    m_painter.save();
    if (m_font.escapement != 0) {
        // Escapement turns the text about its reference point, counter-clockwise.
        m_painter.translate(x, y);
        m_painter.rotate(-m_font.escapement / 10.0);
        m_painter.translate(-x, -y);
    }
    const QRectF box = TextBoxFor(text, x, y);
    if (m_backMode == BackgroundMode::Opaque)
        m_painter.fillRect(box, m_backColour);
    m_painter.setPen(m_textColour);
    m_painter.setFont(m_font.font);
    m_painter.drawText(QPointF(box.left(), box.top() + QFontMetrics(m_font.font).ascent()), text);
    m_painter.restore();
}

int CDrawContext::DrawText(const QString& text, const GdiRect& box, unsigned format)
{
    int flags = 0;
    flags |= (format & DT_CENTER)  ? Qt::AlignHCenter
             : (format & DT_RIGHT) ? Qt::AlignRight
                                   : Qt::AlignLeft;
    if (format & DT_SINGLELINE)
        flags |= (format & DT_VCENTER)  ? Qt::AlignVCenter
                 : (format & DT_BOTTOM) ? Qt::AlignBottom
                                        : Qt::AlignTop;
    else
        flags |= Qt::AlignTop;
    if (format & DT_WORDBREAK)
        flags |= Qt::TextWordWrap;
    if (format & DT_SINGLELINE)
        flags |= Qt::TextSingleLine;

    m_painter.save();
    m_painter.setFont(m_font.font);
    const QRect area = box.ToQRect();
    if (!(format & DT_NOCLIP))
        m_painter.setClipRect(area, m_painter.hasClipping() ? Qt::IntersectClip : Qt::ReplaceClip);
    const QRect used = m_painter.boundingRect(area, flags, text);
    if (m_backMode == BackgroundMode::Opaque)
        m_painter.fillRect(used, m_backColour);
    m_painter.setPen(m_textColour);
    m_painter.drawText(area, flags, text);
    m_painter.restore();
    return used.height();
}

QSize CDrawContext::GetTextExtent(const QString& text) const
{
    const QFontMetrics metrics(m_font.font);
    return QSize(metrics.horizontalAdvance(text), metrics.height());
}

GdiTextMetrics CDrawContext::GetTextMetrics() const
{
    const QFontMetrics metrics(m_font.font);
    return {metrics.height(), metrics.ascent(), metrics.descent(), metrics.averageCharWidth()};
}

void CDrawContext::BitBlt(int x, int y, const QImage& source, const QRect& sourceRect)
{
    m_painter.drawImage(QPoint(x, y), source, sourceRect);
}

void CDrawContext::StretchBlt(const GdiRect& destination, const QImage& source,
                              const QRect& sourceRect)
{
    if (!destination.IsEmpty())
        m_painter.drawImage(destination.ToQRect(), source, sourceRect);
}

void CDrawContext::TransparentBlt(const GdiRect& destination, const QImage& source,
                                  const QRect& sourceRect, const QColor& key)
{
    if (destination.IsEmpty() || sourceRect.isEmpty())
        return;
    const QImage keyed = MakeColorKeyed(source.copy(sourceRect), key);
    m_painter.drawImage(destination.ToQRect(), keyed);
}

void CDrawContext::DrawKeyed(int x, int y, const QImage& keyedImage, const QRect& sourceRect)
{
    m_painter.drawImage(QPoint(x, y), keyedImage, sourceRect);
}

QImage MakeColorKeyed(const QImage& source, const QColor& key)
{
    QImage keyed = source.convertToFormat(QImage::Format_ARGB32);
    const QRgb keyRgb = key.rgb() & 0xFFFFFF;
    for (int y = 0; y < keyed.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(keyed.scanLine(y));
        for (int x = 0; x < keyed.width(); ++x) {
            if ((line[x] & 0xFFFFFF) == keyRgb)
                line[x] = 0;
        }
    }
    return keyed.convertToFormat(QImage::Format_ARGB32_Premultiplied);
}
