#pragma once

#include "waypoints/Waypoint.h"

#include <QByteArray>

#include <functional>

// The oldest waypoint file: text without a header, one waypoint a line, fields separated by the
// byte 0x1F. Hands each waypoint to `sink` and returns how many there were; blank lines are
// skipped.
int ReadLegacyWaypointText(const QByteArray& bytes, const std::function<void(CWaypoint&&)>& sink);
