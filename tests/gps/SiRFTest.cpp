// SiRF configuration: the exact bytes of the commands, the binary replies, and both menu
// sequences against a simulated SiRF receiver and against a silent line.

#include "LinkTestSupport.h"
#include "support/ScriptedPrompts.h"

#include "app/SettingsStore.h"
#include "gps/GpsLink.h"
#include "gps/NMEACommandSender.h"
#include "gps/NMEAParser.h"
#include "gps/PortNames.h"
#include "gps/ProgressWindow.h"
#include "gps/PseudoTerminal.h"
#include "gps/ReceiverSimulator.h"
#include "gps/SerialPort.h"
#include "gps/SiRFBinary.h"
#include "gps/SiRFSetup.h"
#include "platform/StringTable.h"

#include <QCoreApplication>

#include <gtest/gtest.h>

#include <sys/resource.h>

namespace {

const QString kSection = QString::fromLatin1(kSerialSection);

QByteArray Bytes(std::initializer_list<int> values)
{
    QByteArray out;
    for (const int v : values)
        out.append(static_cast<char>(v));
    return out;
}

// What the other side of the line received.
QByteArray Received(CPseudoTerminal& pty)
{
    QByteArray got;
    char buffer[512];
    while (pty.WaitReadable(200)) {
        const int n = pty.Read(buffer, sizeof buffer);
        if (n <= 0)
            break;
        got.append(buffer, n);
    }
    return got;
}

class SiRFLineTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_pty.Open());
        ASSERT_EQ(m_port.Open(m_pty.SlavePath(), 4800, false), 1);
    }

    CPseudoTerminal m_pty;
    CSerialPort m_port;
};

TEST_F(SiRFLineTest, NMEACommandsCarryTheirChecksumAndLineEnd)
{
    CNMEACommandSender sender(m_port);
    EXPECT_EQ(sender.SetGGARate(1), QByteArray("$PSRF103,00,00,01,01*25\r\n"));
    sender.SetSerialPort(0, 4800, 8, 1, 0);
    EXPECT_EQ(Received(m_pty),
              QByteArray("$PSRF103,00,00,01,01*25\r\n$PSRF100,0,4800,8,1,0*0F\r\n"));
}

TEST_F(SiRFLineTest, BinaryMessagesAreFramedExactly)
{
    CSiRFBinary binary(&m_port);
    binary.SendPollSoftwareVersion();
    EXPECT_EQ(Received(m_pty), Bytes({0xA0, 0xA2, 0x00, 0x02, 0x84, 0x00, 0x00, 0x84, 0xB0, 0xB3}));

    binary.SendDgpsSource(1);
    binary.SendDgpsControl(2);
    binary.SendStaticNavigation(true);
    EXPECT_EQ(Received(m_pty),
              Bytes({0xA0, 0xA2, 0x00, 0x07, 0x85, 0x01, 0,    0,    0,    0,    50,   0x00,
                     0xB8, 0xB0, 0xB3, 0xA0, 0xA2, 0x00, 0x03, 0x8A, 0x02, 0x00, 0x00, 0x8C,
                     0xB0, 0xB3, 0xA0, 0xA2, 0x00, 0x02, 0x8F, 0x01, 0x00, 0x90, 0xB0, 0xB3}));

    // Only the low 16 bits of a baud rate above 65535 fit: 115200 goes out as 0xC200.
    binary.SendSwitchToNMEA(1, 2, 3, 4, 115200);
    const QByteArray frame = Received(m_pty);
    ASSERT_EQ(frame.size(), 24 + 8);
    EXPECT_EQ(frame.mid(4, 24), Bytes({0x81, 1, 1, 1, 0, 1, 2, 1, 3, 1, 4,    1,
                                       0,    1, 0, 1, 0, 0, 0, 1, 0, 0, 0xC2, 0x00}));

    QByteArray huge(1025, 'x');
    EXPECT_EQ(binary.SendBinary(reinterpret_cast<const uint8_t*>(huge.constData()), 1025), 0);
    EXPECT_TRUE(Received(m_pty).isEmpty());
}

