#pragma once

#include "waypoints/ImportResult.h"

#include <QString>

class CWaypointDB;

// Reads the waypoints of a LOC file (geocaching.com's simple layout: waypoint elements with a
// name whose id attribute is the waypoint name and whose text the description, a coord, a type
// and a link). Names already in the store are kept as they are: a LOC import never replaces.
WaypointImportResult ImportLOCFile(CWaypointDB& db, const QString& path,
                                   const ImportProgress& progress = {});
