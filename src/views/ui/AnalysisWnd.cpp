#include "views/ui/AnalysisWnd.h"

#include "app/ui/PlaceholderDraw.h"
#include "app/ui/ViewContext.h"

CAnalysisWnd::CAnalysisWnd(ViewContext& context, QWidget* parent)
    : CBufferedView(QStringLiteral("AnalysisWnd"), parent), m_context(context)
{}

void CAnalysisWnd::AddFixValues(double, double, double, double)
{}

void CAnalysisWnd::AddAcceleration(double)
{}

void CAnalysisWnd::OnArrowKey(bool)
{}

void CAnalysisWnd::Draw(CDrawContext& dc, const GdiRect& client)
{
    DrawPlaceholder(dc, client, objectName());
}
