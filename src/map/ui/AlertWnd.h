#pragma once

#include "platform/ui/BufferedView.h"
#include "waypoints/Waypoint.h"

#include <QSoundEffect>
#include <QTimer>

#include <functional>

class CNMEAParser;
class CNavigation;
class CPositionProcessor;

// The proximity alert over the main window: the message and the waypoint, with a compass to
// it, a speedometer or the speed in figures by the alert type (0-2 black, 3-5 red border). It
// plays the waypoint's sound once, repaints every second, and hides after its display time or
// on a tap.
class CAlertWnd : public CBufferedView {
    Q_OBJECT
public:
    static constexpr int kRefreshMs = 1000;

    CAlertWnd(const CNMEAParser& fix, const CNavigation& navigation,
              const CPositionProcessor& processor, QWidget* over);
    void ShowAlert(const QString& message, const CWaypoint& waypoint, int type, int displayMs);
    void HideAlert();
    int Type() const { return m_type; }
    // Milliseconds for the display time (tests script it); the steady clock by default.
    void SetClock(std::function<qint64()> clock) { m_clock = std::move(clock); }
    // The one-second refresh, which also hides the alert once its time is up.
    void RunTimersOnce() override;
    // The sound file the last alert played, empty when it played none.
    const QString& PlayedSound() const { return m_playedSound; }

protected:
    void Draw(CDrawContext& dc, const GdiRect& client) override;
    void OnStylusDown(QPoint point) override;

private:
    void DrawCompass(CDrawContext& dc, const GdiRect& area) const;
    void DrawSpeedometer(CDrawContext& dc, const GdiRect& area) const;
    void DrawDigitalSpeed(CDrawContext& dc, const GdiRect& area) const;
    void PlaySound(const QString& soundName);

    const CNMEAParser& m_fix;
    const CNavigation& m_navigation;
    const CPositionProcessor& m_processor;
    QWidget* m_over;
    QString m_message;
    CWaypoint m_waypoint;
    int m_type = 0;
    qint64 m_hideAt = 0;
    QTimer m_refresh;
    QSoundEffect* m_sound = nullptr;
    QString m_playedSound;
    std::function<qint64()> m_clock;
};
