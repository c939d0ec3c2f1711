// wendrift-cli simulate, listen, detect and sirf, run as a user runs them.

#include "LinkTestSupport.h"
#include "support/TestData.h"

#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

QList<QJsonObject> JsonLines(const QByteArray& output)
{
    QList<QJsonObject> lines;
    for (const QByteArray& line : output.split('\n'))
        if (!line.isEmpty())
            lines.append(QJsonDocument::fromJson(line).object());
    return lines;
}

QList<QJsonObject> WithKey(const QList<QJsonObject>& lines, const char* key, const char* value)
{
    QList<QJsonObject> found;
    for (const QJsonObject& line : lines)
        if (line.value(QLatin1String(key)).toString() == QLatin1String(value))
            found.append(line);
    return found;
}

class LinkCliTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        m_log = m_dir.filePath(QStringLiteral("receiver.log"));
        QFile file(m_log);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("# a comment line the simulator skips\n" + SyntheticEpochs(20));
    }

    // Starts `wendrift-cli simulate` and returns the device it printed.
    QString StartSimulator(const QStringList& extra)
    {
        if (!m_simulator.Start(CliPath(), QStringList{QStringLiteral("simulate"), m_log} + extra))
            return {};
        const QByteArray line = m_simulator.ReadLine(5000);
        return QJsonDocument::fromJson(line).object().value(QLatin1String("device")).toString();
    }

    QByteArray RunCli(const QStringList& args, int timeoutMs, int* exitCode = nullptr)
    {
        CChildProcess cli;
        EXPECT_TRUE(
            cli.Start(CliPath(), QStringList{QStringLiteral("--config-dir"), m_dir.path()} + args));
        EXPECT_TRUE(cli.WaitForFinished(timeoutMs)) << args.join(u' ').toStdString();
        if (exitCode)
            *exitCode = cli.ExitCode();
        return cli.Output();
    }

    void TearDown() override
    {
        if (m_simulator.IsRunning()) {
            m_simulator.Terminate();
            m_simulator.WaitForFinished(3000);
        }
    }

    QTemporaryDir m_dir;
    QString m_log;
    CChildProcess m_simulator;
};

TEST_F(LinkCliTest, ListenDecodesASimulatedReceiverAndRecordsItUntilTheLoss)
{
    const QString device = StartSimulator({QStringLiteral("--rate"), QStringLiteral("4000")});
    ASSERT_FALSE(device.isEmpty());
    const QString record = m_dir.filePath(QStringLiteral("recorded.log"));
    int exitCode = -1;
    const QList<QJsonObject> lines = JsonLines(RunCli(
        {QStringLiteral("listen"), device, QStringLiteral("--record"), record}, 20000, &exitCode));
    EXPECT_EQ(exitCode, 0);
    ASSERT_FALSE(lines.isEmpty());
    EXPECT_EQ(lines.first().value(QLatin1String("event")).toString(), QStringLiteral("connected"));
    EXPECT_EQ(lines.first().value(QLatin1String("device")).toString(), device);
    EXPECT_EQ(WithKey(lines, "event", "lost").size(), 1);
    const QList<QJsonObject> fixes = WithKey(lines, "sentence", "GPGGA");
    ASSERT_FALSE(fixes.isEmpty());
    EXPECT_NEAR(fixes.first().value(QLatin1String("lat")).toDouble(), 48.1173, 1e-9);
    EXPECT_TRUE(lines.last().contains(QLatin1String("summary")));

    // The simulator ran to the end of its log and quit; what listen heard is in the record.
    EXPECT_TRUE(m_simulator.WaitForFinished(1000));
    EXPECT_EQ(m_simulator.ExitCode(), 0);
    QFile recorded(record);
    ASSERT_TRUE(recorded.open(QIODevice::ReadOnly));
    // Bytes sent before listen opened the line are not its to keep; all the rest are, in order.
    const QByteArray bytes = recorded.readAll();
    EXPECT_GT(bytes.size(), 1000);
    EXPECT_TRUE(SyntheticEpochs(20).endsWith(bytes));
}

