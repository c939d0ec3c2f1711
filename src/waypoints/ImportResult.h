#pragma once

#include <QString>

#include <functional>

class CWaypointImportMerge;

// Told how far a long import has got: `done` of `range` steps (called once with 0 first).
// Returning false stops the import there, like a broken file: what came before stays.
using ImportProgress = std::function<bool(int done, int range)>;

enum class ImportStatus {
    Completed,
    CannotOpen,  // the file could not be read: nothing was imported
    Unsupported, // not a waypoint file this program reads: nothing was imported
    ParseError,  // the file is broken: the waypoints completed before the fault were imported
    OutOfRange,  // a CSV position outside the earth: the points before it were imported
    Cancelled,   // the user stopped it: the waypoints read before were imported
};

struct WaypointImportResult {
    ImportStatus status = ImportStatus::Completed;
    int newCount = 0;
    int replacedCount = 0;
    // For the user when the import did not complete: the parse error, message 220 or 221.
    QString message;
    // Message 269 with the two counts; empty when nothing could be imported.
    QString summary;
};

// The counts and summary of a merge, with how the import ended.
WaypointImportResult ImportResultOf(const CWaypointImportMerge& merge, ImportStatus status,
                                    const QString& message = {});
