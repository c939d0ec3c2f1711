#pragma once

#include "waypoints/MultipleWaypointChange.h"

#include <QDialog>

class CActiveWaypointControls;
class CIconPicker;
class QCheckBox;
class QComboBox;
class QGroupBox;

// "Icon/State": the icon and the geocache state, each behind its change box.
class CEditMultipleWPPropPage1 : public QWidget {
    Q_OBJECT
public:
    explicit CEditMultipleWPPropPage1(QWidget* parent = nullptr);
    void Store(MultipleWaypointChange& change) const;

private:
    QGroupBox* m_changeIcon;
    CIconPicker* m_icon;
    QGroupBox* m_changeState;
    QCheckBox* m_stateIcon;
    QComboBox* m_state;
};

// "Active Waypoint": the proximity alarm fields behind one change box.
class CEditMultipleWPPropPage2 : public QWidget {
    Q_OBJECT
public:
    explicit CEditMultipleWPPropPage2(QWidget* parent = nullptr);
    void Store(MultipleWaypointChange& change) const;

private:
    QGroupBox* m_changeActive;
    CActiveWaypointControls* m_controls;
};

// The sheet that changes chosen groups of fields of several waypoints (caption string 211).
// After OK, Change() holds the ticked groups.
class CEditMultipleWPPropSheet : public QDialog {
    Q_OBJECT
public:
    explicit CEditMultipleWPPropSheet(QWidget* parent = nullptr);
    const MultipleWaypointChange& Change() const { return m_change; }
    void accept() override;

private:
    CEditMultipleWPPropPage1* m_page1;
    CEditMultipleWPPropPage2* m_page2;
    MultipleWaypointChange m_change;
};
