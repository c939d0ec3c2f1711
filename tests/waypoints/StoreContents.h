#pragma once

#include "waypoints/WaypointDB.h"

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

#include <vector>

// Every record of the store in store order.
std::vector<CWaypoint> StoreWaypoints(const CWaypointDB& db);
// The first record of that name; a default record (and a test failure) when there is none.
CWaypoint WaypointNamed(const CWaypointDB& db, const QString& name);
// Writes `bytes` as `name` in `dir` and returns the path.
QString WriteFileIn(const QTemporaryDir& dir, const QString& name, const QByteArray& bytes);
