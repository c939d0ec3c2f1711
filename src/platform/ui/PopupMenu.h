#pragma once

#include "platform/PopupItems.h"

#include <QPoint>

class QWidget;

// Shows `items` as a pop-up menu at the screen point `global`; the chosen command id, or 0.
int ShowPopupMenu(const std::vector<PopupItem>& items, QPoint global, QWidget* parent);
