#include "platform/ui/ScreenMetrics.h"

#include <QWidget>

#include <cmath>

namespace {
int g_pinnedDpi = 0;
}

namespace ScreenMetrics {

double PixelRatio(const QWidget* widget)
{
    if (g_pinnedDpi > 0 || widget == nullptr)
        return 1.0;
    return widget->devicePixelRatioF();
}

int VerticalDpi(const QWidget* widget)
{
    if (g_pinnedDpi > 0)
        return g_pinnedDpi;
    if (widget == nullptr)
        return 96;
    return static_cast<int>(std::lround(widget->logicalDpiY() * widget->devicePixelRatioF()));
}

bool IsHighResolution(const QWidget* widget)
{
    return PixelRatio(widget) >= 2.0 || VerticalDpi(widget) >= 192;
}

void PinDpi(int dpi)
{
    g_pinnedDpi = dpi;
}

} // namespace ScreenMetrics
