// LOC files, imported twice into the same store.

#include "fuzz/FuzzHarness.h"
#include "fuzz/ImportTwice.h"
#include "waypoints/LocImport.h"
#include "waypoints/WaypointDB.h"

void FuzzLocImport(const uint8_t* data, size_t size)
{
    const QString path = FuzzScratchFile(QStringLiteral("import.loc"), {data, size});
    CWaypointDB& db = EmptyWaypointStore();
    ImportTwice([&](int, const ImportProgress& progress) {
        return ImportLOCFile(db, path, progress);
    });
}
