#include "support/CliRunner.h"

#include "support/TestData.h"

#include <QProcess>

QList<QByteArray> CliResult::Lines() const
{
    QList<QByteArray> lines = out.split('\n');
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

CliResult RunCli(const QStringList& args, const QByteArray& input, int timeoutMs)
{
    QProcess process;
    process.start(CliPath(), args);
    CliResult result;
    if (!process.waitForStarted()) {
        result.err = "wendrift-cli did not start";
        return result;
    }
    if (!input.isEmpty())
        process.write(input);
    process.closeWriteChannel();
    if (!process.waitForFinished(timeoutMs)) {
        process.kill();
        process.waitForFinished();
        result.err = "wendrift-cli timed out";
        return result;
    }
    result.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    result.out = process.readAllStandardOutput();
    result.err = process.readAllStandardError();
    return result;
}
