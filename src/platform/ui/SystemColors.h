#pragma once

#include <QColor>

// The system colours the drawing rules name, taken from the application palette so the views
// follow the desktop's theme (and the Fusion palette in snapshots).
enum class SysColor { WindowText, Window, Highlight, HighlightText, GrayText, ActiveCaption };

QColor GetSysColor(SysColor which);
