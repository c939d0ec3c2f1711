// One frame of the map at 800x480: a full 10,000-point track, 10,000 waypoints in view with
// declutter off, and the grid; north up and course up.
#include "app/ui/ViewContext.h"
#include "geo/Geodesy.h"
#include "gps/NMEAParser.h"
#include "map/ui/MapView.h"
#include "map/ui/MapWnd.h"
#include "nav/Navigation.h"

#include <benchmark/benchmark.h>

#include <cmath>

namespace {

void BM_MapFrame(benchmark::State& state)
{
    CNMEAParser parser;
    ViewContext context{parser};
    CMapWnd map(context, nullptr);
    context.map = &map;
    map.setAttribute(Qt::WA_DontShowOnScreen);
    map.show();
    map.resize(800, 480);
    CMapView& view = map.View();
    const GeoPosition centre = GeoPositionFromDegrees(37.4, 127.1);
    map.Navigation().SetCurrentPosition(centre);
    // Scale 1 draws every track point; above 1 every fifth.
    const double scale = double(state.range(1));
    view.SetScale(scale);
    view.SetNorthUp(state.range(0) == 1);
    view.SetDeclutter(false);
    // A winding track through the view, and waypoints on a 100 x 100 grid over it.
    const double reach = 0.6 * scale; // km, inside the view's half width
    for (int i = 0; i < 10000; ++i) {
        const double t = i * 0.002;
        TrackPoint point;
        point.position = DestinationPoint(centre, reach * std::sin(t * 1.3), 90.0 + 57.0 * t);
        view.Track().Append(point);
    }
    for (int i = 0; i < 10000; ++i) {
        CWaypoint waypoint;
        waypoint.strName = QStringLiteral("W%1").arg(i);
        waypoint.icon = i % 144;
        const GeoPosition row = DestinationPoint(centre, reach * ((i % 100) / 50.0 - 1.0), 0.0);
        waypoint.position = DestinationPoint(row, reach * ((i / 100) / 50.0 - 1.0), 90.0);
        view.Store().AddByPosition(waypoint);
    }
    for (auto _ : state)
        benchmark::DoNotOptimize(view.Render());
}

} // namespace

BENCHMARK(BM_MapFrame)
    ->ArgsProduct({{1, 0}, {1, 5}})
    ->ArgNames({"northUp", "scale"})
    ->Unit(benchmark::kMillisecond);
