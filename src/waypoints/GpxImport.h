#pragma once

#include "waypoints/ImportResult.h"

#include <QString>

class CWaypointDB;

// Reads the waypoints of a GPX (or XML) file: GPX 1.0 and 1.1 wpt elements with the geocaching
// extensions (groundspeak:cache, up to five of its logs) and the extension block the export
// writes. Each complete waypoint is merged into `db` at its end tag by `importMode` (see
// WaypointImportMerge.h). Routes and tracks are passed over.
WaypointImportResult ImportGPXFile(CWaypointDB& db, const QString& path, int importMode,
                                   const ImportProgress& progress = {});
