#include "app/ui/Application.h"

#include "app/SettingsStore.h"
#include "app/SnapshotOptions.h"
#include "app/ui/AppIcon.h"
#include "app/ui/MainFrame.h"
#include "app/ui/Snapshot.h"
#include "map/ui/WaypointIcons.h"
#include "platform/ui/AppFonts.h"
#include "platform/ui/WidgetPrompts.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QFileInfo>
#include <QSocketNotifier>

#include <csignal>
#include <cstdio>
#include <unistd.h>

namespace {

int g_signalPipe[2] = {-1, -1};

void OnTerminationSignal(int)
{
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = write(g_signalPipe[1], &byte, 1);
}

// SIGTERM and SIGINT close the window the normal way, so the track is saved.
void CloseOnTerminationSignals(CMainFrame& frame)
{
    if (pipe(g_signalPipe) != 0)
        return;
    auto* notifier = new QSocketNotifier(g_signalPipe[0], QSocketNotifier::Read, &frame);
    QObject::connect(notifier, &QSocketNotifier::activated, &frame, [&frame, notifier] {
        char byte = 0;
        [[maybe_unused]] const ssize_t got = read(g_signalPipe[0], &byte, 1);
        notifier->setEnabled(false);
        frame.close();
    });
    struct sigaction action = {};
    action.sa_handler = OnTerminationSignal;
    sigemptyset(&action.sa_mask);
    sigaction(SIGTERM, &action, nullptr);
    sigaction(SIGINT, &action, nullptr);
}

int BadArgument(const QString& message)
{
    std::fprintf(stderr, "wendrift: %s (see wendrift --help)\n", qUtf8Printable(message));
    return 2;
}

// Qt ends the process with abort() when the window system cannot be reached or a platform part
// fails to start; during start-up that becomes one line on standard error and exit status 1.
void FailStartupOnFatal(QtMsgType type, const QMessageLogContext&, const QString& message)
{
    if (type != QtFatalMsg) {
        std::fprintf(stderr, "%s\n", qUtf8Printable(message));
        return;
    }
    std::fprintf(stderr, "wendrift: cannot start the window: %s\n", qUtf8Printable(message));
    std::fflush(stderr);
    _exit(1);
}

bool IsSnapshot(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i)
        if (qstrcmp(argv[i], "--snapshot") == 0)
            return true;
    return false;
}

} // namespace

int RunWendrift(int argc, char** argv)
{
    const bool snapshot = IsSnapshot(argc, argv);
    if (snapshot && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    const QtMessageHandler previousHandler = qInstallMessageHandler(FailStartupOnFatal);
    QApplication app(argc, argv);
    qInstallMessageHandler(previousHandler);
    QApplication::setApplicationName(QStringLiteral("Wendrift"));
    QApplication::setOrganizationName(QStringLiteral("ORVS"));
    QApplication::setApplicationVersion(QStringLiteral(WENDRIFT_VERSION));
    QApplication::setWindowIcon(ApplicationIcon());
    QGuiApplication::setDesktopFileName(QStringLiteral("wendrift"));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Wendrift, a GPS companion"));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addOptions({
        {QStringLiteral("config-dir"), QStringLiteral("Keep the settings in DIR/Wendrift.ini."),
         QStringLiteral("DIR")},
        {QStringLiteral("port"),
         QStringLiteral("Read the receiver on DEVICE (a serial device, "
                        "gpsd://HOST[:PORT] or tcp://HOST:PORT)."),
         QStringLiteral("DEVICE")},
        {QStringLiteral("baud"), QStringLiteral("Baud rate for --port."), QStringLiteral("N")},
        {QStringLiteral("playback"), QStringLiteral("Play an NMEA log instead of a receiver."),
         QStringLiteral("FILE")},
        {QStringLiteral("snapshot"), QStringLiteral("Render a view to OUT.png offscreen and exit."),
         QStringLiteral("OUT.png")},
        {QStringLiteral("window-snapshot"),
         QStringLiteral("With --snapshot: the whole window too."), QStringLiteral("WIN.png")},
        {QStringLiteral("tab"),
         QStringLiteral("With --snapshot: GPS, Panel, Trip, Map or Analysis."),
         QStringLiteral("NAME")},
        {QStringLiteral("size"), QStringLiteral("With --snapshot: the view's size (480x536)."),
         QStringLiteral("WxH")},
        {QStringLiteral("dpi"), QStringLiteral("With --snapshot: dots per inch (96)."),
         QStringLiteral("N")},
        {QStringLiteral("feed"), QStringLiteral("With --snapshot: an NMEA log fed first."),
         QStringLiteral("LOG")},
        {QStringLiteral("key"),
         QStringLiteral("With --snapshot: a key press (Up, Down, Left, Right...)."),
         QStringLiteral("NAME")},
        {QStringLiteral("tap"), QStringLiteral("With --snapshot: a tap at view coordinates."),
         QStringLiteral("X,Y")},
        {QStringLiteral("now"),
         QStringLiteral("With --snapshot: the clock, in seconds since 1970."),
         QStringLiteral("EPOCH")},
    });
    if (!parser.parse(QApplication::arguments()))
        return BadArgument(parser.errorText());
    if (parser.isSet(QStringLiteral("help"))) {
        std::fputs(qUtf8Printable(parser.helpText()), stdout);
        return 0;
    }
    if (parser.isSet(QStringLiteral("version"))) {
        std::printf("wendrift %s\n", WENDRIFT_VERSION);
        return 0;
    }
    if (!parser.positionalArguments().isEmpty())
        return BadArgument(
            QStringLiteral("unexpected argument '%1'").arg(parser.positionalArguments().first()));

    OpenSettingsStore(CSettingsStore::DefaultDirectory(parser.value(QStringLiteral("config-dir"))));
    LoadApplicationFonts();
    InstallWaypointIconSource();

    if (snapshot) {
        QString error;
        const auto options = ParseSnapshotOptions(QApplication::arguments(), error);
        if (!options)
            return BadArgument(error);
        return RunSnapshot(*options);
    }

    CMainFrame::Options options;
    options.device = parser.value(QStringLiteral("port"));
    options.playbackPath = parser.value(QStringLiteral("playback"));
    if (parser.isSet(QStringLiteral("baud"))) {
        bool ok = false;
        options.baud = parser.value(QStringLiteral("baud")).toInt(&ok);
        if (!ok || options.baud <= 0)
            return BadArgument(QStringLiteral("--baud must be a positive number"));
    }
    if (!options.playbackPath.isEmpty() && !QFileInfo(options.playbackPath).isReadable())
        return BadArgument(QStringLiteral("cannot read the log %1").arg(options.playbackPath));

    CWidgetPrompts prompts;
    SetPrompts(&prompts);
    CDesktopUrlOpener opener;
    SetUrlOpener(&opener);

    CMainFrame frame(options);
    CloseOnTerminationSignals(frame);
    frame.resize(480, 640);
    frame.show();
    const int status = QApplication::exec();
    SetUrlOpener(nullptr);
    SetPrompts(nullptr);
    return status;
}
