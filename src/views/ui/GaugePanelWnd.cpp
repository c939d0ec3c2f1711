#include "views/ui/GaugePanelWnd.h"

#include "app/ui/PlaceholderDraw.h"
#include "app/ui/ViewContext.h"

CGaugePanelWnd::CGaugePanelWnd(ViewContext& context, QWidget* parent)
    : CBufferedView(QStringLiteral("Panel"), parent), m_context(context)
{}

void CGaugePanelWnd::Draw(CDrawContext& dc, const GdiRect& client)
{
    DrawPlaceholder(dc, client, objectName());
}
