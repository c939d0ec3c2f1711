#pragma once

#include <QByteArray>
#include <QList>
#include <QStringList>

// Runs the built wendrift-cli as a user would and collects what it printed.
struct CliResult {
    int exitCode = -1;
    QByteArray out;
    QByteArray err;

    // Standard output split into lines, without the final empty one.
    QList<QByteArray> Lines() const;
};

// `args` follow the program name (put "--config-dir DIR" first where settings matter).
CliResult RunCli(const QStringList& args, const QByteArray& input = {}, int timeoutMs = 60000);
