#pragma once

#include <QIcon>

// The application's icon for its windows, at every size drawn for the desktop (16 to 256 pixels).
QIcon ApplicationIcon();
