#pragma once

#include "nav/TrackLog.h"
#include "platform/ui/BufferedView.h"
#include "waypoints/WaypointDB.h"

struct ViewContext;

// The map drawing window. It owns the waypoint store (with the navigation state) and the track.
class CMapView : public CBufferedView {
    Q_OBJECT
public:
    CMapView(ViewContext& context, QWidget* parent);

    CWaypointDB& Store() { return m_store; }
    CTrackLog& Track() { return m_track; }

protected:
    void Draw(CDrawContext& dc, const GdiRect& client) override;

private:
    ViewContext& m_context;
    CWaypointDB m_store;
    CTrackLog m_track;
};
