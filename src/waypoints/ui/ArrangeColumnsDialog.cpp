#include "waypoints/ui/ArrangeColumnsDialog.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QListWidget>
#include <QPushButton>

CArrangeColumnsDialog::CArrangeColumnsDialog(const CWaypointManagerColumns& columns,
                                             QWidget* parent)
    : QDialog(parent), m_columns(columns), m_list(new QListWidget(this))
{
    setObjectName(QStringLiteral("ArrangeColumnsDialog"));
    setWindowTitle(tr("Arrange Columns"));
    m_list->setObjectName(QStringLiteral("columnList"));
    auto* up = new QPushButton(tr("올리기"), this);
    up->setObjectName(QStringLiteral("upButton"));
    auto* down = new QPushButton(tr("내리기"), this);
    down->setObjectName(QStringLiteral("downButton"));
    connect(up, &QPushButton::clicked, this, [this] { Move(-1); });
    connect(down, &QPushButton::clicked, this, [this] { Move(1); });
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* grid = new QGridLayout(this);
    grid->addWidget(m_list, 0, 0, 3, 1);
    grid->addWidget(up, 0, 1);
    grid->addWidget(down, 1, 1);
    grid->addWidget(buttons, 3, 0, 1, 2);
    Show(0);
}

void CArrangeColumnsDialog::Show(int currentRow)
{
    m_list->clear();
    for (int p = 0; p < CWaypointManagerColumns::kPositions; ++p) {
        auto* item = new QListWidgetItem(CWaypointManagerColumns::Title(m_columns.Kind(p)), m_list);
        item->setFlags(p == 0 ? Qt::ItemIsSelectable | Qt::ItemIsEnabled
                              : Qt::ItemIsSelectable | Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
        item->setCheckState(m_columns.IsShown(p) ? Qt::Checked : Qt::Unchecked);
    }
    m_list->setCurrentRow(currentRow);
}

void CArrangeColumnsDialog::Move(int step)
{
    const int row = m_list->currentRow();
    const int target = row + step;
    if (row < 0 || target < 0 || target >= CWaypointManagerColumns::kPositions)
        return;
    TakeTicks(); // the ticks move with their rows
    if (step < 0)
        m_columns.MoveUp(row);
    else
        m_columns.MoveDown(row);
    Show(target);
}

void CArrangeColumnsDialog::TakeTicks()
{
    for (int p = 1; p < CWaypointManagerColumns::kPositions; ++p)
        m_columns.SetShown(p, m_list->item(p)->checkState() == Qt::Checked);
}

void CArrangeColumnsDialog::accept()
{
    TakeTicks();
    QDialog::accept();
}
