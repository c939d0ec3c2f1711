#pragma once

#include <QString>

#include <cstdint>

// The latitude/longitude grid for a map scale: 1° above scale 60, 0.1° above 5, 0.01° above 0.3,
// else 0.001°; labels show k / divisor with as many decimals as the spacing needs.
struct GridSpacing {
    int32_t microdegrees; // between two lines
    int divisor;          // a line at k × spacing is labelled k / divisor
    int decimals;         // of the label
    QString Label(int64_t k) const;
};

GridSpacing GridSpacingForScale(double scale);
