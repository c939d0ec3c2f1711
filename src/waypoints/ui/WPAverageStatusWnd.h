#pragma once

#include "platform/ui/BufferedView.h"
#include "waypoints/WaypointAveraging.h"

// The small window over the map that shows the averaging while it runs: the mean position and
// altitude, the deviation and the number of samples. Shown when averaging starts, hidden when it
// stops.
class CWPAverageStatusWnd : public CBufferedView, public IAveragingDisplay {
    Q_OBJECT
public:
    explicit CWPAverageStatusWnd(QWidget* parent = nullptr);

    void AveragingStarted() override;
    void AveragingUpdated(const GeoPosition& mean, double deviationKm, uint32_t samples) override;
    void AveragingStopped() override;

    QSize sizeHint() const override;

protected:
    void Draw(CDrawContext& dc, const GdiRect& client) override;

private:
    AveragingStatusText m_text;
};
