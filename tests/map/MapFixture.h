#pragma once

#include "app/ui/ViewContext.h"
#include "gps/NMEAParser.h"
#include "map/ui/MapView.h"
#include "map/ui/MapWnd.h"
#include "nav/FreshSettings.h"
#include "support/RecordingSink.h"

#include <QImage>
#include <QString>

// A map window on its own settings store and fix state, fed NMEA as the view host would.
class CMapFixture {
public:
    CMapFixture();
    // Runs the bytes through the decoder; each GGA is handled by the map window.
    void Feed(const QByteArray& bytes);
    void FeedFile(const QString& path);
    // A waypoint of `icon` at a position; its id.
    int AddWaypoint(const QString& name, const GeoPosition& position, int icon = 0);
    QImage Render(int width, int height);
    // Writes `image` as NAME.png into $WENDRIFT_PNG_DIR when that is set (to look at).
    static void Keep(const QImage& image, const QString& name);

    CFreshSettings settings;
    CRecordingSink sink;
    CNMEAParser parser{&sink};
    ViewContext context{parser};
    CMapWnd map{context, nullptr};
    CMapView& view = map.View();

private:
    int m_pendingGga = 0;
};
