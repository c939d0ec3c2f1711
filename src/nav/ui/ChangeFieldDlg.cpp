#include "nav/ui/ChangeFieldDlg.h"

#include "nav/PanelItems.h"
#include "platform/StringTable.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QVBoxLayout>

CChangeFieldDlg::CChangeFieldDlg(int currentKind, QWidget* parent)
    : QDialog(parent), m_list(new QListWidget(this)), m_kind(currentKind)
{
    setObjectName(QStringLiteral("ChangeFieldDlg"));
    setWindowTitle(LoadString(203));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(tr("Field:"), this));
    m_list->setObjectName(QStringLiteral("fieldList"));
    m_list->setSortingEnabled(true);
    for (int kind = 0; kind < kPanelItemKindCount; ++kind) {
        auto* item = new QListWidgetItem(PanelItemListName(kind), m_list);
        item->setData(Qt::UserRole, kind);
    }
    m_list->sortItems();
    for (int row = 0; row < m_list->count(); ++row)
        if (m_list->item(row)->data(Qt::UserRole).toInt() == currentKind)
            m_list->setCurrentRow(row);
    layout->addWidget(m_list);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->setObjectName(QStringLiteral("buttons"));
    connect(buttons, &QDialogButtonBox::accepted, this, &CChangeFieldDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CChangeFieldDlg::reject);
    layout->addWidget(buttons);
}

void CChangeFieldDlg::accept()
{
    if (const QListWidgetItem* item = m_list->currentItem())
        m_kind = item->data(Qt::UserRole).toInt();
    QDialog::accept();
}
