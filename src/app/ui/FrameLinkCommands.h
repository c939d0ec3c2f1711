#pragma once

class CGpsLink;
class QWidget;

// The frame's commands that open a dialog of the receiver link or of the settings (port setup,
// detection, receiver configuration, units, import mode, other settings). False when `id` is
// none of them.
bool RunLinkCommand(int id, CGpsLink& link, QWidget* parent);
