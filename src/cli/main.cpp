// wendrift-cli: headless access to Wendrift's core (decoding, waypoints, tracks, receivers).

#include "app/SettingsStore.h"
#include "cli/CliCommand.h"

#include <QCoreApplication>

#include <cstdio>

namespace {

void PrintUsage()
{
    std::printf("Usage: wendrift-cli [--config-dir DIR] COMMAND [ARGS...]\n\n"
                "Headless access to Wendrift: decode NMEA, manage waypoints and tracks, talk to "
                "receivers.\nResults are JSON on standard output; errors go to standard error.\n\n"
                "Commands:\n");
    for (const CliCommand& command : AllCliCommands())
        std::printf("  %-10s %s\n", command.name, command.summary);
    std::printf("\nOptions:\n"
                "  --config-dir DIR  keep settings in DIR/Wendrift.ini (default: "
                "$WENDRIFT_CONFIG_DIR, else ~/.config/ORVS)\n"
                "  -h, --help        this text; COMMAND --help tells about one command\n");
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("ORVS"));
    QCoreApplication::setApplicationName(QStringLiteral("Wendrift"));

    QStringList args = app.arguments().mid(1);
    QString configDir;
    while (!args.isEmpty() && args.first().startsWith(u'-')) {
        const QString option = args.takeFirst();
        if (option == QLatin1String("--config-dir") && !args.isEmpty()) {
            configDir = args.takeFirst();
        } else if (option == QLatin1String("--help") || option == QLatin1String("-h")) {
            PrintUsage();
            return kExitOk;
        } else {
            return CliError(QStringLiteral("unknown option %1 (see --help)").arg(option));
        }
    }
    if (args.isEmpty()) {
        PrintUsage();
        return kExitUsage;
    }
    const QString name = args.takeFirst();
    const CliCommand* command = FindCliCommand(name);
    if (!command)
        return CliError(QStringLiteral("unknown command %1 (see --help)").arg(name));
    OpenSettingsStore(CSettingsStore::DefaultDirectory(configDir));
    return command->run(args);
}
