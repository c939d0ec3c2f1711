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
    view.SetScale(5.0);
    view.SetNorthUp(state.range(0) == 1);
    view.SetDeclutter(false);
    // A winding track through the view, and waypoints on a grid over it.
    for (int i = 0; i < 10000; ++i) {
        const double t = i * 0.002;
        TrackPoint point;
        point.position = DestinationPoint(centre, 3.0 * std::sin(t * 1.3), 90.0 + 57.0 * t);
        view.Track().Append(point);
    }
    for (int i = 0; i < 10000; ++i) {
        CWaypoint waypoint;
        waypoint.strName = QStringLiteral("W%1").arg(i);
        waypoint.icon = i % 144;
        waypoint.position =
            GeoPositionFromDegrees(37.37 + (i % 100) * 0.0006, 127.065 + (i / 100) * 0.0007);
        view.Store().AddByPosition(waypoint);
    }
    for (auto _ : state)
        benchmark::DoNotOptimize(view.Render());
}

} // namespace

BENCHMARK(BM_MapFrame)->Arg(1)->Arg(0)->ArgNames({"northUp"})->Unit(benchmark::kMillisecond);
