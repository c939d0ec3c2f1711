#pragma once

#include "platform/PopupItems.h"
#include "platform/ui/BufferedView.h"
#include "views/AltitudeSampler.h"
#include "views/AnalysisLayout.h"
#include "views/ui/PlotWnd.h"

#include <array>
#include <vector>

struct ViewContext;

// The analysis tab: one to four strip charts chosen from five kinds (acceleration, altitude,
// speed, track error, vertical speed). Every plot keeps collecting, shown or not; altitude is
// sampled by time or by distance travelled.
class CAnalysisWnd : public CBufferedView {
    Q_OBJECT
public:
    static constexpr int kPlotCapacity = 2048;
    static constexpr int kSlotCount = 4;

    CAnalysisWnd(ViewContext& context, QWidget* parent);

    // The view host's GGA feed: speed over ground (knots), altitude (m), vertical speed
    // (m/min) and the cross-track error of the active leg (km).
    void AddFixValues(double speed, double altitude, double verticalSpeed, double crossTrack);
    // The view host's RMC feed.
    void AddAcceleration(double acceleration);
    // Up and Down from the view host: the plots define nothing for them.
    void OnArrowKey(bool up);

    CORVSPlotWnd& Plot(int kind) { return m_plots[static_cast<size_t>(kind)]; }
    int ScreenConfig() const { return m_screenConfig; }
    int SlotKind(int slot) const { return m_slotKinds[static_cast<size_t>(slot)]; }
    // The slot the next menu command works on, as a press there would set it.
    void SetTappedSlot(QPoint point);

    std::vector<PopupItem> PopupItems() const;
    bool HandleCommand(int id);

protected:
    void Draw(CDrawContext& dc, const GdiRect& client) override;
    void OnStylusDown(QPoint point) override;
    void OnPopupMenu(QPoint point, QPoint global) override;

private:
    void AddAltitude(double altitude);
    void ApplySampleMode();
    void Properties();

    ViewContext& m_context;
    std::vector<CORVSPlotWnd> m_plots;
    int m_screenConfig = 1;
    std::array<int, kSlotCount> m_slotKinds{};
    int m_tappedSlot = 0;
    int m_sampleMode = 1;
    CAltitudeSampler m_sampler;
};
