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

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <memory>
#include <numbers>
#include <string>

namespace {

constexpr int kEpochs = 86400;
constexpr double kCentreLatitude = 37.40, kCentreLongitude = 127.10;
constexpr double kRadiusDegrees = 0.027;    // a 3 km circle, driven at 10 m/s
constexpr uint32_t kStartTime = 1716033600; // 2024-05-18 12:00:00 UTC: the day crosses midnight

std::string Sentence(const std::string& body)
{
    unsigned checksum = 0;
    for (char c : body)
        checksum ^= static_cast<unsigned char>(c);
    char tail[8];
    std::snprintf(tail, sizeof tail, "*%02X\r\n", checksum);
    return "$" + body + tail;
}

std::string Coordinate(double degrees, int degreeDigits)
{
    const double magnitude = std::fabs(degrees);
    const int whole = static_cast<int>(magnitude);
    char text[24];
    std::snprintf(text, sizeof text, "%0*d%07.4f", degreeDigits, whole, (magnitude - whole) * 60);
    return text;
}

// GGA, GSA, three GSV and RMC each second, a 30 s loss of fix every hour, a 2D fix now and then.
std::string MakeDayLog()
{
    std::string log;
    log.reserve(static_cast<size_t>(kEpochs) * 460);
    const double lapSeconds = 2 * std::numbers::pi * 3000.0 / 10.0;
    for (int epoch = 0; epoch < kEpochs; ++epoch) {
        const uint32_t now = kStartTime + static_cast<uint32_t>(epoch);
        const UtcDateTime utc = UtcFromSeconds(now);
        char time[16], date[8];
        std::snprintf(time, sizeof time, "%02d%02d%02d.00", utc.hour, utc.minute, utc.second);
        std::snprintf(date, sizeof date, "%02d%02d%02d", utc.day, utc.month, utc.year % 100);
        const double angle = 2 * std::numbers::pi * epoch / lapSeconds;
        const double lat = kCentreLatitude + kRadiusDegrees * std::sin(angle);
        const double lon = kCentreLongitude + kRadiusDegrees * 1.26 * std::cos(angle);
        const double altitude = 60.0 + 20.0 * std::sin(angle * 3);
        const double course = std::fmod(360.0 + 180.0 - angle * 180.0 / std::numbers::pi, 360.0);
        const bool lost = epoch % 3600 >= 1800 && epoch % 3600 < 1830;
        const std::string t = time;
        const std::string position = Coordinate(lat, 2) + ",N," + Coordinate(lon, 3) + ",E";
        char tail[96];
        if (lost) {
            log += Sentence("GPGGA," + t + ",,,,,0,00,99.99,,,,,,");
            log += Sentence("GPGSA,A,1,,,,,,,,,,,,,99.99,99.99,99.99");
        } else {
            std::snprintf(tail, sizeof tail, ",%d,08,0.9,%.1f,M,24.1,M,,", epoch % 600 ? 1 : 2,
                          altitude);
            log += Sentence("GPGGA," + t + "," + position + tail);
            log += Sentence(epoch % 900 < 30 ? "GPGSA,A,2,02,05,07,,,,,,,,,,2.5,2.3,1.0"
                                             : "GPGSA,A,3,02,05,07,09,13,16,20,26,,,,,1.6,0.9,1.3");
        }
        log += Sentence("GPGSV,3,1,11,02,61,045,44,05,38,290,41,07,12,170,33,09,55,110,45");
        log += Sentence("GPGSV,3,2,11,13,21,250,36,16,08,035,28,20,73,310,47,26,30,200,39");
        log += Sentence("GPGSV,3,3,11,29,44,080,42,30,05,330,,31,02,150,");
        std::snprintf(tail, sizeof tail, ",19.44,%.2f,%s,8.9,W,A", course, date);
        log += Sentence("GPRMC," + t +
                        (lost ? ",V,,,,," + std::string(tail + 1) : ",A," + position + tail));
    }
    return log;
}

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
    static const std::string log = MakeDayLog();
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
