#include "map/ui/SelectWaypointDlg.h"

#include "platform/ui/DialogSeam.h"
#include "waypoints/WaypointDB.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace {

std::vector<int> AllIDs(const CWaypointDB& store)
{
    std::vector<int> ids;
    ids.reserve(size_t(store.GetCount()));
    for (int cell = 0; cell < CWaypointDB::kCellCount; ++cell)
        for (const CWaypoint& waypoint : store.CellWaypoints(cell))
            ids.push_back(waypoint.nID);
    return ids;
}

int Run(CSelectWaypointDlg& dialog)
{
    return ExecDialog(dialog) == QDialog::Accepted ? dialog.SelectedID() : 0;
}

} // namespace

CSelectWaypointDlg::CSelectWaypointDlg(const CWaypointDB& store, QWidget* parent) : QDialog(parent)
{
    Build(store, AllIDs(store));
}

CSelectWaypointDlg::CSelectWaypointDlg(const CWaypointDB& store, const std::vector<int>& ids,
                                       QWidget* parent)
    : QDialog(parent)
{
    Build(store, ids);
}

void CSelectWaypointDlg::Build(const CWaypointDB& store, std::vector<int> ids)
{
    setObjectName(QStringLiteral("SelectWaypointDlg"));
    setWindowTitle(tr("Select Waypoint"));
    std::vector<std::pair<QString, int>> entries;
    for (const int id : ids) {
        CWaypoint waypoint;
        if (store.GetByID(id, waypoint))
            entries.emplace_back(waypoint.strName, id);
    }
    std::sort(entries.begin(), entries.end(), [](const auto& a, const auto& b) {
        return QString::localeAwareCompare(a.first, b.first) < 0;
    });
    m_list = new QListWidget(this);
    m_list->setObjectName(QStringLiteral("WaypointList"));
    for (const auto& [name, id] : entries) {
        auto* item = new QListWidgetItem(name, m_list);
        item->setData(Qt::UserRole, id);
    }
    if (m_list->count() > 0)
        m_list->setCurrentRow(0);
    auto* count = new QLabel(tr("Count:") + QStringLiteral(" %1").arg(m_list->count()), this);
    count->setObjectName(QStringLiteral("Count"));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_list, &QListWidget::itemDoubleClicked, this, &QDialog::accept);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_list);
    layout->addWidget(count);
    layout->addWidget(buttons);
}

int CSelectWaypointDlg::SelectedID() const
{
    const QListWidgetItem* item = m_list->currentItem();
    return item ? item->data(Qt::UserRole).toInt() : 0;
}

void CSelectWaypointDlg::accept()
{
    if (SelectedID() == 0)
        return; // nothing to choose yet
    QDialog::accept();
}

int ChooseWaypoint(const CWaypointDB& store, QWidget* parent)
{
    CSelectWaypointDlg dialog(store, parent);
    return Run(dialog);
}

int ChooseWaypoint(const CWaypointDB& store, const std::vector<int>& ids, QWidget* parent)
{
    CSelectWaypointDlg dialog(store, ids, parent);
    return Run(dialog);
}
