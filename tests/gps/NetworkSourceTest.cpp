// Network sources behind the link: a raw NMEA stream over TCP and gpsd's raw NMEA, with a
// refused or dropped connection reported and treated as a lost receiver. Loopback only.

#include "LinkTestSupport.h"
#include "support/ScriptedPrompts.h"

#include "app/SettingsStore.h"
#include "gps/GpsLink.h"
#include "gps/NMEAParser.h"
#include "gps/PortNames.h"
#include "gps/ReceiverSimulator.h"
#include "gps/SerialPort.h"
#include "gps/SourceUrl.h"
#include "platform/Messages.h"

#include <QStandardPaths>
#include <QTcpServer>
#include <QTcpSocket>

#include <gtest/gtest.h>

#include <memory>

namespace {

const QString kSection = QString::fromLatin1(kSerialSection);

uint16_t FreeLoopbackPort()
{
    QTcpServer server;
    server.listen(QHostAddress::LocalHost, 0);
    return server.serverPort();
}

// gpsd on a loopback port, reading one device; -b keeps it from writing to the receiver.
class CGpsd {
public:
    static QString Program()
    {
        return QStandardPaths::findExecutable(
            QStringLiteral("gpsd"), {QStringLiteral("/usr/sbin"), QStringLiteral("/usr/local/sbin"),
                                     QStringLiteral("/sbin")});
    }

    // Once it takes connections.
    bool Start(const QString& device, uint16_t port)
    {
        m_process = std::make_unique<CChildProcess>();
        if (!m_process->Start(Program(),
                              {QStringLiteral("-N"), QStringLiteral("-n"), QStringLiteral("-b"),
                               QStringLiteral("-S"), QString::number(port), device},
                              true))
            return false;
        return WaitUntil(
            [&] {
                QTcpSocket probe;
                probe.connectToHost(QHostAddress::LocalHost, port);
                return probe.waitForConnected(100);
            },
            10000);
    }

    void Stop()
    {
        m_process->Terminate();
        m_process->WaitForFinished(5000);
    }

private:
    std::unique_ptr<CChildProcess> m_process;
};

class NetworkSourceTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        WriteIntSetting(kSection, QStringLiteral("Auto Reconnect"), 0);
        QObject::connect(&m_link, &CGpsLink::Connected, [this](const QString&, int, bool resumed) {
            ++(resumed ? m_resumed : m_opened);
        });
        QObject::connect(&m_link, &CGpsLink::SourceProblem,
                         [this](const QString& text) { m_problems.append(text); });
        m_parser.SetMessageSink(&m_sentences);
    }

    void Ticks(int count)
    {
        for (int i = 0; i < count; ++i)
            m_link.OnWatchdogTick();
    }

    // The loss of the silent source, then one reconnection attempt.
    void LoseAndReconnect()
    {
        Ticks(CGpsLink::kLossTicks + 1);
        ASSERT_TRUE(m_link.IsConnectionLost());
        Ticks(CGpsLink::kReconnectTicks);
    }

    bool ProblemSaying(const char* text)
    {
        return WaitUntil([&] {
            return !m_problems.isEmpty() && m_problems.last().contains(QLatin1String(text));
        });
    }

    CScriptedPrompts m_prompts;
    CNMEAParser m_parser;
    CSentenceRecorder m_sentences{m_parser};
    CRecordingSink m_viewHost;
    CSerialPort m_port;
    CGpsLink m_link{m_port, m_parser, &m_viewHost};
    QStringList m_problems;
    int m_opened = 0;
    int m_resumed = 0;
};

TEST_F(NetworkSourceTest, SourceUrlsAreReadOrRefusedWithAReason)
{
    const struct {
        const char* text;
        SourceUrl::Kind kind;
        const char* host;
        uint16_t port;
    } good[] = {
        {"gpsd://localhost", SourceUrl::Kind::Gpsd, "localhost", 2947},
        {"GPSD://[::1]:3000", SourceUrl::Kind::Gpsd, "::1", 3000},
        {"tcp://192.168.1.20:10110/", SourceUrl::Kind::Tcp, "192.168.1.20", 10110},
    };
    for (const auto& g : good) {
        const auto url = ParseSourceUrl(QString::fromLatin1(g.text));
        ASSERT_TRUE(url) << g.text;
        EXPECT_EQ(url->kind, g.kind) << g.text;
        EXPECT_EQ(url->host, QLatin1String(g.host)) << g.text;
        EXPECT_EQ(url->port, g.port) << g.text;
    }
    for (const char* bad : {"tcp://localhost", "tcp://:5000", "tcp://host:99999", "gpsd://me@host",
                            "gpsd://host/dev/ttyUSB0", "tcp://host:5000?x=1"}) {
        QString problem;
        EXPECT_FALSE(ParseSourceUrl(QString::fromLatin1(bad), &problem)) << bad;
        EXPECT_TRUE(problem.startsWith(QLatin1String(bad))) << problem.toStdString();
        EXPECT_EQ(m_port.Open(QString::fromLatin1(bad), 4800, true), 0);
    }
    ASSERT_EQ(m_prompts.Asked().size(), 6);
    EXPECT_EQ(m_prompts.Asked()[0].text,
              QStringLiteral("Unable to open port. Please close the application accessing the "
                             "communication port"));
}