TEST_F(LinkCliTest, DetectFindsTheSimulatedReceiverAndReportsItsSentences)
{
    const QString device = StartSimulator(
        {QStringLiteral("--loop"), QStringLiteral("--baud"), QStringLiteral("9600")});
    ASSERT_FALSE(device.isEmpty());
    int exitCode = -1;
    const QList<QJsonObject> lines = JsonLines(
        RunCli({QStringLiteral("detect"), QStringLiteral("--device"), device}, 30000, &exitCode));
    EXPECT_EQ(exitCode, 0);
    ASSERT_FALSE(lines.isEmpty());
    const QJsonObject result = lines.last();
    EXPECT_TRUE(result.value(QLatin1String("found")).toBool());
    EXPECT_EQ(result.value(QLatin1String("device")).toString(), device);
    EXPECT_EQ(result.value(QLatin1String("baud")).toInt(), 9600);
    const QJsonObject pass = result.value(QLatin1String("pass")).toObject();
    for (const char* name : {"GPGGA", "GPGSV", "GPGSA", "GPRMC"})
        EXPECT_EQ(pass.value(QLatin1String(name)).toString(), QStringLiteral("PASS")) << name;
    EXPECT_EQ(result.value(QLatin1String("message")).toString(),
              QStringLiteral("GPS found, tested and ready to use"));
    EXPECT_FALSE(WithKey(lines, "status", "Changing baud...").isEmpty());
}

TEST_F(LinkCliTest, SirfParamsConfigureTheSimulatedSiRFReceiver)
{
    const QString device = StartSimulator({QStringLiteral("--loop"), QStringLiteral("--sirf")});
    ASSERT_FALSE(device.isEmpty());
    int exitCode = -1;
    const QList<QJsonObject> lines =
        JsonLines(RunCli({QStringLiteral("sirf"), device, QStringLiteral("--params"),
                          QStringLiteral("--static"), QStringLiteral("on")},
                         30000, &exitCode));
    EXPECT_EQ(exitCode, 0);
    ASSERT_FALSE(lines.isEmpty());
    const QJsonObject result = lines.last();
    for (const char* item : {"software_version", "dgps_source", "dgps_control", "static_nav"})
        EXPECT_EQ(result.value(QLatin1String(item)).toString(), QStringLiteral("Pass")) << item;
    EXPECT_EQ(result.value(QLatin1String("result")).toString(),
              QStringLiteral("Settings Successful. "));
    EXPECT_TRUE(result.value(QLatin1String("reconnected")).toBool());
    EXPECT_EQ(WithKey(lines, "step", "Cycling connection...").size(), 1);

    // The simulator reported every command it was sent.
    m_simulator.Terminate();
    ASSERT_TRUE(m_simulator.WaitForFinished(3000));
    EXPECT_EQ(m_simulator.ExitCode(), 0);
    const QList<QJsonObject> received = JsonLines(m_simulator.Output());
    ASSERT_EQ(received.size(), 6);
    EXPECT_EQ(received[0].value(QLatin1String("received")).toString(),
              QStringLiteral("PSRF100,0,4800,8,1,0"));
    EXPECT_EQ(received[4].value(QLatin1String("received")).toString(),
              QStringLiteral("SiRF 8f 01"));
}

TEST_F(LinkCliTest, CommandsRefuseBadArguments)
{
    int exitCode = -1;
    RunCli({QStringLiteral("simulate"), m_dir.filePath(QStringLiteral("missing.log"))}, 5000,
           &exitCode);
    EXPECT_EQ(exitCode, 2);
    RunCli({QStringLiteral("listen"), QStringLiteral("/dev/wendrift-no-such-device"),
            QStringLiteral("--seconds"), QStringLiteral("1")},
           5000, &exitCode);
    EXPECT_EQ(exitCode, 1);
    RunCli({QStringLiteral("sirf"), QStringLiteral("/dev/null")}, 5000, &exitCode);
    EXPECT_EQ(exitCode, 2);
    RunCli({QStringLiteral("listen"), QStringLiteral("tcp://localhost")}, 5000, &exitCode);
    EXPECT_EQ(exitCode, 2) << "a TCP source needs a port";

    // Nothing listens on port 1: the connection is refused, and the tool says so at once.
    const QList<QJsonObject> refused =
        JsonLines(RunCli({QStringLiteral("listen"), QStringLiteral("gpsd://127.0.0.1:1"),
                          QStringLiteral("--seconds"), QStringLiteral("1")},
                         5000, &exitCode));
    EXPECT_EQ(exitCode, 0);
    const QList<QJsonObject> errors = WithKey(refused, "event", "source_error");
    ASSERT_EQ(errors.size(), 1);
    EXPECT_EQ(errors[0].value(QLatin1String("error")).toString(),
              QStringLiteral("gpsd://127.0.0.1:1: cannot connect (Connection refused)"));
}

} // namespace
