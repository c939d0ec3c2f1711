#pragma once

#include <QObject>
#include <QPoint>
#include <QTimer>

class QWidget;

// The stylus gesture that opens a pop-up menu: a press held 500 ms without moving, or a right
// click. Watches the mouse events of one widget (touch arrives as mouse events too).
class CTapAndHold : public QObject {
    Q_OBJECT
public:
    static constexpr int kHoldMs = 500;

    explicit CTapAndHold(QWidget* widget);

    // True when the last press turned into a hold: its release is no tap.
    bool HoldFired() const { return m_fired; }

Q_SIGNALS:
    // Widget coordinates of the press.
    void Held(QPoint position);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QTimer m_timer;
    QPoint m_pressPoint;
    bool m_fired = false;
};
