#include "platform/PopupItems.h"

const PopupItem* FindPopupItem(const std::vector<PopupItem>& items, int id)
{
    for (const PopupItem& item : items) {
        if (item.id == id && item.children.empty())
            return &item;
        if (const PopupItem* inner = FindPopupItem(item.children, id))
            return inner;
    }
    return nullptr;
}
