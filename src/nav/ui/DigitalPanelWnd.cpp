#include "nav/ui/DigitalPanelWnd.h"

CDigitalPanelWnd::CDigitalPanelWnd(ViewContext& context, QWidget* parent)
    : CPanelGridWnd(context, QStringLiteral("DigitalPanel"), QString(), kDigitalPanelMenu, parent)
{}
