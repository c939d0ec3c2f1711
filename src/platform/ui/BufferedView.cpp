#include "platform/ui/BufferedView.h"

#include "platform/ui/ScreenMetrics.h"
#include "platform/ui/TapAndHold.h"

#include <QMouseEvent>
#include <QPainter>

#include <cmath>

CBufferedView::CBufferedView(const QString& windowName, QWidget* parent)
    : QWidget(parent), m_tapAndHold(new CTapAndHold(this))
{
    setObjectName(windowName);
    setAttribute(Qt::WA_OpaquePaintEvent);
    connect(m_tapAndHold, &CTapAndHold::Held, this, [this](QPoint position) {
        OnPopupMenu(ToDevicePixels(position), mapToGlobal(position));
    });
}

QSize CBufferedView::ClientPixels() const
{
    const double ratio = ScreenMetrics::PixelRatio(this);
    return QSize(static_cast<int>(std::lround(width() * ratio)),
                 static_cast<int>(std::lround(height() * ratio)));
}

int CBufferedView::Dpi() const
{
    return ScreenMetrics::VerticalDpi(this);
}

bool CBufferedView::IsHighResolution() const
{
    return ScreenMetrics::IsHighResolution(this);
}

QImage CBufferedView::Render()
{
    const QSize size = ClientPixels();
    if (m_buffer.size() != size)
        m_buffer = QImage(size.expandedTo(QSize(1, 1)), QImage::Format_RGB32);
    m_buffer.fill(Qt::white);
    {
        CDrawContext dc(m_buffer);
        Draw(dc, GdiRect{0, 0, size.width(), size.height()});
    }
    return m_buffer;
}

void CBufferedView::paintEvent(QPaintEvent*)
{
    QImage frame = Render();
    frame.setDevicePixelRatio(ScreenMetrics::PixelRatio(this));
    QPainter painter(this);
    painter.drawImage(0, 0, frame);
}

QPoint CBufferedView::ToDevicePixels(QPointF widgetPoint) const
{
    const double ratio = ScreenMetrics::PixelRatio(this);
    return QPoint(static_cast<int>(std::floor(widgetPoint.x() * ratio)),
                  static_cast<int>(std::floor(widgetPoint.y() * ratio)));
}

void CBufferedView::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        OnStylusDown(ToDevicePixels(event->position()));
}

void CBufferedView::mouseMoveEvent(QMouseEvent* event)
{
    if (event->buttons() & Qt::LeftButton)
        OnStylusMove(ToDevicePixels(event->position()));
}

void CBufferedView::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    const QPoint point = ToDevicePixels(event->position());
    OnStylusUp(point);
    if (!m_tapAndHold->HoldFired())
        OnTap(point);
}
