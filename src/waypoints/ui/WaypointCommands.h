#pragma once

#include "geo/GeoPosition.h"

class CNavigation;
class CWaypoint;
class CWaypointAveraging;
class CWaypointDB;
class IWaypointMapActions;
class QWidget;

// The commands of the "&Waypoint" menu, each with the objects it works on. The map window routes
// the menu ids to them. Every command that changes the store saves it (with the retry of
// message 288 when saving fails).

// Opens the edit sheet on a new waypoint and adds it. A name that exists is refused with message
// 215 and the sheet opens again; a position outside the grid gives message 222. True when added.
bool AddWaypointInteractively(CWaypointDB& db, CWaypoint waypoint, QWidget* parent);

// The waypoint manager dialog over the store, distances from `current`.
void RunWaypointManager(CWaypointDB& db, CNavigation& navigation, IWaypointMapActions& map,
                        const GeoPosition& current, QWidget* parent);

// Import: asks for a GPX, XML, LOC or CSV file (CSV files then ask their settings), imports it
// with a progress window that can cancel (what came before stays), saves and shows the counts.
void RunImportCommand(CWaypointDB& db, QWidget* parent);
// Export: asks for a file name and writes every waypoint as GPX; a file that cannot be written
// is reported.
void RunExportCommand(const CWaypointDB& db, QWidget* parent);
// Open and new database are OpenDatabase and NewDatabase of waypoints/WaypointFileCommands.h:
// their file dialogs and questions already go through the prompts seam.

// Averaging's finish: offers the averaged waypoint in the edit sheet and adds it (as
// AddWaypointInteractively). Start and cancel are CWaypointAveraging's own.
void FinishAveragingCommand(CWaypointAveraging& averaging, CWaypointDB& db, QWidget* parent);

// What the commands of the "&Waypoint" menu work on, as the map window holds it.
struct WaypointCommandContext {
    CWaypointDB& db;
    CNavigation& navigation;
    CWaypointAveraging& averaging;
    IWaypointMapActions& map;
    GeoPosition current;
    QWidget* parent = nullptr;
};

// Runs the menu command `commandId` when it is one of the above (manager, import, export,
// open and new database, averaging start, finish and cancel); false for any other id. The map
// redraws afterwards.
bool RunWaypointMenuCommand(int commandId, const WaypointCommandContext& context);
