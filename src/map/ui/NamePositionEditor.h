#pragma once

#include "map/ui/WaypointEditor.h"

#include <QDialog>

class QLineEdit;

// A small waypoint editor: the name and the position in decimal degrees. Stands in for the
// full edit sheet until one is installed.
class CNamePositionDlg : public QDialog {
    Q_OBJECT
public:
    CNamePositionDlg(const CWaypoint& waypoint, QWidget* parent);
    // Writes the entered values into `waypoint` (after the dialog was accepted).
    void Store(CWaypoint& waypoint) const;
    void accept() override;

private:
    QLineEdit* m_name;
    QLineEdit* m_latitude;
    QLineEdit* m_longitude;
};

class CNamePositionEditor : public IWaypointEditor {
public:
    bool EditWaypoint(CWaypoint& waypoint, int startPage, QWidget* parent) override;
};
