#pragma once

#include "waypoints/WaypointFile.h"

#include <QString>

class CWaypointDB;

// The waypoint database commands of the main frame: the database kept in the file named by the
// "Database File" setting, saved after every change, and the open and new database commands.
// Questions and file names go through the prompts seam.

// The database file: the "Database File" setting, with the handheld-style default mapped to the
// user data folder.
QString DatabaseFilePath();

// Save database: saves to the database file. When that fails, asks message 288 and, while the
// answer is Yes, asks for another file and saves there; a file saved to becomes the database
// file. True when the store was saved.
bool SaveDatabase(CWaypointDB& db);

// Load database: loads the database file; a damaged file is reported with how much was read.
WaypointLoadResult LoadDatabase(CWaypointDB& db);

// Open database: asks for a file, saves a modified store first and loads the chosen file, which
// becomes the database file. A file that cannot be loaded is reported (message 223) and the
// previous database is loaded again. False when the user cancelled (nothing changed).
bool OpenDatabase(CWaypointDB& db);

// New database: asks for a file name, saves a modified store first, removes the chosen file if
// it exists and makes it the (empty) database. False when the user cancelled.
bool NewDatabase(CWaypointDB& db);

// The text of a damaged-file report: the file, the records read and the header's count.
QString DamagedDatabaseText(const QString& path, const WaypointLoadResult& result);
