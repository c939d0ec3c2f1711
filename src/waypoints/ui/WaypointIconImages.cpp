#include "waypoints/ui/WaypointIconImages.h"

namespace {

WaypointIconSource& Source()
{
    static WaypointIconSource source;
    return source;
}

} // namespace

void SetWaypointIconSource(WaypointIconSource source)
{
    Source() = std::move(source);
}

QPixmap WaypointIconPixmap(int icon, int pixels)
{
    return Source() ? Source()(icon, pixels) : QPixmap();
}
