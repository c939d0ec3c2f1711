#pragma once

#include <QDialog>

#include <vector>

class CWaypointDB;
class QListWidget;

// "Select Waypoint": waypoint names in a list with their count; the chosen one's id.
class CSelectWaypointDlg : public QDialog {
    Q_OBJECT
public:
    // Every waypoint of the store, by name.
    CSelectWaypointDlg(const CWaypointDB& store, QWidget* parent);
    // Only the waypoints of `ids`.
    CSelectWaypointDlg(const CWaypointDB& store, const std::vector<int>& ids, QWidget* parent);
    // The chosen waypoint's id, 0 when none is chosen.
    int SelectedID() const;
    void accept() override;

private:
    void Build(const CWaypointDB& store, std::vector<int> ids);
    QListWidget* m_list = nullptr;
};

// Runs the dialog; the chosen id, or 0 when cancelled or the store is empty.
int ChooseWaypoint(const CWaypointDB& store, QWidget* parent);
int ChooseWaypoint(const CWaypointDB& store, const std::vector<int>& ids, QWidget* parent);
