#include "cli/CliCommand.h"

#include <algorithm>
#include <cstdio>

namespace {

QList<CliCommand>& Registry()
{
    static QList<CliCommand> commands;
    return commands;
}

} // namespace

CliCommandRegistration::CliCommandRegistration(const CliCommand& command)
{
    Registry().append(command);
}

const CliCommand* FindCliCommand(const QString& name)
{
    for (const CliCommand& command : Registry())
        if (name == QLatin1String(command.name))
            return &command;
    return nullptr;
}

QList<CliCommand> AllCliCommands()
{
    QList<CliCommand> commands = Registry();
    std::sort(commands.begin(), commands.end(),
              [](const CliCommand& a, const CliCommand& b) { return qstrcmp(a.name, b.name) < 0; });
    return commands;
}

int CliError(const QString& text)
{
    std::fprintf(stderr, "wendrift-cli: %s\n", qUtf8Printable(text));
    return kExitUsage;
}

bool WantsHelp(const QStringList& args)
{
    return args.contains(QLatin1String("--help")) || args.contains(QLatin1String("-h"));
}

int PrintHelp(const char* text)
{
    std::fputs(text, stdout);
    return kExitOk;
}
