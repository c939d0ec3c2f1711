#pragma once

#include <QPoint>
#include <QRect>

#include <vector>

// The plot kinds by their stored codes.
enum PlotKind : int {
    kPlotAcceleration = 0,
    kPlotAltitude = 1,
    kPlotSpeed = 2,
    kPlotTrackError = 3,
    kPlotVerticalSpeed = 4,
};
constexpr int kPlotKindCount = 5;

// The slots of a screen configuration (0: one, 1: two stacked, 2: three stacked, 3: two side by
// side, 4: four quadrants) in a client rectangle.
std::vector<QRect> AnalysisSlots(int screenConfig, const QRect& client);
// The slot under a point; -1 outside every slot.
int AnalysisSlotAt(int screenConfig, const QRect& client, QPoint point);
