#pragma once

#include "platform/ui/BufferedView.h"
#include "views/SatelliteView.h"
#include "views/ui/SkyView.h"

#include <QTimer>

struct ViewContext;

// The satellite status tab: signal bars in the top third and, below, one of three pages
// (position, precision and counts, sky view) that a tap steps through. Repaints every 900 ms.
class CGPSStatusWnd : public CBufferedView {
    Q_OBJECT
public:
    static constexpr int kRefreshMs = 900;

    CGPSStatusWnd(ViewContext& context, QWidget* parent);

    int Page() const { return m_pages.Page(); }
    void RunTimersOnce() override;

protected:
    void Draw(CDrawContext& dc, const GdiRect& client) override;
    void OnStylusDown(QPoint point) override;

private:
    void DrawPositionPage(CDrawContext& dc, const GdiRect& first, int step);
    void DrawPrecisionPage(CDrawContext& dc, const GdiRect& first, int step);
    void DrawSkyPage(CDrawContext& dc, const GdiRect& lower, const GdiRect& first,
                     const SignalTable& table);

    ViewContext& m_context;
    CStatusPages m_pages;
    CAzimuthElevationWnd m_sky;
    QTimer m_refresh;
};
