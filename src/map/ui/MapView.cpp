#include "map/ui/MapView.h"

#include "app/ui/PlaceholderDraw.h"
#include "app/ui/ViewContext.h"

CMapView::CMapView(ViewContext& context, QWidget* parent)
    : CBufferedView(QStringLiteral("MapView"), parent), m_context(context)
{}

void CMapView::Draw(CDrawContext& dc, const GdiRect& client)
{
    DrawPlaceholder(
        dc, client,
        tr("%1 waypoints, %2 track points").arg(m_store.GetCount()).arg(m_track.GetCount()));
}
