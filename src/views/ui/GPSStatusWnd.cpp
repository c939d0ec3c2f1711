#include "views/ui/GPSStatusWnd.h"

#include "app/ui/PlaceholderDraw.h"
#include "app/ui/ViewContext.h"

CGPSStatusWnd::CGPSStatusWnd(ViewContext& context, QWidget* parent)
    : CBufferedView(QStringLiteral("GPSStatusWnd"), parent), m_context(context)
{}

void CGPSStatusWnd::Draw(CDrawContext& dc, const GdiRect& client)
{
    DrawPlaceholder(dc, client, objectName());
}
