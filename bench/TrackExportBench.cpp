// Exporting a full track (10,000 points) in each format, written to a file as the command does.

#include "nav/TrackExport.h"
#include "nav/TrackLog.h"

#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

const CTrackLog& FullTrack()
{
    static const CTrackLog track = [] {
        CTrackLog full;
        for (int n = 0; n < kTrackLogCapacity; ++n)
            full.Append({{33800000 + 37 * n, -117800000 - 53 * n, 100.0f + 0.25f * (n % 400)},
                         n % 1000 == 0,
                         1194179696u + static_cast<uint32_t>(n)});
        return full;
    }();
    return track;
}

void ExportToFile(benchmark::State& state, TrackExportFormat format)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("track.out"));
    const CTrackLog& track = FullTrack();
    for (auto _ : state)
        benchmark::DoNotOptimize(ExportTrackFile(track, format, path));
    state.SetItemsProcessed(state.iterations() * track.GetCount());
}

void BM_ExportCSV(benchmark::State& state)
{
    ExportToFile(state, TrackExportFormat::CSV);
}
void BM_ExportKML(benchmark::State& state)
{
    ExportToFile(state, TrackExportFormat::KML);
}
void BM_ExportGPX(benchmark::State& state)
{
    ExportToFile(state, TrackExportFormat::GPX);
}

BENCHMARK(BM_ExportCSV)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ExportKML)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ExportGPX)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
