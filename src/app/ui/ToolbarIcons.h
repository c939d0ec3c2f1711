#pragma once

#include <QIcon>

// The tool bar's pictures, drawn at 16 pixels (32 on a high-resolution display).
enum class ToolbarPicture { MarkWaypoint, GoTo, MapProperties, ConnectDisconnect, WaypointManager };

QIcon MakeToolbarIcon(ToolbarPicture picture, int size);
