#pragma once

#include "waypoints/ImportResult.h"

#include <QString>

class CWaypointDB;

// The order of the two coordinates on a line; the values are the string ids of the format
// names the settings sheet lists.
enum CsvCoordinateOrder : int {
    kCsvLongitudeLatitude = 205, // "경도, 위도, 설명"
    kCsvLatitudeLongitude = 206, // "위도, 경도, 설명"
};

// What the CSV import settings sheet gathers (caption: string 207). Not kept between imports.
struct CsvImportOptions {
    bool skipFirstLine = false;
    int format = kCsvLongitudeLatitude;
    bool alarmOn = true;         // every point gets an armed proximity alarm
    double alarmRadius = 0.3048; // km
    int messageType = 0;         // nActiveWaypointMessageType
    int iconID = 55;             // "Camera - Roadside"
};

// Reads a CSV file of one point a line, "coordinate, coordinate, name", and adds each point
// whose name is new, with the alarm and icon of `options`; existing names are never replaced.
// A position outside the earth stops the import with message 220 (the points before it stay).
// Lines are at most 1,023 bytes (a longer one goes on as the next line) and fields at most 255;
// commas always separate. Progress is reported every hundred lines.
WaypointImportResult ImportCSVFile(CWaypointDB& db, const QString& path,
                                   const CsvImportOptions& options = {},
                                   const ImportProgress& progress = {});
