#include "waypoints/ui/WaypointListModel.h"

#include "waypoints/ui/WaypointIconImages.h"

CWaypointListModel::CWaypointListModel(QObject* parent) : QAbstractTableModel(parent)
{}

void CWaypointListModel::Reset(const CWaypointManagerList* list,
                               const CWaypointManagerColumns& columns, int iconPixels)
{
    beginResetModel();
    m_list = list;
    m_kinds.clear();
    for (const int position : columns.ShownPositions())
        m_kinds.push_back(columns.Kind(position));
    m_iconPixels = iconPixels;
    endResetModel();
}

int CWaypointListModel::KindOfColumn(int column) const
{
    return column >= 0 && column < static_cast<int>(m_kinds.size()) ? m_kinds[column] : -1;
}

int CWaypointListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() || m_list == nullptr ? 0 : m_list->Count();
}

int CWaypointListModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_kinds.size());
}

QVariant CWaypointListModel::data(const QModelIndex& index, int role) const
{
    if (m_list == nullptr || !index.isValid() || index.row() >= m_list->Count())
        return {};
    const WaypointListRow& row = m_list->Rows()[index.row()];
    if (role == Qt::DisplayRole)
        return CWaypointManagerList::CellText(row, KindOfColumn(index.column()));
    if (role == Qt::DecorationRole && index.column() == 0) {
        auto cached = m_icons.find(row.icon);
        if (cached == m_icons.end())
            cached = m_icons.insert(row.icon, WaypointIconPixmap(row.icon, m_iconPixels));
        return cached->isNull() ? QVariant() : QVariant(*cached);
    }
    return {};
}

QVariant CWaypointListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    return CWaypointManagerColumns::Title(KindOfColumn(section));
}
