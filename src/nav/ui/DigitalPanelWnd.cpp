#include "nav/ui/DigitalPanelWnd.h"

#include "app/ui/PlaceholderDraw.h"
#include "app/ui/ViewContext.h"

CDigitalPanelWnd::CDigitalPanelWnd(ViewContext& context, QWidget* parent)
    : CBufferedView(QStringLiteral("DigitalPanel"), parent), m_context(context)
{}

void CDigitalPanelWnd::Draw(CDrawContext& dc, const GdiRect& client)
{
    DrawPlaceholder(dc, client, objectName());
}
