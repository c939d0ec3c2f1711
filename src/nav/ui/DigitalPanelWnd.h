#pragma once

#include "nav/ui/PanelGridWnd.h"

struct ViewContext;

// The digital panel tab: a panel grid over the whole tab, in section "Digital Panel", with the
// layout menu.
class CDigitalPanelWnd : public CPanelGridWnd {
    Q_OBJECT
public:
    CDigitalPanelWnd(ViewContext& context, QWidget* parent);
};
