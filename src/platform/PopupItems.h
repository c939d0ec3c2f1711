#pragma once

#include <QString>

#include <vector>

// One entry of a pop-up menu as a view builds it: a command (id), a submenu (children) or a
// separator (empty text), with its check mark and greying. Tests read the model; the window
// shows it with ShowPopupMenu.
struct PopupItem {
    int id = 0;
    QString text;
    bool checked = false;
    bool enabled = true;
    std::vector<PopupItem> children;
};

// The command entry with `id` anywhere in `items`; nullptr when absent.
const PopupItem* FindPopupItem(const std::vector<PopupItem>& items, int id);
