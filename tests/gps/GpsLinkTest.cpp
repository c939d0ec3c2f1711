// The link as the main frame runs it: live bytes to fixes, the watchdog's loss, automatic
// reconnection and its question, connect/disconnect and the manual port setup.

#include "LinkTestSupport.h"
#include "support/ScriptedPrompts.h"

#include "app/SettingsStore.h"
#include "gps/GpsLink.h"
#include "gps/ManualPortSetup.h"
#include "gps/NMEAParser.h"
#include "gps/PortNames.h"
#include "gps/PseudoTerminal.h"
#include "gps/SerialPort.h"
#include "platform/Messages.h"
#include "platform/StringTable.h"

#include <gtest/gtest.h>

namespace {

const QString kSection = QString::fromLatin1(kSerialSection);

class GpsLinkTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_pty.Open());
        WriteIntSetting(kSection, QStringLiteral("Port"), 0);
        WriteTextSetting(kSection, QStringLiteral("Device"), m_pty.SlavePath());
        WriteIntSetting(kSection, QStringLiteral("Baud"), 4800);
        WriteIntSetting(kSection, QStringLiteral("Auto Reconnect"), 0);
        QObject::connect(&m_link, &CGpsLink::Connected, [this](const QString&, int, bool resumed) {
            ++(resumed ? m_resumed : m_opened);
        });
        QObject::connect(&m_link, &CGpsLink::ReconnectAttempt, [this](int) { ++m_attempts; });
        m_parser.SetMessageSink(&m_parserMessages);
    }

    void Ticks(int count)
    {
        for (int i = 0; i < count; ++i)
            m_link.OnWatchdogTick();
    }

    // Feeds one GGA through the live link and waits until the parser has it.
    void ReceiveFix()
    {
        const uint32_t before = m_parser.Gga().count;
        m_pty.Write(SyntheticEpochs(1, false));
        ASSERT_TRUE(WaitUntil([&] { return m_parser.Gga().count > before; }));
    }

    void LoseConnection()
    {
        Ticks(CGpsLink::kLossTicks + 1);
        ASSERT_TRUE(m_link.IsConnectionLost());
    }

    CPseudoTerminal m_pty;
    CRecordingSink m_parserMessages;
    CRecordingSink m_viewHost;
    CNMEAParser m_parser;
    CSerialPort m_port;
    CGpsLink m_link{m_port, m_parser, &m_viewHost};
    CScriptedPrompts m_prompts;
    int m_opened = 0;
    int m_resumed = 0;
    int m_attempts = 0;
};

TEST_F(GpsLinkTest, BytesFromTheReceiverBecomeDecodedFixesOnThisThread)
{
    ASSERT_EQ(m_link.StartReader(0, 4800, false), 1);
    EXPECT_EQ(m_opened, 1);
    Ticks(10);
    ReceiveFix();
    EXPECT_NEAR(m_parser.Gga().latitude, 48.1173, 1e-9);
    ASSERT_TRUE(WaitUntil([&] { return m_parser.Rmc().count == 1; }));
    EXPECT_EQ(m_link.IdleTicks(), 0);
    EXPECT_EQ(m_parserMessages.messages,
              (QList<uint32_t>{WM_GPS_GGA, WM_GPS_UPDATE, WM_GPS_RMC, WM_GPS_UPDATE}));
    EXPECT_EQ(m_link.LinkState(), CGpsLink::State::Connected);
}

TEST_F(GpsLinkTest, ASilentReceiverIsLostOnTheTickAfterThirtyAndTheFixIsReset)
{
    ASSERT_EQ(m_link.StartReader(0, 4800, false), 1);
    int lost = 0;
    QObject::connect(&m_link, &CGpsLink::Lost, [&] { ++lost; });
    ReceiveFix();
    Ticks(CGpsLink::kLossTicks);
    EXPECT_FALSE(m_link.IsConnectionLost());
    EXPECT_TRUE(m_port.IsOpen());
    EXPECT_TRUE(m_viewHost.messages.isEmpty());

    Ticks(1);
    EXPECT_TRUE(m_link.IsConnectionLost());
    EXPECT_EQ(lost, 1);
    EXPECT_FALSE(m_port.IsOpen());
    EXPECT_EQ(m_parser.Gga().count, 0u);
    EXPECT_EQ(m_parser.Gga().latitude, 0.0);
    EXPECT_EQ(m_viewHost.messages, (QList<uint32_t>{WM_GPS_GGA, WM_GPS_GSV, WM_GPS_RMC}));
    EXPECT_EQ(m_link.LinkState(), CGpsLink::State::Lost);

    // Once lost, nothing more happens without automatic reconnection.
    Ticks(200);
    EXPECT_EQ(lost, 1);
    EXPECT_EQ(m_viewHost.messages.size(), 3);
    EXPECT_EQ(m_attempts, 0);
}

