#pragma once

#include "platform/ui/DrawContext.h"
#include "views/ConstellationMarks.h"

#include <QColor>
#include <QPoint>

#include <vector>

// The colour of a constellation's letters and ticks; none is the red of a used satellite.
QColor ConstellationColor(Constellation constellation);
// Draws a constellation's letter in its colour with `text` after it in `textColour`, the pair
// starting at `left`, from `top` down by the font's height.
void DrawLetterAndText(CDrawContext& dc, Constellation constellation, const QString& text,
                       const QColor& textColour, int left, int top);
// The width DrawLetterAndText takes.
int LetterAndTextWidth(const CDrawContext& dc, Constellation constellation, const QString& text);

// The legend that names the constellation letters of a sky drawn in `rect`: in the corners
// beside the sky's disc when the entries fit there clear of satellites on the horizon, else in
// rows under the sky, which then keeps the rest of the rectangle. A satellite's symbol reaches
// `symbolReach` pixels from its point, and its PRN hangs under it.
class CConstellationLegend {
public:
    CConstellationLegend(CDrawContext& dc, const GdiRect& rect, const CConstellationSet& present,
                         int symbolReach);

    // The part of the rectangle left to the sky.
    const GdiRect& SkyRect() const { return m_sky; }
    void Draw(CDrawContext& dc) const;

private:
    struct Entry {
        Constellation constellation;
        QPoint at;
    };
    GdiFont m_font;
    GdiRect m_sky;
    std::vector<Entry> m_entries;
};
