// The waypoint store at its largest expected size: saving and loading 100,000 waypoints that
// each carry about 1 KB of geocache text, adding 100,000 distinct names, and the proximity
// query that runs on every fix. Files go to $WENDRIFT_BENCH_DIR (default: the temp folder).

#include "geo/Geodesy.h"
#include "waypoints/WaypointDB.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <benchmark/benchmark.h>

#include <memory>
#include <random>

namespace {

constexpr int kWaypoints = 100000;

QString BenchFile()
{
    const QString dir = qEnvironmentVariable("WENDRIFT_BENCH_DIR", QDir::tempPath());
    return QDir(dir).filePath(QStringLiteral("wendrift-bench-store.wpt"));
}

// A cache in a 5 x 5 degree area with ~1,000 characters of its own text (descriptions, hints,
// logs); every tenth one has its alarm armed.
CWaypoint BenchWaypoint(int n, std::mt19937& random)
{
    static const QString lorem = QStringLiteral(
        "Der Cache liegt am Fuss der alten Eiche, gut versteckt unter Steinen. Bitte leise "
        "suchen, hier wohnen Leute. 숲길을 따라 오른쪽으로 가면 작은 다리가 나옵니다. ");
    std::uniform_int_distribution<int32_t> offset(0, 5000000);
    CWaypoint wp;
    wp.strName = QStringLiteral("GC%1").arg(n, 6, 36, QLatin1Char('0')).toUpper();
    wp.position.latitude = 35000000 + offset(random);
    wp.position.longitude = 125000000 + offset(random);
    wp.nType = kWaypointTypeGeocache;
    wp.bActiveWaypoint = n % 10 == 0;
    GeocacheInfo& gc = wp.geocache;
    gc.strLongDescription = (lorem.repeated(4) + QString::number(n)).left(600);
    gc.strShortDescription = lorem.left(100);
    gc.strEncodedHints = QStringLiteral("Haqre gur fgbar %1").arg(n);
    gc.strCacheName = QStringLiteral("Cache number %1").arg(n);
    for (size_t slot = 0; slot < 3; ++slot) {
        gc.logs[slot].strLogText = lorem.left(80) + QString::number(n + static_cast<int>(slot));
        gc.logs[slot].strLogFinder = QStringLiteral("finder%1").arg(slot);
    }
    return wp;
}

CWaypointDB& BenchStore()
{
    static const std::unique_ptr<CWaypointDB> db = [] {
        auto store = std::make_unique<CWaypointDB>();
        std::mt19937 random(7);
        for (int n = 0; n < kWaypoints; ++n)
            store->AddByPosition(BenchWaypoint(n, random));
        return store;
    }();
    return *db;
}

void BM_Save(benchmark::State& state)
{
    CWaypointDB& db = BenchStore();
    const QString path = BenchFile();
    for (auto _ : state) {
        if (!db.Save(path))
            state.SkipWithError("save failed");
    }
    state.SetBytesProcessed(state.iterations() * QFileInfo(path).size());
    state.counters["file_MB"] = static_cast<double>(QFileInfo(path).size()) / 1e6;
}
BENCHMARK(BM_Save)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_Load(benchmark::State& state)
{
    const QString path = BenchFile();
    if (!BenchStore().Save(path)) {
        state.SkipWithError("save failed");
        return;
    }
    CWaypointDB db;
    for (auto _ : state) {
        if (db.Load(path).status != WaypointLoadStatus::Loaded || db.GetCount() != kWaypoints)
            state.SkipWithError("load failed");
    }
    state.SetBytesProcessed(state.iterations() * QFileInfo(path).size());
    QFile::remove(path);
}
BENCHMARK(BM_Load)->Unit(benchmark::kMillisecond)->UseRealTime();

// One iteration is the whole run of 100,000 calls into an empty store.
void BM_AddIfNameUnique(benchmark::State& state)
{
    std::mt19937 random(11);
    std::vector<CWaypoint> records;
    records.reserve(kWaypoints);
    for (int n = 0; n < kWaypoints; ++n) {
        CWaypoint wp;
        wp.strName = QStringLiteral("WPT %1").arg(n, 5, 10, QLatin1Char('0'));
        std::uniform_int_distribution<int32_t> offset(0, 5000000);
        wp.position.latitude = 35000000 + offset(random);
        wp.position.longitude = 125000000 + offset(random);
        records.push_back(wp);
    }
    for (auto _ : state) {
        state.PauseTiming();
        auto db = std::make_unique<CWaypointDB>();
        state.ResumeTiming();
        for (const CWaypoint& wp : records)
            benchmark::DoNotOptimize(db->AddIfNameUnique(wp));
        state.PauseTiming();
        db.reset();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * kWaypoints);
}
BENCHMARK(BM_AddIfNameUnique)->Unit(benchmark::kMillisecond);

// A drive across the store's area, one fix 10 m on from the last for each call.
void BM_FindAlarmWaypoint(benchmark::State& state)
{
    CWaypointDB& db = BenchStore();
    std::vector<GeoPosition> drive{GeoPositionFromDegrees(35.5, 125.5)};
    while (drive.size() < 200000)
        drive.push_back(DestinationPoint(drive.back(), 0.01, 45.0));
    CWaypoint out;
    int64_t alarms = 0;
    size_t fix = 0;
    for (auto _ : state) {
        alarms += db.FindAlarmWaypoint(drive[fix], out);
        fix = (fix + 1) % drive.size();
    }
    state.counters["alarms"] = static_cast<double>(alarms);
}
BENCHMARK(BM_FindAlarmWaypoint)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
