// GPX (and XML) waypoint files: imported keeping existing names, then again replacing them.

#include "fuzz/FuzzHarness.h"
#include "fuzz/ImportTwice.h"
#include "waypoints/GpxImport.h"
#include "waypoints/WaypointDB.h"
#include "waypoints/WaypointImportMerge.h"

void FuzzGpxImport(const uint8_t* data, size_t size)
{
    const QString path = FuzzScratchFile(QStringLiteral("import.gpx"), {data, size});
    CWaypointDB& db = EmptyWaypointStore();
    ImportTwice([&](int pass, const ImportProgress& progress) {
        return ImportGPXFile(db, path, pass == 0 ? kImportKeepExisting : kImportReplaceExisting,
                             progress);
    });
}
