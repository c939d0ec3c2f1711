#pragma once

#include <QPixmap>

#include <functional>

// The waypoint icon bitmaps come from the map's icon strips. The map installs the source; until
// then the pages and the manager show the icon names without pictures.
using WaypointIconSource = std::function<QPixmap(int icon, int pixels)>;

void SetWaypointIconSource(WaypointIconSource source);
// The icon `icon` at `pixels` square, or a null pixmap when no source is installed.
QPixmap WaypointIconPixmap(int icon, int pixels);
