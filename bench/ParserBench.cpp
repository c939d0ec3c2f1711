// Decoding throughput of the NMEA parser on a receiver-like stream, and heap allocations per
// sentence (there should be none). Also the demo recording with the GPS talker only beside a
// multi-constellation receiver's capture (u-blox 8: GN fixes, GPS and GLONASS satellites)
// decoded with every talker, which should cost no more than a tenth more per byte.

#include "gps/NMEACommandSender.h"
#include "gps/NMEAParser.h"
#include "platform/MessageSink.h"

#include "AllocationCounter.h"

#include <benchmark/benchmark.h>

#include <QFile>

#include <cstdio>
#include <string>

namespace {

std::string Sentence(const std::string& body)
{
    return CNMEACommandSender::BuildSentence(QByteArray::fromStdString(body)).toStdString();
}

// One second of a receiver navigating to a waypoint, repeated with a moving clock and position.
std::string MakeStream(size_t targetBytes, int* sentences)
{
    std::string stream;
    *sentences = 0;
    for (int second = 0; stream.size() < targetBytes; ++second) {
        char time[16];
        std::snprintf(time, sizeof time, "%02d%02d%02d.00", (second / 3600) % 24,
                      (second / 60) % 60, second % 60);
        char lat[16];
        std::snprintf(lat, sizeof lat, "3733.%04d", second % 10000);
        const std::string t = time;
        stream += Sentence("GPGGA," + t + "," + lat + ",N,12658.9812,E,1,09,0.9,45.3,M,18.2,M,,");
        stream += Sentence("GPGSA,A,3,02,05,07,09,13,16,20,26,29,,,,1.6,0.9,1.3");
        stream += Sentence("GPGSV,3,1,11,02,61,045,44,05,38,290,41,07,12,170,33,09,55,110,45");
        stream += Sentence("GPGSV,3,2,11,13,21,250,36,16,08,035,28,20,73,310,47,26,30,200,39");
        stream += Sentence("GPGSV,3,3,11,29,44,080,42,30,05,330,,31,02,150,");
        stream += Sentence("GPRMC," + t + ",A," + lat + ",N,12658.9812,E,23.4,87.5,081226,7.9,W,A");
        stream += Sentence("GPRMB,A,0.12,L,START,DEST,3734.1200,N,12700.4400,E,1.53,75.2,22.1,V,A");
        *sentences += 7;
        if (second % 5 == 0) {
            stream += Sentence("GPZDA," + t + ",08,12,2026,00,00");
            ++*sentences;
        }
    }
    return stream;
}

class CountingSink : public IMessageSink {
public:
    void Post(uint32_t message) override { benchmark::DoNotOptimize(message); }
};

// Decodes `stream` in 128-byte chunks, as the link reads it, for every iteration.
void Decode(benchmark::State& state, const std::string& stream, GnssTalkers talkers)
{
    const auto* bytes = reinterpret_cast<const uint8_t*>(stream.data());
    CountingSink sink;
    CNMEAParser parser(&sink);
    parser.SetGnssTalkers(talkers);
    long long allocations = 0;
    uint32_t sentences = 0;
    for (auto _ : state) {
        const long long before = AllocationCount();
        const uint32_t counted = parser.GetSentenceCount();
        for (size_t at = 0; at < stream.size(); at += 128)
            parser.ProcessBytes(bytes + at, std::min<size_t>(128, stream.size() - at));
        allocations += AllocationCount() - before;
        sentences = parser.GetSentenceCount() - counted;
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * stream.size()));
    state.counters["sentences"] = static_cast<double>(sentences);
    state.counters["allocs_per_sentence"] =
        static_cast<double>(allocations) / (static_cast<double>(sentences) * state.iterations());
}

void BM_ProcessBytes(benchmark::State& state)
{
    int sentences = 0;
    // A stream the size of the demo log stays in cache, as a receiver's freshly read chunks do;
    // the large one streams from memory.
    Decode(state, MakeStream(static_cast<size_t>(state.range(0)) << 10, &sentences),
           GnssTalkers::All);
}
BENCHMARK(BM_ProcessBytes)->Arg(512)->Arg(16 << 10)->Unit(benchmark::kMillisecond);

std::string ReadFile(const char* path)
{
    QFile file(QString::fromUtf8(path));
    return file.open(QIODevice::ReadOnly) ? file.readAll().toStdString() : std::string();
}

void BM_DemoLogGpsTalkerOnly(benchmark::State& state)
{
    const std::string demo = ReadFile(WENDRIFT_DEMO_LOG);
    if (demo.empty())
        return state.SkipWithError("the demo log is missing: build the demo_log target");
    Decode(state, demo, static_cast<GnssTalkers>(state.range(0)));
}
BENCHMARK(BM_DemoLogGpsTalkerOnly)
    ->Arg(int(GnssTalkers::GpOnly))
    ->Arg(int(GnssTalkers::All))
    ->ArgName("all_talkers")
    ->Unit(benchmark::kMillisecond);

void BM_UbloxCaptureEveryTalker(benchmark::State& state)
{
    const std::string capture = ReadFile(WENDRIFT_TESTDATA_DIR "/nmea/ublox-8.log");
    if (capture.empty())
        return state.SkipWithError("the shared test data is missing");
    std::string stream;
    while (stream.size() < (size_t{30} << 20))
        stream += capture;
    Decode(state, stream, GnssTalkers::All);
}
BENCHMARK(BM_UbloxCaptureEveryTalker)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
