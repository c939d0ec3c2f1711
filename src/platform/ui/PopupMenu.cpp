#include "platform/ui/PopupMenu.h"

#include <QAction>
#include <QMenu>

namespace {

void AddItems(QMenu& menu, const std::vector<PopupItem>& items)
{
    for (const PopupItem& item : items) {
        if (item.text.isEmpty()) {
            menu.addSeparator();
        } else if (!item.children.empty()) {
            AddItems(*menu.addMenu(item.text), item.children);
        } else {
            QAction* action = menu.addAction(item.text);
            action->setData(item.id);
            action->setCheckable(item.checked);
            action->setChecked(item.checked);
            action->setEnabled(item.enabled);
        }
    }
}

} // namespace

int ShowPopupMenu(const std::vector<PopupItem>& items, QPoint global, QWidget* parent)
{
    QMenu menu(parent);
    AddItems(menu, items);
    const QAction* chosen = menu.exec(global);
    return chosen ? chosen->data().toInt() : 0;
}
