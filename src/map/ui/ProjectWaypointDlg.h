#pragma once

#include "map/MapWaypointCommands.h"

#include <QDialog>

class QComboBox;
class QLineEdit;

// "Project Waypoint": a distance with its unit and a bearing from 0 to 360 degrees.
class CProjectWaypointDlg : public QDialog {
    Q_OBJECT
public:
    CProjectWaypointDlg(int distanceSpeedUnits, QWidget* parent);
    double DistanceKm() const { return m_km; }
    double Bearing() const { return m_bearing; }
    void accept() override;

private:
    std::vector<ProjectionUnit> m_units;
    QLineEdit* m_distance;
    QComboBox* m_unit;
    QLineEdit* m_bearingEdit;
    double m_km = 0.0;
    double m_bearing = 0.0;
};
