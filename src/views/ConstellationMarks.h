#pragma once

#include "gps/GnssSystems.h"

#include <QChar>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>

#include <cstdint>
#include <vector>

// The conventional one-letter mark of a constellation: G GPS, R GLONASS, E Galileo, C BeiDou,
// J QZSS, I NavIC, S SBAS.
QChar ConstellationLetter(Constellation constellation);
// The constellation's name as the legend shows it, translated.
QString ConstellationName(Constellation constellation);

// The constellations among a group of satellites.
class CConstellationSet {
public:
    void Add(Constellation constellation);
    bool Contains(Constellation constellation) const;
    // Satellites are marked by constellation only when a system other than GPS and its SBAS
    // augmentation is present, so a GPS receiver's views stay as they always were.
    bool IsMixed() const;
    // The constellations present, in legend order (G R E C J I S).
    std::vector<Constellation> Members() const;

private:
    uint8_t m_bits = 0;
};

// Splits legend entries of these widths into rows no wider than `maxWidth`, `gap` pixels
// apart: the number of entries of each row, in order. An entry wider than a row gets one.
std::vector<int> WrapLegendRows(const std::vector<int>& widths, int gap, int maxWidth);

// Places legend entries of these sizes, one per line, in the corners of `rect` beside the sky's
// disc inscribed in `square`: as many as fit down from the top-left corner, then up from the
// bottom-left and the bottom-right ones (the top-right keeps the page number), each column
// reading down in order. Entries keep `topClearance` pixels from the disc at the top and
// `bottomClearance` at the bottom, where the PRNs of satellites on the horizon hang. Their
// top-left corners in order, or nothing when they do not all fit.
std::vector<QPoint> PlaceLegendInCorners(const std::vector<QSize>& sizes, const QRect& rect,
                                         const QRect& square, int topClearance,
                                         int bottomClearance);
