#pragma once

#include <QStringList>

// A subcommand of wendrift-cli. Each command file registers itself with a static
// CliCommandRegistration; main() looks commands up by name.
struct CliCommand {
    const char* name;
    const char* summary;                 // one line for `wendrift-cli --help`
    int (*run)(const QStringList& args); // args after the command name; returns the exit status
};

class CliCommandRegistration {
public:
    explicit CliCommandRegistration(const CliCommand& command);
};

const CliCommand* FindCliCommand(const QString& name);
QList<CliCommand> AllCliCommands();

// Exit statuses shared by the commands.
constexpr int kExitOk = 0;
constexpr int kExitFailure = 1; // the command ran but its input was partly bad
constexpr int kExitUsage = 2;   // bad arguments, or a file that cannot be used at all

// Prints "wendrift-cli: <text>" on standard error and returns kExitUsage.
int CliError(const QString& text);
// True when args ask for help ("--help" or "-h").
bool WantsHelp(const QStringList& args);
// Prints help text on standard output and returns kExitOk.
int PrintHelp(const char* text);