TEST_F(GpsLinkTest, AFailedOpenIsDeclaredLostSixSecondsLater)
{
    m_link.UseFixedDevice(QStringLiteral("/dev/wendrift-no-such-device"), 4800);
    EXPECT_EQ(m_link.StartReader(1, 4800, false), 0);
    EXPECT_TRUE(m_prompts.Asked().isEmpty());
    LoseConnection();
    EXPECT_EQ(m_viewHost.messages.size(), 3);
}

TEST_F(GpsLinkTest, DataResumingClearsTheLossWithoutAnotherReopen)
{
    m_link.SetAutoReconnect(true);
    ASSERT_EQ(m_link.StartReader(0, 4800, false), 1);
    LoseConnection();
    Ticks(CGpsLink::kReconnectTicks - 1);
    EXPECT_EQ(m_attempts, 0);
    Ticks(1);
    EXPECT_EQ(m_attempts, 1);
    EXPECT_EQ(m_opened, 2);
    EXPECT_TRUE(m_port.IsOpen());
    EXPECT_TRUE(m_link.IsConnectionLost());

    ReceiveFix();
    EXPECT_FALSE(m_link.IsConnectionLost());
    EXPECT_EQ(m_resumed, 1);
    Ticks(CGpsLink::kLossTicks - 1);
    ReceiveFix();
    Ticks(CGpsLink::kLossTicks - 1);
    EXPECT_EQ(m_attempts, 1);
    EXPECT_EQ(m_opened, 2);
    EXPECT_EQ(m_link.LinkState(), CGpsLink::State::Connected);
}

TEST_F(GpsLinkTest, ReconnectsEverySeventeenTicksAndAsksFromTheThirdAttemptOn)
{
    m_link.SetAutoReconnect(true);
    int declined = 0;
    QObject::connect(&m_link, &CGpsLink::Declined, [&] { ++declined; });
    ASSERT_EQ(m_link.StartReader(0, 4800, false), 1);
    LoseConnection();
    EXPECT_EQ(m_link.LinkState(), CGpsLink::State::Reconnecting);

    Ticks(2 * CGpsLink::kReconnectTicks);
    EXPECT_EQ(m_attempts, 2);
    EXPECT_TRUE(m_prompts.Asked().isEmpty());

    m_prompts.Script({PromptAnswer::Yes, PromptAnswer::No});
    Ticks(CGpsLink::kReconnectTicks - 1);
    EXPECT_TRUE(m_prompts.Asked().isEmpty());
    Ticks(1);
    ASSERT_EQ(m_prompts.Asked().size(), 1);
    EXPECT_EQ(m_attempts, 3);
    const auto& question = m_prompts.Asked()[0];
    EXPECT_EQ(question.text, LoadString(204));
    EXPECT_EQ(question.text, QStringLiteral("Wendrift가 GPS 수신기에 연결 할 수 없습니다. 접속 "
                                            "시도를 계속 하시겠습니까?"));
    EXPECT_EQ(question.buttons, PromptButtons::YesNo);
    EXPECT_EQ(question.icon, PromptIcon::Question);

    Ticks(CGpsLink::kReconnectTicks);
    EXPECT_EQ(m_prompts.Asked().size(), 2);
    EXPECT_EQ(m_attempts, 3);
    EXPECT_EQ(declined, 1);
    EXPECT_FALSE(m_port.IsOpen());
    EXPECT_EQ(m_link.LinkState(), CGpsLink::State::Declined);

    Ticks(10 * CGpsLink::kReconnectTicks);
    EXPECT_EQ(m_prompts.Asked().size(), 2);
    EXPECT_EQ(m_attempts, 3);

    // Connecting by hand starts afresh.
    m_link.ConnectDisconnect();
    EXPECT_TRUE(m_port.IsOpen());
    EXPECT_FALSE(m_link.IsReconnectDeclined());
}

TEST_F(GpsLinkTest, ReconnectionOpensTheStoredPortAgain)
{
    m_link.SetAutoReconnect(true);
    ASSERT_EQ(m_link.StartReader(0, 4800, false), 1);
    LoseConnection();
    CPseudoTerminal moved;
    ASSERT_TRUE(moved.Open());
    WriteTextSetting(kSection, QStringLiteral("Device"), moved.SlavePath());
    WriteIntSetting(kSection, QStringLiteral("Baud"), 19200);
    Ticks(CGpsLink::kReconnectTicks);
    ASSERT_TRUE(m_port.IsOpen());
    EXPECT_EQ(m_port.Device(), moved.SlavePath());
    EXPECT_EQ(moved.SlaveBaud(), 19200u);
}

