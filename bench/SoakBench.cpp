// A day in the window, and a receiver sending garbage at full speed.
//
// The day: the application offscreen with its five views, fed 24 hours of a 1 Hz
// receiver as fast as it goes, the shown tab changed every simulated minute, and every view's
// periodic timers run once per simulated second from the fed time. Reports the resident memory
// after the first hour and at the end (nothing but bounded rings may grow) and the time per hour.

#include "DayLog.h"
#include "ProcessStats.h"

#include "app/SettingsStore.h"
#include "app/ui/MainFrame.h"
#include "app/ui/ViewHost.h"
#include "gps/PseudoTerminal.h"
#include "platform/Clock.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <QTimer>

#include <benchmark/benchmark.h>

#include <atomic>
#include <random>
#include <thread>

namespace {

constexpr size_t kChunkBytes = 128; // what the link hands over at a time

double ResidentMegabytes()
{
    return OwnStatusKilobytes("VmRSS") / 1024.0;
}

void BM_WindowDay(benchmark::State& state)
{
    QTemporaryDir home;
    qputenv("XDG_DATA_HOME", home.filePath(QStringLiteral("data")).toUtf8());
    OpenSettingsStore(home.filePath(QStringLiteral("config")));
    const int hours = static_cast<int>(state.range(0));
    const std::string log = DayLog::Make(hours * 3600);

    for (auto _ : state) {
        CMainFrame::Options options;
        options.snapshot = true; // no port, no dialogs; the fed bytes stand in for the receiver
        CMainFrame frame(options);
        frame.resize(480, 640);
        frame.show();
        CViewHost& host = frame.ViewHost();

        double afterFirstHour = 0;
        QElapsedTimer clock;
        clock.start();
        uint32_t seconds = 0;
        uint32_t lastGga = frame.Parser().Gga().count;
        const auto* bytes = reinterpret_cast<const uint8_t*>(log.data());
        for (size_t at = 0; at < log.size(); at += kChunkBytes) {
            frame.Parser().ProcessBytes(bytes + at, std::min(kChunkBytes, log.size() - at));
            QCoreApplication::sendPostedEvents();
            if (frame.Parser().Gga().count == lastGga)
                continue;
            // A new epoch: one simulated second has passed.
            lastGga = frame.Parser().Gga().count;
            ++seconds;
            Clock::Pin(DayLog::kStartTime + seconds);
            host.RunViewTimersOnce();
            frame.OnBlinkTimer();
            if (seconds % 60 == 0)
                host.SelectTab(static_cast<int>(seconds / 60 % CViewHost::TabCount));
            QCoreApplication::processEvents(); // the shown view paints
            if (seconds == 3600)
                afterFirstHour = ResidentMegabytes();
        }
        const double end = ResidentMegabytes();
        state.SetIterationTime(static_cast<double>(clock.nsecsElapsed()) * 1e-9);
        state.counters["rss_after_1h_MB"] = afterFirstHour;
        state.counters["rss_end_MB"] = end;
        state.counters["growth_MB"] = end - afterFirstHour;
        state.counters["seconds_per_hour"] = static_cast<double>(clock.elapsed()) / 1000.0 / hours;
        Clock::Unpin();
    }
}
BENCHMARK(BM_WindowDay)->Arg(24)->UseManualTime()->Unit(benchmark::kSecond)->Iterations(1);

// Records when the watched widget paints.
class CPaintClock : public QObject {
public:
    explicit CPaintClock(QWidget* widget)
    {
        widget->installEventFilter(this);
        m_clock.start();
    }
    qint64 LongestGapMs() const { return m_longest; }

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint) {
            const qint64 now = m_clock.elapsed();
            if (m_last >= 0)
                m_longest = std::max(m_longest, now - m_last);
            m_last = now;
        }
        return false;
    }

private:
    QElapsedTimer m_clock;
    qint64 m_last = -1;
    qint64 m_longest = 0;
};

// A receiver gone mad: random bytes, sentences without an end and 10 kB lines, as fast as the
// line takes them, while the window asks for a paint every 100 ms.
void BM_GarbageReceiver(benchmark::State& state)
{
    CPseudoTerminal receiver;
    if (!receiver.Open()) {
        state.SkipWithError("no pseudo-terminal");
        return;
    }
    std::atomic<bool> stop = false;
    std::thread writer([&] {
        std::mt19937 random(7);
        QByteArray garbage(4096, 0);
        const QByteArray longLine = "$GPGGA," + QByteArray(10240, 'x');
        for (int round = 0; !stop; ++round) {
            if (round % 3 == 0) {
                for (char& c : garbage)
                    c = static_cast<char>(random());
                receiver.Write(garbage.constData(), static_cast<int>(garbage.size()));
            } else if (round % 3 == 1) {
                receiver.Write(longLine.constData(), static_cast<int>(longLine.size()));
            } else {
                const QByteArray unended = "$GPRMC,120000,A,4807.038,N";
                receiver.Write(unended.constData(), static_cast<int>(unended.size()));
            }
        }
    });
    for (auto _ : state) {
        CMainFrame::Options options;
        options.device = receiver.SlavePath();
        options.snapshot = false;
        WriteIntSetting(QStringLiteral("Settings"), QStringLiteral("NoDisclaimer"), 2);
        WriteIntSetting(QStringLiteral("Settings"),
                        QStringLiteral("First Time Communication Setup"), 0);
        CMainFrame frame(options);
        frame.resize(480, 640);
        frame.show();
        QWidget* view = frame.ViewHost().TabWindow(CViewHost::TabGps);
        CPaintClock paints(view);
        QTimer repaint;
        QObject::connect(&repaint, &QTimer::timeout, view, qOverload<>(&QWidget::update));
        repaint.start(100);
        // Memory is compared from the end of the first tenth, once start-up has allocated
        // what it keeps (fonts, paint buffers, the parser's tables).
        const qint64 runMs = state.range(0) * 1000;
        double afterWarmUp = -1;
        QElapsedTimer clock;
        clock.start();
        while (clock.elapsed() < runMs) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
            if (afterWarmUp < 0 && clock.elapsed() >= runMs / 10)
                afterWarmUp = ResidentMegabytes();
        }
        state.SetIterationTime(static_cast<double>(clock.nsecsElapsed()) * 1e-9);
        state.counters["longest_paint_gap_ms"] = static_cast<double>(paints.LongestGapMs());
        state.counters["rss_after_warm_up_MB"] = afterWarmUp;
        state.counters["rss_growth_MB"] = ResidentMegabytes() - afterWarmUp;
        state.counters["sentences"] = frame.Parser().GetSentenceCount();
    }
    stop = true;
    writer.join();
}
BENCHMARK(BM_GarbageReceiver)->Arg(60)->UseManualTime()->Unit(benchmark::kSecond)->Iterations(1);

} // namespace
