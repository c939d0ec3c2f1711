#pragma once

#include "platform/ui/DrawContext.h"

#include <QImage>
#include <QWidget>

class CTapAndHold;

// The base of every view: it paints into an off-screen image of its client size in device
// pixels and copies that to the screen in one go. Stylus positions reach the view in the same
// device pixels. Tests and snapshots call Render() without a screen.
class CBufferedView : public QWidget {
    Q_OBJECT
public:
    // `windowName` is the window's name (its object name).
    CBufferedView(const QString& windowName, QWidget* parent);

    // The client area as drawn now.
    QImage Render();
    // The client area in device pixels.
    QSize ClientPixels() const;
    int Dpi() const;
    bool IsHighResolution() const;

    // Snapshots and tests: one run of each periodic timer handler of the view.
    virtual void RunTimersOnce() {}

protected:
    virtual void Draw(CDrawContext& dc, const GdiRect& client) = 0;
    // A press and release without a hold in between.
    virtual void OnTap(QPoint /*point*/) {}
    virtual void OnStylusDown(QPoint /*point*/) {}
    virtual void OnStylusMove(QPoint /*point*/) {}
    virtual void OnStylusUp(QPoint /*point*/) {}
    // Tap-and-hold or a right click at `point` (device pixels); `global` places the menu.
    virtual void OnPopupMenu(QPoint /*point*/, QPoint /*global*/) {}

    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QPoint ToDevicePixels(QPointF widgetPoint) const;

    QImage m_buffer;
    CTapAndHold* m_tapAndHold;
};
