#pragma once

#include "waypoints/CsvImport.h"
#include "waypoints/ImportResult.h"

#include <QString>

class CWaypointDB;

// Imports a waypoint file by its extension (case does not matter): GPX and XML files as GPX,
// LOC files, CSV files with `csvOptions`. GPX files follow `importMode` for names that exist
// (WaypointImportMerge.h); LOC and CSV imports never replace. Any other extension imports
// nothing and gives status Unsupported with message 221.
WaypointImportResult ImportWaypointFile(CWaypointDB& db, const QString& path, int importMode,
                                        const CsvImportOptions& csvOptions = {},
                                        const ImportProgress& progress = {});

// The import command of the main frame, once the user has chosen the file (and, for a CSV file,
// confirmed the settings sheet): imports with the "Waypoint Inport Mode" setting, tells the
// user about a broken file, an unsupported extension or a position out of range, saves the
// database when the store changed, and shows message 269 with the counts (not after an
// unsupported extension).
WaypointImportResult RunImportCommand(CWaypointDB& db, const QString& path,
                                      const CsvImportOptions& csvOptions = {},
                                      const ImportProgress& progress = {});
