#pragma once

#include "platform/PopupItems.h"
#include "platform/ui/BufferedView.h"
#include "views/GaugePanelState.h"
#include "views/ui/DialGauges.h"

#include <QTimer>

#include <functional>

struct ViewContext;
class CPanelGridWnd;

// The gauge panel tab: up to four dial gauges, one at a time (cycling every four seconds) or in
// quadrants, with an optional navigation strip of three panel cells; values once a second, or
// smoothed ten times a second while one gauge is shown.
class CGaugePanelWnd : public CBufferedView {
    Q_OBJECT
public:
    static constexpr int kSecondMs = 1000;
    static constexpr int kSmoothMs = 100;

    CGaugePanelWnd(ViewContext& context, QWidget* parent);

    CGaugePanelState& State() { return m_state; }
    CPanelGridWnd& NavStrip() { return *m_navStrip; }
    bool IsSmoothTimerActive() const { return m_smoothTimer.isActive(); }

    // Runs `work` (a dialog, an import) with smoothing off, so its ten redraws a second do not
    // compete with it; smoothing comes back when "Enable Smooth Mode" is 1.
    void RunWithoutSmoothing(const std::function<void()>& work);

    std::vector<PopupItem> PopupItems() const;
    // A command of the pop-up menu; false when it is none of the panel's.
    bool HandleCommand(int id);
    void RunTimersOnce() override;

protected:
    void Draw(CDrawContext& dc, const GdiRect& client) override;
    void OnPopupMenu(QPoint point, QPoint global) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    GaugeReadings RawReadings() const;
    void OnSecondTimer();
    void OnSmoothTimer();
    void SyncSmoothTimer();
    void ApplyLayout();
    void SetColors();
    void FeedGauges();
    bool ChangeStripField();
    void SpeedSetup();

    ViewContext& m_context;
    CGaugePanelState m_state;
    CCompassWnd m_compass;
    CAltimeterWnd m_altimeter;
    CSpeedometerWnd m_speedometer;
    CVerticalSpeedWnd m_verticalSpeed;
    CPanelGridWnd* m_navStrip;
    QTimer m_secondTimer;
    QTimer m_smoothTimer;
};
