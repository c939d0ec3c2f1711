// The live link as `wendrift-cli listen` runs it, fed by a receiver on a pseudo-terminal:
//  - latency: from the last byte of a sentence written to the line to its decode line on
//    listen's standard output (target: under 150 ms);
//  - CPU: what listen uses over 60 s of a 4800-baud stream from `wendrift-cli simulate`
//    (target: under 1% of one core).

#include "ProcessStats.h"
#include "gps/NMEACommandSender.h"
#include "gps/PseudoTerminal.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRandomGenerator>
#include <QThread>

#include <benchmark/benchmark.h>

#include <algorithm>

namespace {

const QString kCli = QStringLiteral(WENDRIFT_CLI_PATH);

// Reads listen's output until a line contains `marker`; false after `timeoutMs`.
bool WaitForLine(QProcess& process, const QByteArray& marker, int timeoutMs)
{
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < timeoutMs) {
        while (process.canReadLine())
            if (process.readLine().contains(marker))
                return true;
        process.waitForReadyRead(5);
    }
    return false;
}

void BM_SentenceToDecodeLine(benchmark::State& state)
{
    CPseudoTerminal line;
    if (!line.Open()) {
        state.SkipWithError("no pseudo-terminal");
        return;
    }
    QProcess listen;
    listen.start(kCli, {QStringLiteral("listen"), line.SlavePath(), QStringLiteral("--seconds"),
                        QStringLiteral("3600")});
    if (!WaitForLine(listen, "\"connected\"", 5000)) {
        state.SkipWithError("listen did not connect");
        return;
    }
    double worst = 0;
    int n = 0;
    for (auto _ : state) {
        // Land anywhere in the reader's 100 ms rhythm, not always just after a read.
        QThread::msleep(QRandomGenerator::global()->bounded(100));
        const QByteArray marker = QByteArray::number(++n);
        const QByteArray sentence = CNMEACommandSender::BuildSentence(
            "GPGGA,120000.00,4807.038,N,01131.000,E,1,08,0.9," + marker + ",M,46.9,M,,");
        QElapsedTimer clock;
        line.Write(sentence);
        clock.start();
        if (!WaitForLine(listen, "\"alt\": " + marker + ",", 2000)) {
            state.SkipWithError("no decode line");
            break;
        }
        const double seconds = clock.nsecsElapsed() * 1e-9;
        worst = std::max(worst, seconds);
        state.SetIterationTime(seconds);
    }
    state.counters["worst_ms"] = worst * 1000;
    listen.kill();
    listen.waitForFinished();
}
BENCHMARK(BM_SentenceToDecodeLine)->UseManualTime()->Iterations(100)->Unit(benchmark::kMillisecond);

void BM_ListenCpuOver60Seconds(benchmark::State& state)
{
    const QString log = QStringLiteral(WENDRIFT_TESTDATA_DIR "/nmea/bu353s4.log");
    for (auto _ : state) {
        QProcess simulator;
        simulator.start(kCli, {QStringLiteral("simulate"), log, QStringLiteral("--loop")});
        if (!simulator.waitForReadyRead(5000)) {
            state.SkipWithError("simulate did not start (is the shared test data there?)");
            return;
        }
        const QString device = QJsonDocument::fromJson(simulator.readLine())
                                   .object()
                                   .value(QLatin1String("device"))
                                   .toString();
        QProcess listen;
        listen.setStandardOutputFile(QProcess::nullDevice());
        listen.start(kCli, {QStringLiteral("listen"), device, QStringLiteral("--seconds"),
                            QStringLiteral("70")});
        listen.waitForStarted();
        QThread::sleep(2); // past start-up
        const double before = ProcessCpuSeconds(listen.processId());
        QElapsedTimer clock;
        clock.start();
        QThread::sleep(60);
        const double used = ProcessCpuSeconds(listen.processId()) - before;
        const double wall = clock.nsecsElapsed() * 1e-9;
        state.SetIterationTime(wall);
        state.counters["cpu_percent_of_one_core"] = 100 * used / wall;
        listen.kill();
        listen.waitForFinished();
        simulator.terminate();
        simulator.waitForFinished();
    }
}
BENCHMARK(BM_ListenCpuOver60Seconds)->UseManualTime()->Iterations(1)->Unit(benchmark::kSecond);

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
