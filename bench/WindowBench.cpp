// The application as a user meets it: the time from starting `wendrift` to its first painted
// frame with a waypoint database and a demo track to load, and the processor time the running
// window takes on a 1 Hz receiver over a minute.

#include "ProcessStats.h"
#include "gps/ReceiverSimulator.h"
#include "nav/LogReplay.h"
#include "nav/TrackFileCommands.h"
#include "waypoints/WaypointDB.h"
#include "waypoints/WaypointImport.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include <benchmark/benchmark.h>

namespace {

// A data folder with the waypoints of the shared test data's GPX files and the demo drive as
// the track, and settings that start straight into the views.
class DemoHome {
public:
    DemoHome()
    {
        QDir(m_dir.path()).mkpath(QStringLiteral("data/Wendrift"));
        QDir(m_dir.path()).mkpath(QStringLiteral("config"));
        CWaypointDB db;
        const QDir gpx(QStringLiteral(WENDRIFT_TESTDATA_DIR "/gpx"));
        for (const QString& name : gpx.entryList({QStringLiteral("*.gpx")}))
            ImportWaypointFile(db, gpx.filePath(name), 0);
        db.Save(DataPath(QStringLiteral("WDWaypoint.wpt")));
        m_waypoints = db.GetCount();

        QFile demo(QStringLiteral(WENDRIFT_DEMO_LOG));
        demo.open(QIODevice::ReadOnly);
        CLogReplay replay(false);
        replay.Feed(demo.readAll());
        SaveTrack(replay.Track(), DataPath(QStringLiteral("track.trk")));
        m_trackPoints = replay.Track().GetCount();

        QFile ini(m_dir.filePath(QStringLiteral("config/Wendrift.ini")));
        ini.open(QIODevice::WriteOnly);
        ini.write("[Settings]\nNoDisclaimer=2\nFirst%20Time%20Communication%20Setup=0\n");
    }

    QString DataPath(const QString& name) const
    {
        return m_dir.filePath(QStringLiteral("data/Wendrift/") + name);
    }

    QProcess* Start(const QStringList& arguments) const
    {
        auto* process = new QProcess;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("XDG_DATA_HOME"), m_dir.filePath(QStringLiteral("data")));
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        process->setProcessEnvironment(environment);
        process->start(
            QStringLiteral(WENDRIFT_APP_PATH),
            QStringList{QStringLiteral("--config-dir"), m_dir.filePath(QStringLiteral("config"))} +
                arguments);
        return process;
    }

    int m_waypoints = 0;
    int m_trackPoints = 0;

private:
    QTemporaryDir m_dir;
};

// A snapshot run is a start that loads everything, paints the first frame and exits.
void BM_StartToFirstFrame(benchmark::State& state)
{
    DemoHome home;
    QTemporaryDir out;
    for (auto _ : state) {
        QElapsedTimer clock;
        clock.start();
        std::unique_ptr<QProcess> process(
            home.Start({QStringLiteral("--snapshot"), out.filePath(QStringLiteral("f.png"))}));
        process->waitForFinished(30000);
        state.SetIterationTime(static_cast<double>(clock.nsecsElapsed()) * 1e-9);
        if (process->exitCode() != 0)
            state.SkipWithError("wendrift --snapshot failed");
    }
    state.counters["waypoints"] = home.m_waypoints;
    state.counters["track_points"] = home.m_trackPoints;
}
BENCHMARK(BM_StartToFirstFrame)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(10);

// The GPS tab shown, a receiver at 4800 baud sending one epoch a second.
void BM_RunningWindowCpu(benchmark::State& state)
{
    DemoHome home;
    CReceiverSimulator::Options options;
    QString error;
    CReceiverSimulator::LoadLog(QStringLiteral(WENDRIFT_DEMO_LOG), &options.log, &error);
    options.bytesPerSecond = 476; // the demo's bytes per second of recording
    options.loop = true;
    CReceiverSimulator receiver(options);
    receiver.Open();
    receiver.Start();
    for (auto _ : state) {
        std::unique_ptr<QProcess> process(
            home.Start({QStringLiteral("--port"), receiver.DevicePath()}));
        process->waitForStarted();
        QThread::sleep(5); // start-up is measured above
        const double before = ProcessCpuSeconds(process->processId());
        const int seconds = static_cast<int>(state.range(0));
        QThread::sleep(static_cast<unsigned long>(seconds));
        const double used = ProcessCpuSeconds(process->processId()) - before;
        process->terminate();
        process->waitForFinished(10000);
        state.SetIterationTime(seconds);
        state.counters["cpu_percent_of_one_core"] = 100.0 * used / seconds;
    }
    receiver.Stop();
}
BENCHMARK(BM_RunningWindowCpu)->Arg(60)->UseManualTime()->Unit(benchmark::kSecond)->Iterations(1);

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