TEST_F(SiRFLineTest, RepliesAreTakenOnlyFromIntactFrames)
{
    CSiRFBinary binary(&m_port);
    const QByteArray version = BuildSiRFFrame(char(0x06) + QByteArray("GSW3.2.4_3.1.00.12"));
    QByteArray damaged = version;
    damaged[8] = 'X'; // one payload byte changed, checksum as before
    m_pty.Write(damaged);
    ASSERT_TRUE(m_port.WaitReadable(1000));
    binary.PumpBinary();
    EXPECT_EQ(binary.VersionCount(), 0u);

    // Noise before it, and the frame split across two reads.
    m_pty.Write(QByteArray("\xA0\x13$GPGGA,", 9) + version.left(7));
    ASSERT_TRUE(m_port.WaitReadable(1000));
    binary.PumpBinary();
    m_pty.Write(version.mid(7));
    ASSERT_TRUE(m_port.WaitReadable(1000));
    binary.PumpBinary();
    EXPECT_EQ(binary.VersionCount(), 1u);
    EXPECT_STREQ(binary.VersionText(), "GSW3.2.4_3.1.00.12");

    // A shorter reply replaces the text; nothing of the older one is left behind.
    m_pty.Write(BuildSiRFFrame(char(0x06) + QByteArray("V2")));
    ASSERT_TRUE(m_port.WaitReadable(1000));
    binary.PumpBinary();
    EXPECT_STREQ(binary.VersionText(), "V2");

    // A frame of 1024 payload bytes or more is not one.
    QByteArray big = Bytes({0xA0, 0xA2, 0x04, 0x00, 0x0B, 0x85});
    m_pty.Write(big);
    ASSERT_TRUE(m_port.WaitReadable(1000));
    binary.PumpBinary();
    EXPECT_EQ(binary.ReceiveState(), 0);

    m_pty.Write(BuildSiRFFrame(Bytes({0x0B, 0x8F})));
    EXPECT_EQ(binary.WaitForAck(nullptr, 2, 0x8F), 1);
    EXPECT_EQ(binary.LastAcknowledgedId(), 0x8F);
}

class CCountingProgress : public IProgressWindow {
public:
    void Open(int r) override { range = r; }
    void SetText(const QString& text) override { texts.append(text); }
    void Step() override { ++steps; }
    void KeepResponsive() override { QCoreApplication::processEvents(); }
    void Close() override { closed = true; }
    int range = 0;
    int steps = 0;
    bool closed = false;
    QStringList texts;
};

double ThreadCpuSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_THREAD, &usage);
    return usage.ru_utime.tv_sec + usage.ru_stime.tv_sec +
           (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

class SiRFSetupTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        WriteIntSetting(kSection, QStringLiteral("Port"), 0);
        WriteIntSetting(kSection, QStringLiteral("Baud"), 4800);
    }

    void Connect(const QString& device)
    {
        WriteTextSetting(kSection, QStringLiteral("Device"), device);
        ASSERT_EQ(m_link.StartReader(0, 4800, false), 1);
    }

    std::optional<SiRFSetupResult> RunParameters(const SiRFSetupOptions& chosen)
    {
        m_prompts.Script({PromptAnswer::Yes});
        return m_setup.RunParameterSettings(m_progress, [&](SiRFSetupOptions& options) {
            EXPECT_TRUE(options.waas);
            EXPECT_FALSE(options.staticNavigation);
            EXPECT_EQ(options.ggaRate, 1);
            EXPECT_EQ(options.gsvRate, 2);
            options = chosen;
            return true;
        });
    }

    CScriptedPrompts m_prompts;
    CNMEAParser m_parser;
    CSerialPort m_port;
    CGpsLink m_link{m_port, m_parser, nullptr};
    CSiRFBinary m_binary{&m_port};
    CSiRFSetup m_setup{m_link, m_binary};
    CCountingProgress m_progress;
};

TEST_F(SiRFSetupTest, ParameterSettingsPassAgainstASiRFReceiverAndNMEAFlowsAgain)
{
    CReceiverSimulator::Options options;
    options.log = SyntheticEpochs(30);
    options.loop = true;
    options.sirf = true;
    CReceiverSimulator receiver(options);
    ASSERT_TRUE(receiver.Open());
    receiver.Start();
    Connect(receiver.DevicePath());

    SiRFSetupOptions chosen;
    chosen.waas = false;
    chosen.staticNavigation = true;
    chosen.gsaRate = 5;
    const auto result = RunParameters(chosen);
    ASSERT_TRUE(result);
    EXPECT_TRUE(result->versionReceived);
    EXPECT_EQ(result->version, QString::fromLatin1(options.sirfVersion));
    EXPECT_TRUE(result->dgpsSource);
    EXPECT_TRUE(result->dgpsControl);
    EXPECT_TRUE(result->staticNavigation);
    EXPECT_TRUE(result->reconnected);
    EXPECT_EQ(result->resultText, QStringLiteral("Settings Successful. "));

    ASSERT_EQ(m_prompts.Asked().size(), 2);
    EXPECT_EQ(m_prompts.Asked()[0].text, LoadString(292));
    EXPECT_EQ(m_prompts.Asked()[1].text, QStringLiteral("Settings Successful. Receiver reported "
                                                        "version:\n\n") +
                                             QString::fromLatin1(options.sirfVersion));
    EXPECT_EQ(m_prompts.Asked()[1].icon, PromptIcon::Information);
    EXPECT_EQ(m_progress.range, 6);
    EXPECT_EQ(m_progress.steps, 6);
    EXPECT_TRUE(m_progress.closed);
    EXPECT_EQ(m_progress.texts,
              (QStringList{"Switch to SiRF Binary...", "Polling version...",
                           "Setting WAAS Parameters", "Setting Static Nav Params...",
                           "Switching back to NMEA...", "Cycling connection...", "Done."}));

    QList<QByteArray> commands = receiver.Commands();
    ASSERT_EQ(commands.size(), 6);
    EXPECT_EQ(commands[0], QByteArray("PSRF100,0,4800,8,1,0"));
    EXPECT_EQ(commands[1], QByteArray("SiRF 84 00"));
    EXPECT_EQ(commands[2], QByteArray("SiRF 85 00 00 00 00 00 32"));
    EXPECT_EQ(commands[3], QByteArray("SiRF 8a 02 00"));
    EXPECT_EQ(commands[4], QByteArray("SiRF 8f 01"));
    EXPECT_EQ(commands[5], QByteArray("SiRF 81 01 01 01 00 01 05 01 02 01 01 01 00 01 00 01 00 "
                                      "00 00 01 00 00 12 c0"));
    EXPECT_FALSE(receiver.InBinaryMode());
    // The replies went to the binary handler, never to the NMEA parser; NMEA comes again.
    const uint32_t sentences = m_parser.GetSentenceCount();
    EXPECT_TRUE(WaitUntil([&] { return m_parser.GetSentenceCount() > sentences + 4; }));
    EXPECT_FALSE(m_port.IsReaderPaused());
}

