#pragma once

#include "waypoints/Waypoint.h"

#include <QString>

#include <cstdint>
#include <functional>

class CWaypointDB;

// The waypoint database file: "ORVSWP", a version byte, a record count and the records. Written
// as version 5; versions 2 to 5 and the older text format without magic are read.

constexpr int kWaypointFileVersion = 5;
constexpr int kLegacyWaypointFileVersion = -1; // the text format, which has no version byte

enum class WaypointLoadStatus {
    Loaded,             // the whole file was read
    Damaged,            // the file ends inside a record: the complete records before it were read
    CannotOpen,         // missing or unreadable: nothing was read
    UnsupportedVersion, // a version byte above 5: nothing was read
};

struct WaypointLoadResult {
    WaypointLoadStatus status = WaypointLoadStatus::CannotOpen;
    int version = 0;              // the version byte, or kLegacyWaypointFileVersion
    uint32_t statedCount = 0;     // the header's record count (text format: the records read)
    int recordsRead = 0;          // complete records found in the file
    bool olderFormat = false;     // version 2, 3, 4 or text: the application beeps on this
    bool legacyRewritten = false; // a text file was saved over as version 5 (see backupPath)
    QString backupPath;           // where the original text file was kept

    bool Succeeded() const
    {
        return status == WaypointLoadStatus::Loaded || status == WaypointLoadStatus::Damaged;
    }
};

// Reads the file at `path` by its version, handing each complete record to `sink` in file
// order. Never reads past the end of the file, whatever its counts say.
WaypointLoadResult ReadWaypointFile(const QString& path,
                                    const std::function<void(CWaypoint&&)>& sink);

// Writes every record of `db`, in store order, as a version 5 file. The file is replaced only
// once it is completely written; on failure the previous file is left as it was.
bool WriteWaypointFile(const QString& path, const CWaypointDB& db);
