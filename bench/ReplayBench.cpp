// A day of a 1 Hz receiver (86,400 epochs) played through the decoder, the map window's per-fix
// work and the trip computer, as `wendrift-cli replay` does: time per fix, and heap allocations
// per fix once the objects are built (there should be none).

#include "app/SettingsStore.h"
#include "geo/Geodesy.h"
#include "nav/LogReplay.h"
#include "platform/Clock.h"
#include "platform/UtcTime.h"

#include <QTemporaryDir>

#include "AllocationCounter.h"
#include "DayLog.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <memory>
#include <numbers>
#include <string>

namespace {

using namespace DayLog;

// Armed waypoints around the circle, none close enough to alarm, so the search visits cells
// and records every fix without an alarm to show.
void AddWaypoints(CWaypointDB& store)
{
    for (int i = 0; i < 40; ++i) {
        CWaypoint waypoint;
        waypoint.strName = QStringLiteral("WPT %1").arg(i);
        const double angle = 2 * std::numbers::pi * i / 40;
        const double reach = i % 2 ? 0.5 : 1.5; // inside or outside the circle
        waypoint.position = GeoPositionFromDegrees(
            kCentreLatitude + kRadiusDegrees * reach * std::sin(angle),
            kCentreLongitude + kRadiusDegrees * 1.26 * reach * std::cos(angle));
        waypoint.bActiveWaypoint = true;
        waypoint.dActiveWPDistance = 0.3048;
        store.AddByPosition(waypoint);
    }
}

void BM_ReplayDay(benchmark::State& state)
{
    static const QTemporaryDir settings;
    OpenSettingsStore(settings.path());
    static const std::string log = DayLog::Make();
    const auto* bytes = reinterpret_cast<const uint8_t*>(log.data());
    long long allocations = 0;
    uint32_t points = 0;
    for (auto _ : state) {
        state.PauseTiming();
        Clock::Pin(kStartTime);
        auto replay = std::make_unique<CLogReplay>(true);
        AddWaypoints(replay->Store());
        replay->Start();
        CWaypoint target; // 50 km north: never reached, closing and receding by turns
        target.strName = QStringLiteral("FAR");
        target.position = GeoPositionFromDegrees(kCentreLatitude + 0.45, kCentreLongitude);
        replay->Navigation().GoTo(target);
        state.ResumeTiming();

        const long long before = AllocationCount();
        replay->Feed(bytes, log.size());
        allocations += AllocationCount() - before;
        points = static_cast<uint32_t>(replay->Track().GetCount());
        benchmark::DoNotOptimize(replay->TripComputer().Odometer());

        state.PauseTiming();
        replay.reset();
        state.ResumeTiming();
    }
    const double fixes = static_cast<double>(state.iterations()) * kEpochs;
    state.SetItemsProcessed(static_cast<int64_t>(fixes));
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * log.size()));
    state.counters["allocs_per_fix"] = static_cast<double>(allocations) / fixes;
    state.counters["track_points"] = points;
    state.counters["us_per_fix"] =
        benchmark::Counter(fixes * 1e-6, benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_ReplayDay)->Unit(benchmark::kMillisecond)->Iterations(5);

} // namespace

BENCHMARK_MAIN();