TEST_F(SiRFSetupTest, ASilentLineFailsEveryItemWithoutSpinningAndStillReconnects)
{
    CPseudoTerminal silent;
    ASSERT_TRUE(silent.Open());
    Connect(silent.SlavePath());
    const double cpuBefore = ThreadCpuSeconds();
    const auto result = RunParameters(SiRFSetupOptions());
    const double cpuUsed = ThreadCpuSeconds() - cpuBefore;
    ASSERT_TRUE(result);
    EXPECT_FALSE(result->versionReceived);
    EXPECT_FALSE(result->dgpsSource || result->dgpsControl || result->staticNavigation);
    EXPECT_TRUE(result->resultText.isEmpty());
    EXPECT_TRUE(result->reconnected);
    EXPECT_TRUE(m_port.IsOpen());
    EXPECT_EQ(m_port.Device(), silent.SlavePath());
    EXPECT_FALSE(m_port.IsReaderPaused());

    ASSERT_EQ(m_prompts.Asked().size(), 2); // the question and the results; no version box
    EXPECT_EQ(m_prompts.Asked()[1].text,
              QStringLiteral("Could not set all of the parameters to the SiRF GPS receiver. "
                             "Results:\n\nSoftware Version: Fail\nDGPS Control: Fail\nDGPS "
                             "Source: Fail\nStatic Nav: Fail\n"));
    EXPECT_EQ(m_prompts.Asked()[1].icon, PromptIcon::Error);
    // Some fifteen seconds of waiting on the line, not of polling it.
    EXPECT_LT(cpuUsed, 1.0);
}

TEST_F(SiRFSetupTest, DecliningOrCancellingSendsNothing)
{
    CPseudoTerminal line;
    ASSERT_TRUE(line.Open());
    Connect(line.SlavePath());
    m_prompts.Script({PromptAnswer::No, PromptAnswer::Yes, PromptAnswer::No});
    EXPECT_FALSE(m_setup.RunParameterSettings(m_progress, [](SiRFSetupOptions&) { return true; }));
    EXPECT_FALSE(m_setup.RunParameterSettings(m_progress, [](SiRFSetupOptions&) { return false; }));
    EXPECT_FALSE(m_setup.RunOutputSettings());
    EXPECT_TRUE(Received(line).isEmpty());
    EXPECT_EQ(m_progress.steps, 0);
}

TEST_F(SiRFSetupTest, OutputSettingsSendTheFiveRatesInOrder)
{
    CPseudoTerminal line;
    ASSERT_TRUE(line.Open());
    Connect(line.SlavePath());
    m_prompts.Script({PromptAnswer::Yes});
    const auto sent = m_setup.RunOutputSettings();
    ASSERT_TRUE(sent);
    ASSERT_EQ(sent->size(), 5);
    EXPECT_TRUE(std::all_of(sent->begin(), sent->end(), [](const auto& c) { return c.written; }));
    EXPECT_EQ(Received(line), Sentence("PSRF103,05,00,00,01") + Sentence("PSRF103,00,00,01,01") +
                                  Sentence("PSRF103,04,00,01,01") +
                                  Sentence("PSRF103,03,00,02,01") +
                                  Sentence("PSRF103,02,00,02,01"));
    EXPECT_EQ(m_prompts.Asked()[0].icon, PromptIcon::Warning);
    EXPECT_TRUE(m_prompts.Asked()[0].text.startsWith(
        QStringLiteral("This option will send an initialization string to the GPS")));
}

} // namespace
