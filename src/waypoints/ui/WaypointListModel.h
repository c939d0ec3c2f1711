#pragma once

#include "waypoints/WaypointManagerColumns.h"
#include "waypoints/WaypointManagerList.h"

#include <QAbstractTableModel>
#include <QHash>
#include <QPixmap>

// The manager's rows as a table model: cell texts are made only for the rows on screen, so the
// list stays quick with a hundred thousand waypoints.
class CWaypointListModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit CWaypointListModel(QObject* parent = nullptr);

    // Shows `list` (not owned) with the shown positions of `columns`.
    void Reset(const CWaypointManagerList* list, const CWaypointManagerColumns& columns,
               int iconPixels);
    // The column kind of a list column.
    int KindOfColumn(int column) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    const CWaypointManagerList* m_list = nullptr;
    std::vector<int> m_kinds;
    int m_iconPixels = 15;
    mutable QHash<int, QPixmap> m_icons;
};
