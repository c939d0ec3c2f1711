#include "map/MapGrid.h"

GridSpacing GridSpacingForScale(double scale)
{
    if (scale > 60.0)
        return {1000000, 1, 1};
    if (scale > 5.0)
        return {100000, 10, 1};
    if (scale > 0.3)
        return {10000, 100, 2};
    return {1000, 1000, 3};
}

QString GridSpacing::Label(int64_t k) const
{
    return QString::asprintf("%0.*f", decimals, double(k) / divisor);
}
