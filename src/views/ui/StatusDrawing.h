#pragma once

#include "platform/ui/DrawContext.h"
#include "views/SatelliteView.h"

// The signal bar chart in `box`: one frame per satellite (twelve when none is in view), the bar
// rising one forty-fifth of the height per dB-Hz above 5, PRN under the frame, SNR in the bar.
// With systems beside GPS in view, each frame gets a tick in its constellation's colour and the
// constellations' letters are written under their runs of bars; a crowded chart leaves out the
// satellites without a signal and any label that would overlap another.
void DrawSignalBars(CDrawContext& dc, GdiRect box, const SignalTable& table);

// A rounded box with the value large at the bottom, the label top-left and the indicator
// top-right; the label font never goes below 7 points.
void DrawLabeledValue(CDrawContext& dc, const QString& value, const QString& label,
                      const QString& indicator, const GdiRect& box, int dpi);
// The label font of a box of this height.
GdiFont LabelFontFor(int boxHeight, int dpi);
