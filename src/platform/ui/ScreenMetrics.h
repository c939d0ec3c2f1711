#pragma once

class QWidget;

// The pixel density the views size their fonts and bitmaps by. Views paint in device pixels,
// so this is the logical DPI times the device pixel ratio; snapshots pin it.
namespace ScreenMetrics {

int VerticalDpi(const QWidget* widget);
double PixelRatio(const QWidget* widget);
// A device pixel ratio of 2 or more, or 192 dots per inch or more: large icons and strips.
bool IsHighResolution(const QWidget* widget);

// Pins the DPI (and a pixel ratio of 1) for every widget; 0 returns to the screen's values.
void PinDpi(int dpi);

} // namespace ScreenMetrics
