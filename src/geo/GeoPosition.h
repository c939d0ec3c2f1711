#pragma once

#include <cstdint>

// A position as the whole program stores it: microdegrees (degrees x 1,000,000, truncated toward
// zero from degrees), positive north and east, and the altitude in metres (0 where none is known).
struct GeoPosition {
    int32_t latitude = 0;
    int32_t longitude = 0;
    float altitude = 0.0f;
};
static_assert(sizeof(GeoPosition) == 12);
