#include "waypoints/ImportResult.h"

#include "waypoints/WaypointImportMerge.h"

WaypointImportResult ImportResultOf(const CWaypointImportMerge& merge, ImportStatus status,
                                    const QString& message)
{
    WaypointImportResult result;
    result.status = status;
    result.newCount = merge.Added();
    result.replacedCount = merge.Replaced();
    result.message = message;
    result.summary = merge.SummaryText();
    return result;
}
