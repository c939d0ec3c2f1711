#pragma once

#include <QColor>

// The system's active-caption colour with its HLS lightness replaced: 0.9 is the background of the
// status view and both panels; the analysis frames use 0.96 down to 0.80.
QColor PanelTint(double lightness = 0.9);
