// CSV files with the import settings the first three bytes choose, imported twice.

#include "fuzz/FuzzHarness.h"
#include "fuzz/ImportTwice.h"
#include "waypoints/CsvImport.h"
#include "waypoints/WaypointDB.h"

void FuzzCsvImport(const uint8_t* data, size_t size)
{
    CFuzzInput input(data, size);
    CsvImportOptions options;
    const uint8_t flags = input.Byte();
    options.skipFirstLine = flags & 1;
    options.format = flags & 2 ? kCsvLatitudeLongitude : kCsvLongitudeLatitude;
    options.alarmOn = flags & 4;
    options.messageType = (flags >> 3) - 1; // -1 to 30: the table has 6
    options.iconID = input.Byte() - 56;     // -56 to 199: the table has 144
    options.alarmRadius = (input.Byte() - 16) * 0.01;
    const QString path = FuzzScratchFile(QStringLiteral("import.csv"), input.Rest());
    CWaypointDB& db = EmptyWaypointStore();
    ImportTwice([&](int, const ImportProgress& progress) {
        return ImportCSVFile(db, path, options, progress);
    });
}
