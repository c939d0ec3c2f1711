#pragma once

#include "platform/ui/BufferedView.h"

struct ViewContext;

class CAnalysisWnd : public CBufferedView {
    Q_OBJECT
public:
    CAnalysisWnd(ViewContext& context, QWidget* parent);

    // The view host's GGA feed: speed over ground (knots), altitude (m), vertical speed
    // (m/min) and the cross-track error of the active leg (km).
    void AddFixValues(double speed, double altitude, double verticalSpeed, double crossTrack);
    // The view host's RMC feed.
    void AddAcceleration(double acceleration);
    // Up and Down from the view host.
    void OnArrowKey(bool up);

protected:
    void Draw(CDrawContext& dc, const GdiRect& client) override;

private:
    ViewContext& m_context;
};
