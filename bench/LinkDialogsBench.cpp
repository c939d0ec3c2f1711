// How long the window stops handling events while the link's long-running dialogs work: the
// Find GPS search (ticks that open ports, read counters and store the port found) and the SiRF
// parameter exchange (waits for replies on the line). Both run on the window's thread; the
// target is that no stall exceeds 100 ms. A 5 ms timer of the window measures the gaps.

#include "gps/LinkTestSupport.h"

#include "app/SettingsStore.h"
#include "gps/GpsLink.h"
#include "gps/NMEAParser.h"
#include "gps/PortNames.h"
#include "gps/ReceiverSimulator.h"
#include "gps/SerialPort.h"
#include "gps/ui/FindGpsDlg.h"
#include "gps/ui/SiRFDialogs.h"
#include "platform/Prompts.h"
#include "platform/ui/DialogSeam.h"

#include <QDialog>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTemporaryDir>
#include <QTimer>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <memory>

namespace {

// Every question answered yes, every message taken note of.
class CYesPrompts : public IPrompts {
public:
    PromptAnswer Ask(const QString&, const QString&, PromptButtons buttons, PromptIcon) override
    {
        return buttons == PromptButtons::Ok ? PromptAnswer::Ok : PromptAnswer::Yes;
    }
    QString AskFileName(const FileDialogRequest&) override { return {}; }
};

// Plays the user: leaves a dialog that closes itself (the search) to run until it does, and
// presses OK on the others.
class CPatientUser : public IDialogDriver {
public:
    int Run(QDialog& dialog) override
    {
        if (dialog.objectName() != QLatin1String("FindGps")) {
            dialog.accept();
            return QDialog::Accepted;
        }
        QEventLoop loop;
        QObject::connect(&dialog, &QDialog::finished, &loop, &QEventLoop::quit);
        loop.exec();
        return dialog.result();
    }
};

// The longest time between two runs of a 5 ms timer while `work` runs.
double LongestStallMs(const std::function<void()>& work)
{
    QElapsedTimer clock;
    qint64 last = 0;
    qint64 longest = 0;
    QTimer probe;
    probe.setTimerType(Qt::PreciseTimer);
    QObject::connect(&probe, &QTimer::timeout, [&] {
        longest = std::max(longest, clock.elapsed() - last);
        last = clock.elapsed();
    });
    probe.start(5);
    clock.start();
    work();
    longest = std::max(longest, clock.elapsed() - last);
    return static_cast<double>(longest);
}

struct Session {
    QTemporaryDir config;
    CYesPrompts prompts;
    CPatientUser user;
    CNMEAParser parser;
    CSerialPort port;
    CGpsLink link{port, parser, nullptr};

    Session()
    {
        OpenSettingsStore(config.path());
        SetPrompts(&prompts);
        SetDialogDriver(&user);
    }
    ~Session()
    {
        link.Close();
        SetDialogDriver(nullptr);
        SetPrompts(nullptr);
    }
};

// A receiver at 19200 baud behind a device that does not open: the search opens, listens,
// changes the rate three times and validates.
void BM_FindGpsStall(benchmark::State& state)
{
    Session session;
    auto receiver = StartLoopingReceiver(19200);
    if (!receiver) {
        state.SkipWithError("no pseudo-terminal");
        return;
    }
    double longest = 0;
    for (auto _ : state) {
        longest = std::max(longest, LongestStallMs([&] {
                               RunFindGps(session.link, nullptr,
                                          {QStringLiteral("/dev/wendrift-no-such-device"),
                                           receiver->DevicePath()});
                           }));
    }
    state.counters["longest_stall_ms"] = longest;
}

// The SiRF parameter exchange with a simulated SiRF receiver, about seven seconds of waits.
void BM_SiRFParametersStall(benchmark::State& state)
{
    Session session;
    auto receiver = StartLoopingReceiver(0, true, true);
    if (!receiver) {
        state.SkipWithError("no pseudo-terminal");
        return;
    }
    StorePortChoice(receiver->DevicePath(), 4800);
    double longest = 0;
    for (auto _ : state) {
        session.link.StartReader(0, 4800, false);
        longest = std::max(
            longest, LongestStallMs([&] { RunSiRFParameterSettings(session.link, nullptr); }));
    }
    state.counters["longest_stall_ms"] = longest;
}

} // namespace

BENCHMARK(BM_FindGpsStall)->Iterations(2)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_SiRFParametersStall)->Iterations(2)->Unit(benchmark::kMillisecond)->UseRealTime();
