#pragma once

#include "geo/GeoPosition.h"
#include "waypoints/WaypointManagerColumns.h"
#include "waypoints/WaypointManagerList.h"

#include <QDialog>

#include <vector>

class CNavigation;
class CWaypoint;
class CWaypointDB;
class CWaypointListModel;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QTableView;

// What the manager asks of the map.
class IWaypointMapActions {
public:
    virtual ~IWaypointMapActions() = default;
    // Centres the map on the waypoint and brings the map tab to the front.
    virtual void ShowOnMap(const CWaypoint& waypoint) = 0;
    // Makes `position` the map's current position.
    virtual void SetCurrentPosition(const GeoPosition& position) = 0;
};

// The waypoint manager ("Waypoint Manager", string 287): the waypoints of the store in a list
// with configurable columns, all of them or the nearest, filtered by a search text and sorted by
// a clicked column, and the commands on the selected rows. Every command takes the ids of the
// selected rows first and fills the list again after changing the store.
class CWaypointManagerDialog : public QDialog {
    Q_OBJECT
public:
    CWaypointManagerDialog(CWaypointDB& db, CNavigation& navigation, IWaypointMapActions& map,
                           const GeoPosition& current, QWidget* parent = nullptr);
    ~CWaypointManagerDialog() override;

    void FillList();
    // Sorts by the kind shown in list column `column` and marks its header.
    void SortByColumn(int column);

    void Edit();
    void Delete();
    void Goto();
    void Show();
    void ShowGeocacheInformation();
    void MakeCurrentPosition();
    void Refresh();
    void ArrangeColumns();

    const CWaypointManagerList& List() const { return m_list; }
    // Ends the dialog, writing the column settings first.
    void done(int result) override;

private:
    QWidget* MakeManagementTab();
    QWidget* MakeSearchTab();
    QWidget* MakeListInfoTab();
    void ShowColumns();
    void ShowListPopup(const QPoint& point);
    WaypointListFilter Filter() const;
    std::vector<int> SelectedIds() const;
    // The one selected waypoint's id; 0 after telling the user (273 none, 274 several).
    int SingleSelectedId() const;
    // A copy of the one selected waypoint; false after telling the user.
    bool SingleSelectedWaypoint(CWaypoint& waypoint) const;
    void EditOne(int id);
    void EditSeveral(const std::vector<int>& ids);
    void SaveStore();
    void SaveColumnSettings();

    CWaypointDB& m_db;
    CNavigation& m_navigation;
    IWaypointMapActions& m_map;
    GeoPosition m_current;
    CWaypointManagerList m_list;
    CWaypointManagerColumns m_columns;
    int m_sortPosition = 0;
    int m_listWidth = 0;

    CWaypointListModel* m_model;
    QTableView* m_table;
    QComboBox* m_mode;
    QLineEdit* m_maxDistance;
    QCheckBox* m_enableFilter;
    QCheckBox* m_matchCase;
    QLineEdit* m_searchText;
    QLabel* m_count;
};
