#pragma once

#include <QRect>

// Drawing rules truncate doubles to pixels; a damaged fix (NaN, huge values) must not make that
// conversion undefined, so values are clamped to a range far outside any screen first.
int TruncToPixel(double value);

// A rectangle from its edges, right and bottom exclusive.
inline QRect RectFromEdges(int left, int top, int right, int bottom)
{
    return QRect(left, top, right - left, bottom - top);
}
