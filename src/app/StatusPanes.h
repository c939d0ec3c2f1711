#pragma once

#include <QString>

// The texts and the indicator image of the status bar, from the link and the fix state.

// Connection pane: connecting, lost, or the fix quality of the last GGA.
QString ConnectionPaneText(bool connecting, bool connectionLost, int fixQuality);
// Row of the indicator strip, in image heights: no fix or lost 0, a fix 1, differential 3.
int IndicatorImageRow(int fixQuality, bool connectionLost);
