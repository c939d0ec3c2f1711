#pragma once

#include <QByteArray>
#include <QString>

class CWaypointDB;

// Every waypoint of the store, in store order, as a GPX 1.0 file. The program's own fields go
// into an extension block in the namespace below, so that an import of the file gives them back;
// the geocache details are not written.

extern const char kWaypointExtensionNamespace[];

// Writes the file, replacing an old one only once the new one is complete. False (and the old
// file left as it was) when it cannot be written.
bool ExportWaypointsGPX(const CWaypointDB& db, const QString& path);

// The text the export writes, with `now` (seconds since 1970 UTC) as the file's time.
QByteArray WaypointsGPXText(const CWaypointDB& db, int64_t now);
