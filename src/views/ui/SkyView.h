#pragma once

#include "gps/GnssSystems.h"
#include "platform/ui/DrawContext.h"

#include <QColor>
#include <QImage>

#include <vector>

// A satellite slot of the sky view; PRN 0 marks an empty slot.
struct SkySatellite {
    int prn = 0;
    double azimuth = 0, elevation = 0;
    int used = 0; // exactly 1: used in the solution
    Constellation constellation = Constellation::GPS;
};

// The 15 x 13 satellite markers: 114 red (used), 113 grey (not used), magenta transparent.
constexpr int kUsedSatelliteBitmap = 114;
constexpr int kNotUsedSatelliteBitmap = 113;
// The marker of a resource id with its key colour made transparent; a null image for others.
const QImage& SatelliteMarker(int resourceId);

// The sky view: satellites by azimuth and elevation on a polar plot, horizon at the edge. When
// other systems than GPS are in view, each PRN has its constellation's letter before it and a
// legend names the letters.
class CAzimuthElevationWnd {
public:
    void SetSatellites(std::vector<SkySatellite> satellites) { m_slots = std::move(satellites); }
    // Marker bitmaps by resource id; 0 draws a dot instead.
    void SetSatelliteBitmaps(int used, int notUsed);
    void SetSkyColors(const QColor& fill, const QColor& outline);
    void SetGridColor(const QColor& grid) { m_grid = grid; }

    void DrawSky(CDrawContext& dc, const GdiRect& rect) const;

private:
    void DrawSatellite(CDrawContext& dc, const SkySatellite& satellite, const QRect& square,
                       int bottom, int textHeight, bool marked) const;

    std::vector<SkySatellite> m_slots;
    int m_usedBitmap = 0, m_notUsedBitmap = 0;
    QColor m_usedColour{0, 0, 128};
    QColor m_notUsedColour{128, 128, 128};
    QColor m_fill{192, 192, 255};
    QColor m_outline{128, 128, 255};
    QColor m_grid{224, 224, 255};
};
