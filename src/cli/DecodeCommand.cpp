// wendrift-cli decode: runs an NMEA recording through the decoder and prints what it decoded.

#include "cli/CliCommand.h"
#include "cli/DecodeOutput.h"
#include "gps/GnssTalkersSetting.h"
#include "gps/NMEAParser.h"

#include <cstdio>

namespace {

const char kHelp[] =
    "Usage: wendrift-cli decode [--summary] [--gp-only] [FILE]\n\n"
    "Feeds FILE (standard input without it) to the NMEA decoder in 128-byte chunks, as the\n"
    "serial link does, and prints one JSON object per accepted sentence with the fix values its\n"
    "decoder set, then a summary line with the sentence counts. Every GNSS talker is decoded\n"
    "(GP, GN, GL, GA, GB, BD, GQ, QZ, GI; GSV lines then name their \"talker\"), unless the\n"
    "setting \"GNSS Talkers\" is 0; a fix sentence of a talker other than the one chosen for\n"
    "its type (GN first, else the first heard) repeats an epoch and is marked \"ignored\".\n\n"
    "  --summary  print only the summary line\n"
    "  --gp-only  decode the GP talker only\n";

int RunDecode(const QStringList& args)
{
    if (WantsHelp(args))
        return PrintHelp(kHelp);
    bool summaryOnly = false;
    GnssTalkers talkers = ReadGnssTalkersSetting();
    QString path;
    for (const QString& arg : args) {
        if (arg == QLatin1String("--summary"))
            summaryOnly = true;
        else if (arg == QLatin1String("--gp-only"))
            talkers = GnssTalkers::GpOnly;
        else if (arg.startsWith(u'-') && arg != QLatin1String("-"))
            return CliError(QStringLiteral("decode: unknown option %1").arg(arg));
        else if (path.isEmpty())
            path = arg;
        else
            return CliError(QStringLiteral("decode: only one FILE, please"));
    }

    FILE* input = stdin;
    if (!path.isEmpty() && path != QLatin1String("-")) {
        input = std::fopen(path.toLocal8Bit().constData(), "rb");
        if (!input)
            return CliError(QStringLiteral("decode: cannot open %1").arg(path));
    }

    CNMEAParser parser;
    parser.SetGnssTalkers(talkers);
    CDecodePrinter printer(parser);
    if (!summaryOnly)
        parser.SetMessageSink(&printer);
    uint8_t chunk[128];
    size_t count;
    while ((count = std::fread(chunk, 1, sizeof chunk, input)) > 0)
        parser.ProcessBytes(chunk, count);
    const bool readError = std::ferror(input) != 0;
    if (input != stdin)
        std::fclose(input);

    const QByteArray summary = printer.SummaryLine() + '\n';
    std::fwrite(summary.constData(), 1, static_cast<size_t>(summary.size()), stdout);
    if (readError)
        return CliError(QStringLiteral("decode: read error in %1").arg(path));
    return kExitOk;
}

const CliCommandRegistration
    registration({"decode", "decode an NMEA recording into fix values (JSON lines)", &RunDecode});

} // namespace
