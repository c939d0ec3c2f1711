#include "nav/ui/ChangeFieldDlg.h"

#include "nav/PanelItems.h"
#include "platform/StringTable.h"
#include "platform/ui/DialogRows.h"

#include <QLabel>
#include <QListWidget>
#include <QVBoxLayout>

CChangeFieldDlg::CChangeFieldDlg(int currentKind, QWidget* parent)
    : QDialog(parent), m_list(new QListWidget(this)), m_kind(currentKind)
{
    setObjectName(QStringLiteral("ChangeFieldDlg"));
    setWindowTitle(LoadString(203));
    QVBoxLayout* layout = AddDialogColumn(*this);
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
    AddOkCancel(*this, *layout);
}

void CChangeFieldDlg::accept()
{
    if (const QListWidgetItem* item = m_list->currentItem())
        m_kind = item->data(Qt::UserRole).toInt();
    QDialog::accept();
}
