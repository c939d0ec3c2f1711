#include "platform/ui/TapAndHold.h"

#include <QApplication>
#include <QMouseEvent>
#include <QStyleHints>
#include <QWidget>

CTapAndHold::CTapAndHold(QWidget* widget) : QObject(widget)
{
    m_timer.setSingleShot(true);
    m_timer.setInterval(kHoldMs);
    connect(&m_timer, &QTimer::timeout, this, [this] {
        m_fired = true;
        Q_EMIT Held(m_pressPoint);
    });
    widget->installEventFilter(this);
}

bool CTapAndHold::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::MouseButtonPress: {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        m_pressPoint = mouse->position().toPoint();
        m_fired = false;
        if (mouse->button() == Qt::RightButton) {
            m_fired = true;
            Q_EMIT Held(m_pressPoint);
            return true;
        }
        if (mouse->button() == Qt::LeftButton)
            m_timer.start();
        break;
    }
    case QEvent::MouseMove: {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        const int slop = QGuiApplication::styleHints()->startDragDistance();
        if (m_timer.isActive() &&
            (mouse->position().toPoint() - m_pressPoint).manhattanLength() > slop)
            m_timer.stop();
        break;
    }
    case QEvent::MouseButtonRelease:
        m_timer.stop();
        if (static_cast<QMouseEvent*>(event)->button() == Qt::RightButton)
            return true;
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}