TEST_F(GpsLinkTest, DisconnectingByHandStopsReconnectionAndConnectingOpensTheStoredPort)
{
    m_link.SetAutoReconnect(true);
    m_link.ConnectDisconnect();
    ASSERT_TRUE(m_port.IsOpen());
    EXPECT_EQ(m_port.Device(), m_pty.SlavePath());

    m_link.ConnectDisconnect();
    EXPECT_FALSE(m_port.IsOpen());
    EXPECT_TRUE(m_link.IsReconnectDeclined());
    LoseConnection();
    Ticks(5 * CGpsLink::kReconnectTicks);
    EXPECT_EQ(m_attempts, 0);
    EXPECT_FALSE(m_port.IsOpen());
}

TEST_F(GpsLinkTest, ManualSetupStoresTheChoiceOnlyWhenThePortOpens)
{
    CPseudoTerminal other;
    ASSERT_TRUE(other.Open());
    EXPECT_EQ(m_link.ApplyManualSetup(QStringLiteral("/dev/wendrift-no-such-device"), 9600, true),
              0);
    ASSERT_EQ(m_prompts.Asked().size(), 1);
    EXPECT_EQ(m_prompts.Asked()[0].caption, QStringLiteral("Communication Error"));
    EXPECT_EQ(ReadTextSetting(kSection, QStringLiteral("Device"), {}), m_pty.SlavePath());
    EXPECT_EQ(ReadIntSetting(kSection, QStringLiteral("Baud"), 0), 4800);
    EXPECT_FALSE(m_port.IsOpen());

    EXPECT_EQ(m_link.ApplyManualSetup(other.SlavePath(), 9600, true), 1);
    EXPECT_TRUE(m_port.IsOpen());
    EXPECT_EQ(other.SlaveBaud(), 9600u);
    // A pseudo-terminal is no listed serial device: port 0 stands for the stored device.
    EXPECT_EQ(ReadIntSetting(kSection, QStringLiteral("Port"), -1), 0);
    EXPECT_EQ(ReadTextSetting(kSection, QStringLiteral("Device"), {}), other.SlavePath());
    EXPECT_EQ(ReadIntSetting(kSection, QStringLiteral("Baud"), 0), 9600);
    EXPECT_EQ(ReadIntSetting(kSection, QStringLiteral("Auto Reconnect"), 0), 1);
    EXPECT_TRUE(m_link.AutoReconnect());
    EXPECT_EQ(DeviceForPort(0), other.SlavePath());
}

TEST_F(GpsLinkTest, ManualSetupOpensWithTheStoredChoice)
{
    WriteIntSetting(kSection, QStringLiteral("Baud"), 19200);
    WriteIntSetting(kSection, QStringLiteral("Auto Reconnect"), 1);
    const auto preset = PrepareManualSetup(m_port);
    ASSERT_TRUE(preset);
    EXPECT_EQ(preset->entries, m_port.PortList());
    for (const QString& entry : preset->entries)
        EXPECT_TRUE(entry.startsWith(QStringLiteral("/dev/")) && entry.contains(" - "))
            << entry.toStdString();
    // The stored pseudo-terminal is no listed port: it stays the choice instead of the first
    // entry, so OK without a change keeps the receiver.
    EXPECT_EQ(preset->selected, -1);
    EXPECT_EQ(preset->device, m_pty.SlavePath());
    EXPECT_EQ(preset->baud, 19200);
    EXPECT_TRUE(preset->autoReconnect);
    EXPECT_EQ(kBaudChoices, (QList<int>{4800, 9600, 19200, 38400, 57600, 115200}));
}

TEST(PortNames, PortEntriesNameTheirDeviceAndListedPortsCountFromOne)
{
    EXPECT_EQ(DeviceFromPortEntry(QStringLiteral("/dev/ttyACM0 - u-blox GNSS receiver")),
              QStringLiteral("/dev/ttyACM0"));
    EXPECT_EQ(DeviceFromPortEntry(QStringLiteral("/dev/pts/7")), QStringLiteral("/dev/pts/7"));
    EXPECT_EQ((SerialPortEntry{QStringLiteral("/dev/ttyUSB0"), QStringLiteral("GPS")}.Text()),
              QStringLiteral("/dev/ttyUSB0 - GPS"));

    WriteTextSetting(kSection, QStringLiteral("Device"), QString());
    const QList<SerialPortEntry> ports = ListSerialPorts();
    for (qsizetype i = 0; i < ports.size(); ++i) {
        EXPECT_EQ(DeviceForPort(static_cast<int>(i + 1)), ports[i].device);
        EXPECT_EQ(PortNumberForDevice(ports[i].device), i + 1);
    }
    EXPECT_TRUE(DeviceForPort(static_cast<int>(ports.size() + 1)).isEmpty());
    EXPECT_TRUE(DeviceForPort(0).isEmpty());
}

} // namespace
