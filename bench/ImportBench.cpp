// Waypoint files in and out: importing a large geocache GPX file next to a bare expat pass over
// the same bytes, the peak memory of such an import, and exporting a large store as GPX.
//
// The peak memory is measured in a fresh run of this program (`--import-peak FILE`), so that
// the memory used to make the file or by the other benchmarks does not count.

#include "ProcessStats.h"
#include "waypoints/GpxExport.h"
#include "waypoints/GpxImport.h"
#include "waypoints/WaypointDB.h"
#include "waypoints/WaypointImportMerge.h"
#include "waypoints/XmlWaypointFile.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>
#include <expat.h>

#include <cstdio>
#include <cstring>

namespace {

constexpr int kCaches = 20000;
constexpr int kExportWaypoints = 100000;

// A paragraph of a cache description as geocaching.com writes it: HTML inside the XML text.
QByteArray DescriptionParagraph(int n)
{
    return "&lt;p&gt;The cache is hidden near the old stone wall at the edge of the park, about "
           "forty steps from the trail head. Please replace it exactly as found and watch out "
           "for muggles on weekends (" +
           QByteArray::number(n) +
           ").&lt;/p&gt;\n&lt;p&gt;Parking is available on the north side. The terrain is "
           "easy, but the last part of the path can be muddy after rain; good shoes are "
           "recommended. &amp;nbsp;Enjoy the view from the bench!&lt;/p&gt;\n";
}

QByteArray CacheWaypoint(int n)
{
    const QByteArray id = "GC" + QByteArray::number(0x10000 + n, 16).toUpper();
    const QByteArray lat = QByteArray::number(30.0 + (n % 400) * 0.05 + n * 1e-6, 'f', 6);
    const QByteArray lon = QByteArray::number(-120.0 + (n / 400) * 0.05, 'f', 6);
    QByteArray longDescription;
    for (int p = 0; p < 10; ++p)
        longDescription += DescriptionParagraph(n + p);
    QByteArray wpt =
        "  <wpt lat=\"" + lat + "\" lon=\"" + lon +
        "\">\n    <time>2004-07-12T07:00:00-07:00</time>\n    <name>" + id +
        "</name>\n    <desc>Cache number " + QByteArray::number(n) +
        " by Some Hider, Traditional Cache (1.5/2)</desc>\n"
        "    <url>https://www.geocaching.com/geocache/" +
        id + "</url>\n    <urlname>Cache number " + QByteArray::number(n) +
        "</urlname>\n    <sym>Geocache</sym>\n    <type>Geocache|Traditional Cache</type>\n"
        "    <groundspeak:cache id=\"" +
        QByteArray::number(n) +
        "\" available=\"True\" archived=\"False\" "
        "xmlns:groundspeak=\"http://www.groundspeak.com/cache/1/0/1\">\n"
        "      <groundspeak:name>Cache number " +
        QByteArray::number(n) +
        "</groundspeak:name>\n      <groundspeak:placed_by>Some Hider</groundspeak:placed_by>\n"
        "      <groundspeak:owner id=\"42\">Some Hider</groundspeak:owner>\n"
        "      <groundspeak:type>Traditional Cache</groundspeak:type>\n"
        "      <groundspeak:container>Small</groundspeak:container>\n"
        "      <groundspeak:difficulty>1.5</groundspeak:difficulty>\n"
        "      <groundspeak:terrain>2</groundspeak:terrain>\n"
        "      <groundspeak:country>United States</groundspeak:country>\n"
        "      <groundspeak:state>Tennessee</groundspeak:state>\n"
        "      <groundspeak:short_description html=\"True\">A short walk from the parking lot "
        "to a quiet spot.</groundspeak:short_description>\n"
        "      <groundspeak:long_description html=\"True\">" +
        longDescription +
        "</groundspeak:long_description>\n"
        "      <groundspeak:encoded_hints>Haqre gur ynetr ebpx</groundspeak:encoded_hints>\n"
        "      <groundspeak:logs>\n";
    for (int log = 0; log < 5; ++log)
        wpt += "        <groundspeak:log id=\"" + QByteArray::number(n * 5 + log) +
               "\">\n          <groundspeak:date>2005-0" + QByteArray::number(log + 1) +
               "-03T19:00:00Z</groundspeak:date>\n          <groundspeak:type>" +
               (log % 2 ? "Write note" : "Found it") +
               "</groundspeak:type>\n          <groundspeak:finder id=\"7\">Finder " +
               QByteArray::number(log) +
               "</groundspeak:finder>\n          <groundspeak:text encoded=\"False\">Found it "
               "after a short search. The container was in good shape and the log book dry. "
               "Took nothing, left a travel bug. Thanks for the cache and the walk!"
               "</groundspeak:text>\n        </groundspeak:log>\n";
    wpt += "      </groundspeak:logs>\n      <groundspeak:travelbugs />\n"
           "    </groundspeak:cache>\n  </wpt>\n";
    return wpt;
}

// The benchmark file, written once piece by piece.
const QString& CacheFile()
{
    static QTemporaryDir dir;
    static const QString path = [] {
        const QString file = dir.filePath(QStringLiteral("caches.gpx"));
        QFile out(file);
        if (!out.open(QIODevice::WriteOnly))
            std::abort();
        out.write("<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<gpx version=\"1.0\" "
                  "xmlns=\"http://www.topografix.com/GPX/1/0\">\n");
        for (int n = 0; n < kCaches; ++n)
            out.write(CacheWaypoint(n));
        out.write("</gpx>\n");
        return file;
    }();
    return path;
}

qint64 CacheFileSize()
{
    return QFileInfo(CacheFile()).size();
}

void BM_ImportGPX(benchmark::State& state)
{
    const QString& path = CacheFile();
    for (auto _ : state) {
        CWaypointDB db;
        const WaypointImportResult result = ImportGPXFile(db, path, kImportKeepExisting);
        if (result.newCount != kCaches)
            state.SkipWithError("the import did not read every cache");
        benchmark::DoNotOptimize(db.GetCount());
    }
    state.SetBytesProcessed(state.iterations() * CacheFileSize());
}

// Expat alone over the same file, read in the same chunks, with no handlers.
void BM_RawExpat(benchmark::State& state)
{
    const QString& path = CacheFile();
    for (auto _ : state) {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            state.SkipWithError("cannot read the file");
        XML_Parser parser = XML_ParserCreate(nullptr);
        char chunk[kXmlChunkSize];
        for (;;) {
            const qint64 length = file.read(chunk, kXmlChunkSize);
            const bool last = length < kXmlChunkSize;
            if (XML_Parse(parser, chunk, static_cast<int>(length), last) == XML_STATUS_ERROR)
                state.SkipWithError("expat rejected the file");
            if (last)
                break;
        }
        XML_ParserFree(parser);
    }
    state.SetBytesProcessed(state.iterations() * CacheFileSize());
}

// Peak resident memory of a fresh process that imports the file, against the file's size.
void BM_ImportPeakMemory(benchmark::State& state)
{
    const QString& path = CacheFile();
    double peakKB = 0;
    for (auto _ : state) {
        QProcess child;
        child.start(QCoreApplication::applicationFilePath(), {"--import-peak", path});
        if (!child.waitForFinished(600000) || child.exitCode() != 0) {
            state.SkipWithError("the measuring run failed");
            return;
        }
        peakKB = child.readAllStandardOutput().trimmed().toDouble();
    }
    const double fileMB = CacheFileSize() / 1e6;
    state.counters["file_MB"] = fileMB;
    state.counters["peak_MB"] = peakKB * 1024 / 1e6;
    state.counters["peak_per_file"] = peakKB * 1024 / CacheFileSize();
}

const CWaypointDB& ExportStore()
{
    static CWaypointDB db;
    static const bool filled = [] {
        for (int n = 0; n < kExportWaypoints; ++n) {
            CWaypoint wp;
            wp.position = {-60000000 + n * 1193, -170000000 + n * 3391,
                           static_cast<float>(n % 900)};
            wp.strName = QStringLiteral("WPT %1").arg(n, 6, 10, QLatin1Char('0'));
            wp.strDescription = QStringLiteral("Trail junction number %1, sign post").arg(n);
            wp.icon = n % kIconCount;
            wp.timeWaypoint = 1100000000 + n;
            wp.bActiveWaypoint = n % 3 == 0;
            if (n % 4 == 0)
                wp.strFieldNotes = QStringLiteral("Checked on the way back.\r\nAll fine.");
            db.AddByPosition(wp);
        }
        return true;
    }();
    benchmark::DoNotOptimize(filled);
    return db;
}

void BM_ExportGPX(benchmark::State& state)
{
    const CWaypointDB& db = ExportStore();
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("out.gpx"));
    for (auto _ : state)
        if (!ExportWaypointsGPX(db, path))
            state.SkipWithError("the export failed");
    state.SetBytesProcessed(state.iterations() * QFileInfo(path).size());
    state.counters["waypoints"] = db.GetCount();
}

BENCHMARK(BM_ImportGPX)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_RawExpat)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_ImportPeakMemory)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_ExportGPX)->Unit(benchmark::kMillisecond)->MinTime(2.0);

// The measuring run: imports FILE and prints the peak resident memory (VmHWM) in kB.
int MeasureImportPeak(const char* path)
{
    CWaypointDB db;
    ImportGPXFile(db, QString::fromLocal8Bit(path), kImportKeepExisting);
    benchmark::DoNotOptimize(db.GetCount());
    const double peak = OwnStatusKilobytes("VmHWM");
    if (peak < 0)
        return 1;
    std::printf("%.0f\n", peak);
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc == 3 && std::strcmp(argv[1], "--import-peak") == 0)
        return MeasureImportPeak(argv[2]);
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
