#pragma once

#include "geo/GeoPosition.h"

#include <QString>

#include <cstdint>
#include <vector>

class CWaypoint;
class CWaypointDB;

// Which waypoints the manager lists.
struct WaypointListFilter {
    bool nearestOnly = true;      // "Nearest": only those within maxDistanceKm of the position
    double maxDistanceKm = 16.09; // "Max Dist:" converted from the user's unit
    bool searchEnabled = false;   // "Enable Filter"
    bool matchCase = false;       // "Match Case"
    QString searchText;           // found in the name, the field notes or the notes
};

// One row of the list: the stored record it shows (valid until the store changes; the list is
// filled again after every change), its id, its distance and its resolved icon.
struct WaypointListRow {
    const CWaypoint* waypoint = nullptr;
    int id = 0;
    double distanceKm = 0.0;
    int32_t icon = 0;
};

// The rows of the waypoint manager: filled from the store by the filter and sorted by a column
// kind. Commands take the ids of the rows they act on before changing the store.
class CWaypointManagerList {
public:
    // Empties the list and takes every record that passes the filter (all of them in store
    // order, or those of the cells around `current` within the distance), each with its
    // distance from `current` (also kept in the record's dDistance) and its icon resolved.
    void Fill(CWaypointDB& db, const GeoPosition& current, const WaypointListFilter& filter);
    // Ascending by the kind's rule; rows that compare equal keep their order. An unknown kind
    // leaves the order as it is.
    void Sort(int kind);

    const std::vector<WaypointListRow>& Rows() const { return m_rows; }
    int Count() const { return static_cast<int>(m_rows.size()); }

    // The text of a cell: "ERROR - UNKNOWN FIELD" for an unknown kind.
    static QString CellText(const WaypointListRow& row, int kind);
    // A distance in the user's distance unit: one decimal from 10 up, else two.
    static QString DistanceText(double km);
    // "%04d %02d/%02d %02d:%02d:%02d" in local time.
    static QString TimeFoundText(int32_t seconds);
    static bool PassesSearch(const CWaypoint& waypoint, const WaypointListFilter& filter);

private:
    std::vector<WaypointListRow> m_rows;
};
