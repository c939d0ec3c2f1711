#pragma once

#include "waypoints/Waypoint.h"

#include <QDateTime>
#include <QWidget>

class CActiveWaypointControls;
class CIconPicker;
class CPicEdit;
class QCheckBox;
class QComboBox;
class QDateTimeEdit;
class QLineEdit;
class QPlainTextEdit;

// The five pages of the waypoint sheet. Each shows its fields of a record (Load) and writes what
// the user typed back into one (Store). A number or coordinate left as shown keeps the stored
// value exactly, so opening and confirming a record changes nothing.

// "Settings": name, position, altitude, icon.
class CEditWaypointPropPage1 : public QWidget {
    Q_OBJECT
public:
    explicit CEditWaypointPropPage1(QWidget* parent = nullptr);
    void Load(const CWaypoint& waypoint);
    void Store(CWaypoint& waypoint) const;

Q_SIGNALS:
    void IconChosen();

private:
    struct CoordinateField {
        CPicEdit* edit = nullptr;
        QComboBox* hemisphere = nullptr;
        QString shown;
        int shownHemisphere = 0;
    };
    CoordinateField MakeCoordinateField(const QString& name, const QString& letters);
    static void LoadCoordinate(CoordinateField& field, const QString& mask, const QString& fill,
                               int32_t microdegrees);
    static int32_t ReadCoordinate(const CoordinateField& field, int32_t stored);

    QLineEdit* m_name;
    CoordinateField m_latitude;
    CoordinateField m_longitude;
    QLineEdit* m_altitude;
    QString m_shownAltitude;
    CIconPicker* m_icon;
    GeoPosition m_loadedPosition;
};

// "Active Waypoint": the proximity alarm.
class CEditWaypointPropPage2 : public QWidget {
    Q_OBJECT
public:
    explicit CEditWaypointPropPage2(QWidget* parent = nullptr);
    void Load(const CWaypoint& waypoint);
    void Store(CWaypoint& waypoint) const;

private:
    CActiveWaypointControls* m_controls;
};

// "Notes/Description" and "Field Notes": one multi-line text each.
class CWaypointTextPage : public QWidget {
    Q_OBJECT
public:
    CWaypointTextPage(QString CWaypoint::*field, const QString& editName, QWidget* parent);
    void Load(const CWaypoint& waypoint);
    void Store(CWaypoint& waypoint) const;

private:
    QString CWaypoint::*m_field;
    QPlainTextEdit* m_edit;
};

class CEditWaypointPropPage3 : public CWaypointTextPage {
    Q_OBJECT
public:
    explicit CEditWaypointPropPage3(QWidget* parent = nullptr);
};

// "Geocache": icon from state, state, URL, found time.
class CEditWaypointPropPage4 : public QWidget {
    Q_OBJECT
public:
    explicit CEditWaypointPropPage4(QWidget* parent = nullptr);
    void Load(const CWaypoint& waypoint);
    void Store(CWaypoint& waypoint) const;
    bool UsesStateForIcon() const;

private:
    QCheckBox* m_stateIcon;
    QComboBox* m_state;
    QLineEdit* m_url;
    QDateTimeEdit* m_found;
    int32_t m_loadedFound = 0;
    QDateTime m_shownFound;
};

class CEditWaypointPropPage5 : public CWaypointTextPage {
    Q_OBJECT
public:
    explicit CEditWaypointPropPage5(QWidget* parent = nullptr);
};
