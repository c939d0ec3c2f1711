#include "views/PixelMath.h"

#include <cmath>

int TruncToPixel(double value)
{
    constexpr double kLimit = 1 << 24;
    if (std::isnan(value))
        return 0;
    if (value > kLimit)
        return static_cast<int>(kLimit);
    if (value < -kLimit)
        return -static_cast<int>(kLimit);
    return static_cast<int>(value);
}
