// wendrift-cli listen: the live receiver link, printing what it decodes and what happens to it.

#include "cli/CliCommand.h"
#include "cli/DecodeOutput.h"
#include "cli/JsonLine.h"
#include "gps/GpsLink.h"
#include "gps/NMEALog.h"
#include "gps/NMEAParser.h"
#include "gps/SerialPort.h"
#include "gps/SourceUrl.h"

#include <QCoreApplication>
#include <QTimer>

#include <csignal>
#include <cstdio>

namespace {

const char kHelp[] =
    "Usage: wendrift-cli listen DEVICE [--baud N] [--seconds S] [--record LOG]\n"
    "                           [--auto-reconnect]\n\n"
    "Opens DEVICE (a serial device or a pseudo-terminal; or gpsd://HOST[:PORT], the raw NMEA\n"
    "of gpsd's devices, port 2947 by default; or tcp://HOST:PORT, a raw NMEA stream) as the\n"
    "application does, with the reader thread and the connection watchdog, and prints one JSON\n"
    "line per decoded sentence (as `decode` does) and one per link event: {\"event\":\n"
    "\"connected\" | \"source_error\" | \"lost\" | \"reconnect_attempt\" | \"declined\", ...}\n"
    "(\"source_error\" when a network source refuses or drops the connection). Without\n"
    "--auto-reconnect it ends when the connection is lost (six seconds without data); it also\n"
    "ends after S seconds, when interrupted, or once reconnection is declined. A summary line\n"
    "closes the output.\n\n"
    "  --baud N          line speed (default 4800; a network source has none)\n"
    "  --seconds S       stop after S seconds\n"
    "  --record LOG      record the received bytes to LOG (replaced if it exists)\n"
    "  --auto-reconnect  reopen DEVICE every 3.4 s after a loss\n";

volatile std::sig_atomic_t g_interrupted = 0;

void OnSignal(int)
{
    g_interrupted = 1;
}

struct ListenOptions {
    QString device;
    int baud = 4800;
    double seconds = 0;
    QString record;
    bool autoReconnect = false;
};

// Empty on success, else what was wrong.
QString ParseOptions(const QStringList& args, ListenOptions& options)
{
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& arg = args[i];
        const bool hasValue = i + 1 < args.size();
        bool ok = true;
        if (arg == QLatin1String("--auto-reconnect")) {
            options.autoReconnect = true;
        } else if (arg == QLatin1String("--baud") && hasValue) {
            options.baud = args[++i].toInt(&ok);
            ok = ok && options.baud > 0;
        } else if (arg == QLatin1String("--seconds") && hasValue) {
            options.seconds = args[++i].toDouble(&ok);
            ok = ok && options.seconds > 0;
        } else if (arg == QLatin1String("--record") && hasValue) {
            options.record = args[++i];
        } else if (arg.startsWith(u'-') || !options.device.isEmpty()) {
            return QStringLiteral("unexpected %1").arg(arg);
        } else {
            options.device = arg;
        }
        if (!ok)
            return QStringLiteral("%1 needs a positive number").arg(arg);
    }
    if (options.device.isEmpty())
        return QStringLiteral("which DEVICE? (see --help)");
    QString problem;
    if (IsSourceUrl(options.device) && !ParseSourceUrl(options.device, &problem))
        return problem;
    return {};
}

CJsonObject Event(const char* event)
{
    CJsonObject line;
    line.Add("event", event);
    return line;
}

int RunListen(const QStringList& args)
{
    if (WantsHelp(args))
        return PrintHelp(kHelp);
    ListenOptions options;
    const QString problem = ParseOptions(args, options);
    if (!problem.isEmpty())
        return CliError(QStringLiteral("listen: ") + problem);
    // One line at a time, as it happens, even into a pipe.
    std::setvbuf(stdout, nullptr, _IOLBF, 0);

    CNMEAParser parser;
    CDecodePrinter printer(parser);
    parser.SetMessageSink(&printer);
    if (!options.record.isEmpty() && !StartLogging(parser, options.record))
        return CliError(QStringLiteral("listen: cannot create the log %1").arg(options.record));

    CSerialPort port;
    CGpsLink link(port, parser, nullptr);
    link.UseFixedDevice(options.device, options.baud);
    link.SetAutoReconnect(options.autoReconnect);
    QObject::connect(&link, &CGpsLink::Connected,
                     [](const QString& device, int baud, bool resumed) {
                         CJsonObject line = Event("connected");
                         line.Add("device", device).Add("baud", baud);
                         if (resumed)
                             line.Add("resumed", true);
                         line.Print();
                     });
    QObject::connect(&link, &CGpsLink::SourceProblem, [&](const QString& text) {
        Event("source_error").Add("device", options.device).Add("error", text).Print();
    });
    QObject::connect(&link, &CGpsLink::Lost, [&] {
        Event("lost").Print();
        if (!options.autoReconnect)
            QCoreApplication::quit();
    });
    QObject::connect(&link, &CGpsLink::ReconnectAttempt, [](int attempt) {
        Event("reconnect_attempt").Add("attempt", attempt).Print();
    });
    QObject::connect(&link, &CGpsLink::Declined, [] {
        Event("declined").Print();
        QCoreApplication::quit();
    });

    if (!link.StartReader(0, options.baud, true) && !options.autoReconnect)
        return kExitFailure;
    link.StartWatchdog();

    std::signal(SIGINT, OnSignal);
    std::signal(SIGTERM, OnSignal);
    QTimer interruptCheck;
    QObject::connect(&interruptCheck, &QTimer::timeout, [] {
        if (g_interrupted)
            QCoreApplication::quit();
    });
    interruptCheck.start(100);
    if (options.seconds > 0)
        QTimer::singleShot(static_cast<int>(options.seconds * 1000),
                           [] { QCoreApplication::quit(); });
    QCoreApplication::exec();

    link.Close();
    StopLogging(parser);
    const QByteArray summary = printer.SummaryLine() + '\n';
    std::fwrite(summary.constData(), 1, static_cast<size_t>(summary.size()), stdout);
    return kExitOk;
}

const CliCommandRegistration registration(
    {"listen", "receive from a GPS device live and print what is decoded", &RunListen});

} // namespace
