// wendrift-cli decode: runs an NMEA recording through the decoder and prints what it decoded.

#include "cli/CliCommand.h"
#include "cli/DecodeOutput.h"
#include "gps/NMEAParser.h"

#include <cstdio>

namespace {

const char kHelp[] =
    "Usage: wendrift-cli decode [--summary] [FILE]\n\n"
    "Feeds FILE (standard input without it) to the NMEA decoder in 128-byte chunks, as the\n"
    "serial link does, and prints one JSON object per accepted sentence with the fix values its\n"
    "decoder set, then a summary line with the sentence counts.\n\n"
    "  --summary  print only the summary line\n";

int RunDecode(const QStringList& args)
{
    if (WantsHelp(args))
        return PrintHelp(kHelp);
    bool summaryOnly = false;
    QString path;
    for (const QString& arg : args) {
        if (arg == QLatin1String("--summary"))
            summaryOnly = true;
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
