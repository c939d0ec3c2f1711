#pragma once

#include <QString>

#include <array>
#include <vector>

// The columns of the waypoint manager's list: six positions, each showing a column kind and
// shown or hidden; position 0 is always shown, as the list's first column.
enum WaypointColumnKind : int {
    kColumnName = 0,
    kColumnDistance = 1,
    kColumnIcon = 2,
    kColumnNotes = 3,
    kColumnFieldNotes = 4,
    kColumnTimeFound = 5,
};

class CWaypointManagerColumns {
public:
    static constexpr int kPositions = 6;
    static constexpr int kStoredWidths = 5; // "WMColWidth_0" to "WMColWidth_4"

    // Kinds and visibility from the settings ("Waypoint Manager Column ID").
    static CWaypointManagerColumns Read();
    // Writes the kinds and visibility of all six positions.
    void Write() const;

    int Kind(int position) const { return m_kinds[position]; }
    bool IsShown(int position) const { return position == 0 || m_shown[position]; }
    void SetShown(int position, bool shown) { m_shown[position] = shown; }
    // Swaps a position with the one above or below it (kind and visibility move together).
    void MoveUp(int position);
    void MoveDown(int position);
    // The shown positions in list order.
    std::vector<int> ShownPositions() const;

    // The width of each shown column for a list `listWidth` pixels wide: the stored width of
    // its list column, a quarter of the list by default, twice the list at position 5.
    std::vector<int> ColumnWidths(int listWidth) const;
    // Stores the widths by list column index, so a hidden position shifts the later ones.
    static void WriteWidths(const std::vector<int>& widths);

    // Header title and sort of a kind; "COL ERROR" for an unknown kind.
    static QString Title(int kind);

private:
    std::array<int, kPositions> m_kinds{};
    std::array<bool, kPositions> m_shown{};
};
