// The waypoint manager on a store of 100,000 waypoints: opening the dialog on All and on Nearest
// 10 km in a dense area (the list filled, sorted by name and its first rows drawn), and sorting
// by each column as a header click does.

#include "app/SettingsStore.h"
#include "nav/Navigation.h"
#include "waypoints/WaypointDB.h"
#include "waypoints/ui/WaypointManagerDialog.h"

#include <QComboBox>
#include <QTableView>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <memory>
#include <random>

namespace {

constexpr int kWaypoints = 100000;
const GeoPosition kHome{37500000, 127000000, 0.0f};

class NoMap : public IWaypointMapActions {
public:
    void ShowOnMap(const CWaypoint&) override {}
    void SetCurrentPosition(const GeoPosition&) override {}
};

// 100,000 waypoints in a 2 x 2 degree square around home (about 1,000 within 10 km), with
// names, notes and found times that repeat, as imported cache lists do.
CWaypointDB& Store()
{
    static const std::unique_ptr<CWaypointDB> db = [] {
        auto store = std::make_unique<CWaypointDB>();
        std::mt19937 random(7);
        std::uniform_int_distribution<int32_t> offset(-1000000, 1000000);
        for (int n = 0; n < kWaypoints; ++n) {
            CWaypoint wp;
            wp.strName = QStringLiteral("GC%1").arg(n % 60000, 5, 36, QLatin1Char('0')).toUpper();
            wp.position = {kHome.latitude + offset(random), kHome.longitude + offset(random), 0};
            wp.icon = n % 144;
            wp.strDescription = QStringLiteral("Cache %1 by the river").arg(n % 997);
            wp.strFieldNotes = n % 3 ? QString() : QStringLiteral("Found with %1").arg(n % 13);
            wp.timeGeochacheFound = n % 5 ? 0 : 1200000000 + n;
            store->AddByPosition(wp);
        }
        return store;
    }();
    return *db;
}

struct Settings {
    Settings()
    {
        OpenSettingsStore(dir.path());
        WriteIntSetting("Settings", "Distance-SpeedUnits", 2);
    }
    QTemporaryDir dir;
};

std::unique_ptr<CWaypointManagerDialog> OpenManager(CNavigation& navigation, NoMap& map, bool all)
{
    static Settings settings;
    // The dialog opens on Nearest; All is chosen the way a user does, then refreshed.
    auto dialog = std::make_unique<CWaypointManagerDialog>(Store(), navigation, map, kHome);
    if (all) {
        dialog->findChild<QComboBox*>(QStringLiteral("listMode"))->setCurrentIndex(0);
        dialog->Refresh();
    }
    return dialog;
}

void BM_OpenManager(benchmark::State& state)
{
    const bool all = state.range(0) == 1;
    CNavigation navigation(Store());
    NoMap map;
    int rows = 0;
    for (auto _ : state) {
        auto dialog = OpenManager(navigation, map, all);
        QTableView* table = dialog->findChild<QTableView*>(QStringLiteral("waypointList"));
        benchmark::DoNotOptimize(table->grab()); // the first rows drawn
        rows = dialog->List().Count();
    }
    state.counters["rows"] = rows;
    state.SetLabel(all ? "All" : "Nearest 10 km");
}
BENCHMARK(BM_OpenManager)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond);

void BM_SortByColumn(benchmark::State& state)
{
    CNavigation navigation(Store());
    NoMap map;
    auto dialog = OpenManager(navigation, map, true);
    const int column = static_cast<int>(state.range(0));
    for (auto _ : state) {
        state.PauseTiming();
        dialog->SortByColumn(column == 0 ? 1 : 0); // start from another order
        state.ResumeTiming();
        dialog->SortByColumn(column);
    }
    state.SetLabel(CWaypointManagerColumns::Title(column).toStdString());
    state.counters["rows"] = dialog->List().Count();
}
BENCHMARK(BM_SortByColumn)->DenseRange(0, 5)->Unit(benchmark::kMillisecond);

} // namespace
