// wendrift-cli simulate: a GPS receiver on a pseudo-terminal, playing an NMEA log.

#include "cli/CliCommand.h"
#include "cli/JsonLine.h"
#include "gps/ReceiverSimulator.h"

#include <atomic>
#include <csignal>
#include <cstdio>

namespace {

const char kHelp[] =
    "Usage: wendrift-cli simulate LOG [--rate BYTES_PER_S] [--baud N] [--loop] [--sirf]\n\n"
    "Opens a pseudo-terminal, prints {\"device\": \"<path>\"} and plays LOG into it at a\n"
    "receiver's pace, as a GPS receiver on a serial line would. Comment lines (starting with\n"
    "\"#\") of the log are skipped. Runs until LOG has been sent, or until interrupted.\n\n"
    "  --rate N   bytes per second (default 480, what 4800 baud carries)\n"
    "  --baud N   behave like a receiver at N baud: noise while the other side's line speed\n"
    "             differs, sentences once it matches\n"
    "  --loop     start again from the beginning at the end of LOG, for ever\n"
    "  --sirf     answer as a SiRF receiver (PSRF100 to binary, version poll, acknowledgements,\n"
    "             back to NMEA on message 0x81); every command received is printed as\n"
    "             {\"received\": \"...\"}\n";

std::atomic<bool> g_stop = false;

void OnSignal(int)
{
    g_stop = true;
}

bool ParsePositive(const QString& text, double* value)
{
    bool ok = false;
    *value = text.toDouble(&ok);
    return ok && *value > 0;
}

int RunSimulate(const QStringList& args)
{
    if (WantsHelp(args))
        return PrintHelp(kHelp);
    CReceiverSimulator::Options options;
    QString path;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& arg = args[i];
        double value = 0;
        if (arg == QLatin1String("--loop")) {
            options.loop = true;
        } else if (arg == QLatin1String("--sirf")) {
            options.sirf = true;
        } else if (arg == QLatin1String("--rate") || arg == QLatin1String("--baud")) {
            if (i + 1 >= args.size() || !ParsePositive(args[i + 1], &value))
                return CliError(QStringLiteral("simulate: %1 needs a positive number").arg(arg));
            ++i;
            if (arg == QLatin1String("--rate"))
                options.bytesPerSecond = value;
            else
                options.baud = static_cast<uint32_t>(value);
        } else if (arg.startsWith(u'-')) {
            return CliError(QStringLiteral("simulate: unknown option %1").arg(arg));
        } else if (path.isEmpty()) {
            path = arg;
        } else {
            return CliError(QStringLiteral("simulate: only one LOG, please"));
        }
    }
    if (path.isEmpty())
        return CliError(QStringLiteral("simulate: which LOG? (see --help)"));
    QString error;
    if (!CReceiverSimulator::LoadLog(path, &options.log, &error))
        return CliError(QStringLiteral("simulate: cannot read %1: %2").arg(path, error));
    options.onCommand = [](const QByteArray& command) {
        CJsonObject().Add("received", QString::fromLatin1(command)).Print();
        std::fflush(stdout);
    };

    CReceiverSimulator simulator(std::move(options));
    if (!simulator.Open())
        return CliError(QStringLiteral("simulate: no pseudo-terminal available"));
    std::signal(SIGINT, OnSignal);
    std::signal(SIGTERM, OnSignal);
    CJsonObject().Add("device", simulator.DevicePath()).Print();
    std::fflush(stdout);
    simulator.Run(g_stop);
    return kExitOk;
}

const CliCommandRegistration registration(
    {"simulate", "play an NMEA log as a GPS receiver on a pseudo-terminal", &RunSimulate});

} // namespace
