#pragma once

class CWaypoint;
class QWidget;

// The waypoint edit sheet as the map window opens it: edits `waypoint` in place, starting on
// page `startPage`; true when the user confirmed.
class IWaypointEditor {
public:
    static constexpr int kFirstPage = 0;
    static constexpr int kFieldNotesPage = 4;

    virtual ~IWaypointEditor() = default;
    virtual bool EditWaypoint(CWaypoint& waypoint, int startPage, QWidget* parent) = 0;
};

// The editor in force: the installed one (tests script it), else the full edit sheet.
IWaypointEditor& WaypointEditor();
// Installs `editor` (not owned); nullptr restores the edit sheet.
void SetWaypointEditor(IWaypointEditor* editor);