TEST_F(NetworkSourceTest, ARefusedConnectionIsReportedAndTheReceiverLost)
{
    // A name, looked up on a thread of its own; every address it has refuses.
    const QString url = QStringLiteral("tcp://localhost:%1").arg(FreeLoopbackPort());
    ASSERT_EQ(m_link.StartReaderOnDevice(url, 4800, false), 1) << "connecting never waits";
    ASSERT_TRUE(ProblemSaying("cannot connect"));
    EXPECT_TRUE(m_problems.last().startsWith(url)) << m_problems.last().toStdString();
    EXPECT_TRUE(m_prompts.Asked().isEmpty());
    Ticks(CGpsLink::kLossTicks + 1);
    EXPECT_TRUE(m_link.IsConnectionLost());
    EXPECT_EQ(m_viewHost.messages, (QList<uint32_t>{WM_GPS_GGA, WM_GPS_GSV, WM_GPS_RMC}));
}

TEST_F(NetworkSourceTest, ATcpStreamIsReadLikeALineAndADroppedOneComesBack)
{
    QTcpServer server;
    ASSERT_TRUE(server.listen(QHostAddress::LocalHost, 0));
    const QString url = QStringLiteral("tcp://127.0.0.1:%1").arg(server.serverPort());
    ASSERT_EQ(m_link.ApplyManualSetup(url, 4800, true), 1);
    EXPECT_EQ(ReadIntSetting(kSection, QStringLiteral("Port"), -1), 0);
    EXPECT_EQ(ReadTextSetting(kSection, QStringLiteral("Device"), {}), url);

    QTcpSocket* client = nullptr;
    ASSERT_TRUE(WaitUntil([&] { return (client = server.nextPendingConnection()) != nullptr; }));
    client->write(SyntheticEpochs(2));
    ASSERT_TRUE(WaitUntil([&] { return m_parser.Rmc().count == 2; }));
    EXPECT_NEAR(m_parser.Gga().latitude, 48.1173, 1e-9);

    client->abort();
    ASSERT_TRUE(ProblemSaying("closed"));
    LoseAndReconnect(); // to the stored URL
    ASSERT_TRUE(WaitUntil([&] { return (client = server.nextPendingConnection()) != nullptr; }));
    client->write(SyntheticEpochs(1));
    ASSERT_TRUE(WaitUntil([&] { return m_resumed == 1; }));
    EXPECT_EQ(m_link.LinkState(), CGpsLink::State::Connected);
}

TEST_F(NetworkSourceTest, GpsdPassesTheReceiversSentencesOnAndIsFoundAgainAfterARestart)
{
    if (CGpsd::Program().isEmpty())
        GTEST_SKIP() << "gpsd is not installed (scripts/setup.sh installs it)";
    CReceiverSimulator::Options options;
    options.log = SyntheticEpochs(60);
    options.loop = true;
    options.bytesPerSecond = 4000;
    CReceiverSimulator receiver(options);
    ASSERT_TRUE(receiver.Open());
    receiver.Start();
    const uint16_t port = FreeLoopbackPort();
    CGpsd gpsd;
    ASSERT_TRUE(gpsd.Start(receiver.DevicePath(), port));

    m_link.SetAutoReconnect(true);
    m_link.UseFixedDevice(QStringLiteral("gpsd://127.0.0.1:%1").arg(port), 4800);
    ASSERT_EQ(m_link.StartReader(0, 4800, false), 1);
    ASSERT_TRUE(WaitUntil([&] { return m_sentences.sentences.size() >= 20; }, 10000));
    EXPECT_TRUE(m_problems.isEmpty()) << m_problems.join(u'\n').toStdString();

    // The same sentences, in the same order, as the receiver sent them (gpsd's own reports
    // never reach the parser).
    CNMEAParser direct;
    CSentenceRecorder sent(direct);
    direct.SetMessageSink(&sent);
    const QByteArray twice = options.log + options.log;
    direct.ProcessBytes(reinterpret_cast<const uint8_t*>(twice.constData()),
                        static_cast<size_t>(twice.size()));
    const QList<QByteArray> viaGpsd = m_sentences.sentences.mid(0, 20);
    EXPECT_TRUE(sent.sentences.join('\n').contains(viaGpsd.join('\n')))
        << viaGpsd.join('\n').toStdString();

    gpsd.Stop();
    ASSERT_TRUE(ProblemSaying("closed"));
    LoseAndReconnect();
    ASSERT_TRUE(ProblemSaying("cannot connect")) << "gpsd is not back yet";
    ASSERT_TRUE(gpsd.Start(receiver.DevicePath(), port));
    Ticks(CGpsLink::kReconnectTicks);
    ASSERT_TRUE(WaitUntil([&] { return m_resumed == 1; }, 10000));
    EXPECT_EQ(m_link.ReconnectAttempts(), 2u);
    receiver.Stop();
}

} // namespace
