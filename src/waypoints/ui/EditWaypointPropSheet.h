#pragma once

#include "waypoints/Waypoint.h"

#include <QDialog>

class CEditWaypointPropPage1;
class CEditWaypointPropPage2;
class CEditWaypointPropPage3;
class CEditWaypointPropPage4;
class CEditWaypointPropPage5;
class QTabWidget;

// The sheet that edits every field of one waypoint on five pages (caption string 214). It works
// on a copy: after OK, Waypoint() holds the edited record and the caller decides what to do.
class CEditWaypointPropSheet : public QDialog {
    Q_OBJECT
public:
    enum Page { Settings, ActiveWaypoint, Notes, Geocache, FieldNotes };

    CEditWaypointPropSheet(const CWaypoint& waypoint, int startPage, QWidget* parent = nullptr);
    const CWaypoint& Waypoint() const { return m_waypoint; }
    void accept() override;

private:
    void WarnIconFollowsState();

    CWaypoint m_waypoint;
    QTabWidget* m_tabs;
    CEditWaypointPropPage1* m_page1;
    CEditWaypointPropPage2* m_page2;
    CEditWaypointPropPage3* m_page3;
    CEditWaypointPropPage4* m_page4;
    CEditWaypointPropPage5* m_page5;
};

// Runs the sheet on `waypoint` through the dialog seam; on OK the edited record replaces it.
bool EditWaypointInSheet(CWaypoint& waypoint, int startPage, QWidget* parent);

// The edit sheet as the map window asks for it.
class CEditWaypointPropSheetEditor {
public:
    virtual ~CEditWaypointPropSheetEditor() = default;
    virtual bool EditWaypoint(CWaypoint& waypoint, int startPage, QWidget* parent);
};
