#pragma once

#include "waypoints/Waypoint.h"

#include <QString>
#include <QStringList>

class CWaypointDB;

// "Waypoint Inport Mode" (section "Settings"): 0 drops imported waypoints whose names exist,
// 1 lets them replace the existing ones.
constexpr int kImportKeepExisting = 0;
constexpr int kImportReplaceExisting = 1;
int ReadImportMode();
void WriteImportMode(int mode);
// The choices of the import settings dialog, indexed by mode.
QStringList ImportModeChoices();

// Takes the records an importer read into the store by the import mode and counts them.
class CWaypointImportMerge {
public:
    explicit CWaypointImportMerge(CWaypointDB& db, int importMode = ReadImportMode());

    // A new name is added; an existing one is replaced or dropped by the mode; a record outside
    // the store's grid is not counted.
    void Offer(CWaypoint waypoint);

    int Added() const { return m_added; }
    int Replaced() const { return m_replaced; }
    // Message 269 with the two counts, as the importer reports it.
    QString SummaryText() const;

private:
    CWaypointDB& m_db;
    int m_mode;
    int m_added = 0;
    int m_replaced = 0;
};
