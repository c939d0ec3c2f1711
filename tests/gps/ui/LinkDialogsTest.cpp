// The link's dialogs driven as a user would, against simulated receivers on pseudo-terminals.

#include "gps/LinkTestSupport.h"
#include "support/ScriptedDialogs.h"
#include "support/ScriptedPrompts.h"

#include "app/CommandIds.h"
#include "app/SettingsStore.h"
#include "app/ui/FrameLinkCommands.h"
#include "gps/GpsLink.h"
#include "gps/ManualPortSetup.h"
#include "gps/NMEAParser.h"
#include "gps/PortNames.h"
#include "gps/PseudoTerminal.h"
#include "gps/ReceiverSimulator.h"
#include "gps/SerialPort.h"
#include "gps/ui/FindGpsDlg.h"
#include "gps/ui/ManualPortSetupDlg.h"
#include "gps/ui/SiRFDialogs.h"
#include "platform/StringTable.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QSpinBox>
#include <QTimer>

#include <gtest/gtest.h>

#include <memory>

namespace {

const QString kSection = QString::fromLatin1(kSerialSection);

template <typename T> T* Control(QDialog& dialog, const char* name)
{
    T* control = dialog.findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(control, nullptr) << name;
    return control;
}

TEST(ManualPortSetupDlg, OpensOnTheCurrentPortAndRate)
{
    const QStringList entries{"/dev/ttyACM0 - u-blox GNSS receiver", "/dev/ttyUSB0 - Prolific"};
    struct Case {
        int selected;
        QString device;
        int baud;
        QString port; // the port text shown
    };
    const Case cases[] = {
        {1, "/dev/ttyUSB0", 9600, entries[1]},
        {-1, "/dev/pts/9", 1200, "/dev/pts/9"}, // a device the system does not list
        {-1, "", 4800, entries[0]},             // nothing stored: the first port
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.device.toStdString());
        CommSettingsPreset preset{entries, c.selected, c.device, c.baud, true};
        CManualPortSetupDlg dialog(preset);
        EXPECT_EQ(Control<QComboBox>(dialog, "port")->currentText(), c.port);
        EXPECT_EQ(dialog.Baud(), c.baud);
        EXPECT_EQ(dialog.Device(), DeviceFromPortEntry(c.port));
        EXPECT_TRUE(dialog.AutoReconnect());
    }
}

class LinkDialogsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        // It answers SiRF commands as well as sending NMEA.
        m_current = StartLoopingReceiver(0, true, true);
        ASSERT_TRUE(m_current);
        StorePortChoice(m_current->DevicePath(), 4800);
        WriteIntSetting(kSection, QStringLiteral("Auto Reconnect"), 0);
        ASSERT_EQ(m_link.StartReader(0, 4800, false), 1);
    }

    bool ReceivesSentences()
    {
        const uint32_t before = m_parser.GetSentenceCount();
        return WaitUntil([&] { return m_parser.GetSentenceCount() > before + 2; });
    }

    CScriptedPrompts m_prompts;
    CScriptedDialogs m_dialogs;
    std::unique_ptr<CReceiverSimulator> m_current;
    CNMEAParser m_parser;
    CSerialPort m_port;
    CGpsLink m_link{m_port, m_parser, nullptr};
};

TEST_F(LinkDialogsTest, ManualSetupAppliesOnlyAUsableChoiceTheUserConfirms)
{
    auto other = StartLoopingReceiver();
    ASSERT_TRUE(other);
    struct Case {
        const char* name;
        QString port;
        QString baud;
        bool ok;
        QString message; // the start of what the user is told, empty for nothing
        bool applied;
    };
    const Case cases[] = {
        {"cancel", other->DevicePath(), "9600", false, {}, false},
        {"no port", " ", "9600", true, "Choose a port", false},
        {"rate the line lacks", other->DevicePath(), "12345", true, "The baud rate \"12345\"",
         false},
        {"device that is not there", "/dev/wendrift-no-such-device - Gone", "9600", true,
         "Unable to open port", false},
        {"typed pseudo-terminal", other->DevicePath(), "9600", true, {}, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const QString deviceBefore = m_port.Device();
        const QString storedBefore = ReadTextSetting(kSection, QStringLiteral("Device"), {});
        const qsizetype asked = m_prompts.Asked().size();
        QString presetPort;
        m_dialogs.Script({[&](QDialog& dialog) {
            auto* port = Control<QComboBox>(dialog, "port");
            presetPort = port->currentText();
            port->setEditText(c.port);
            Control<QComboBox>(dialog, "baud")->setEditText(c.baud);
            Control<QCheckBox>(dialog, "autoReconnect")->setChecked(true);
            return c.ok ? QDialog::Accepted : QDialog::Rejected;
        }});
        RunManualPortSetup(m_link, nullptr);

        // The dialog opens on the stored device, a pseudo-terminal no system list holds.
        EXPECT_EQ(presetPort, storedBefore);
        const QList<CScriptedPrompts::Question> told = m_prompts.Asked().mid(asked);
        if (c.message.isEmpty()) {
            EXPECT_TRUE(told.isEmpty());
        } else {
            ASSERT_EQ(told.size(), 1);
            EXPECT_TRUE(told[0].text.startsWith(c.message)) << told[0].text.toStdString();
        }
        if (c.applied) {
            EXPECT_EQ(ReadTextSetting(kSection, QStringLiteral("Device"), {}), other->DevicePath());
            EXPECT_EQ(ReadIntSetting(kSection, QStringLiteral("Port"), -1), 0);
            EXPECT_EQ(ReadIntSetting(kSection, QStringLiteral("Baud"), 0), 9600);
            EXPECT_EQ(ReadIntSetting(kSection, QStringLiteral("Auto Reconnect"), 0), 1);
            EXPECT_EQ(m_port.Device(), other->DevicePath());
            EXPECT_TRUE(m_link.AutoReconnect());
            EXPECT_TRUE(ReceivesSentences());
        } else {
            EXPECT_EQ(ReadTextSetting(kSection, QStringLiteral("Device"), {}), storedBefore);
            EXPECT_EQ(ReadIntSetting(kSection, QStringLiteral("Baud"), 0), 4800);
            EXPECT_EQ(ReadIntSetting(kSection, QStringLiteral("Auto Reconnect"), -1), 0);
            // A refused choice keeps the connection; one that failed to open has closed it.
            EXPECT_EQ(m_port.IsOpen(), c.message != QLatin1String("Unable to open port"));
            if (!m_port.IsOpen()) {
                ASSERT_EQ(m_link.StartReader(0, 4800, false), 1);
            }
            EXPECT_EQ(m_port.Device(), deviceBefore);
        }
    }
}

TEST_F(LinkDialogsTest, FindGpsShowsTheSearchAndStoresTheReceiverItFound)
{
    auto receiver = StartLoopingReceiver();
    ASSERT_TRUE(receiver);
    WriteIntSetting(kSection, QStringLiteral("Auto Reconnect"), 1);
    WriteIntSetting(kSection, QStringLiteral("Baud"), 1200);
    QStringList passes;
    QString port;
    QString baud;
    int progress = -1;
    m_dialogs.Script({[&](QDialog& dialog) {
        bool finished = false;
        QObject::connect(&dialog, &QDialog::finished, [&] { finished = true; });
        EXPECT_TRUE(WaitUntil([&] { return finished; }, 30000));
        for (const char* name : {"GPGGA", "GPGSV", "GPGSA", "GPRMC"})
            passes.append(Control<QLabel>(dialog, name)->text());
        port = Control<QLineEdit>(dialog, "port")->text();
        baud = Control<QLabel>(dialog, "baud")->text();
        progress = Control<QProgressBar>(dialog, "progress")->value();
        return dialog.result();
    }});
    // A dead candidate first: it costs one tick and a step of the bar.
    RunFindGps(m_link, nullptr, {"/dev/wendrift-no-such-device", receiver->DevicePath()});

    EXPECT_EQ(passes, QStringList(4, QStringLiteral("PASS")));
    EXPECT_EQ(port, receiver->DevicePath());
    EXPECT_EQ(baud, QStringLiteral("4800"));
    EXPECT_EQ(progress, 1);
    ASSERT_EQ(m_prompts.Asked().size(), 1);
    EXPECT_EQ(m_prompts.Asked()[0].text, QStringLiteral("GPS found, tested and ready to use"));
    EXPECT_EQ(ReadTextSetting(kSection, QStringLiteral("Device"), {}), receiver->DevicePath());
    EXPECT_EQ(ReadIntSetting(kSection, QStringLiteral("Baud"), 0), 4800);
    EXPECT_EQ(m_port.Device(), receiver->DevicePath());
    EXPECT_TRUE(m_link.AutoReconnect());
}

TEST_F(LinkDialogsTest, ClosingFindGpsAtOnceStoresNothing)
{
    WriteIntSetting(kSection, QStringLiteral("Auto Reconnect"), 1);
    m_dialogs.Script({RejectDialog});
    RunFindGps(m_link, nullptr, {m_current->DevicePath()});
    RunEventsFor(300); // a tick left running would open the port and store it
    EXPECT_TRUE(m_prompts.Asked().isEmpty());
    EXPECT_EQ(ReadIntSetting(kSection, QStringLiteral("Baud"), 0), 4800);
    EXPECT_FALSE(m_port.IsOpen());
    EXPECT_TRUE(m_link.AutoReconnect());
}

TEST_F(LinkDialogsTest, FindGpsAlsoTriesTheStoredDeviceTheSystemDoesNotList)
{
    const QStringList candidates = FindGpsCandidates();
    ASSERT_FALSE(candidates.isEmpty());
    EXPECT_EQ(candidates.last(), m_current->DevicePath());
    EXPECT_EQ(candidates.count(m_current->DevicePath()), 1);
}

TEST_F(LinkDialogsTest, SiRFParameterSettingsSendTheDialogsChoicesAndReport)
{
    CReceiverSimulator* receiver = m_current.get();
    m_prompts.Script({PromptAnswer::Yes});
    m_dialogs.Script({[](QDialog& dialog) {
        EXPECT_TRUE(Control<QCheckBox>(dialog, "waas")->isChecked());
        EXPECT_EQ(Control<QSpinBox>(dialog, "gsv")->value(), 2);
        Control<QCheckBox>(dialog, "waas")->setChecked(false);
        Control<QCheckBox>(dialog, "staticNavigation")->setChecked(true);
        Control<QSpinBox>(dialog, "gsa")->setValue(5);
        return QDialog::Accepted;
    }});
    // What a user sees while the exchange runs: the event loop keeps going, so a timer of the
    // window fires and finds the progress window shown with each step.
    QStringList seen;
    int ticks = 0;
    QTimer watcher;
    QObject::connect(&watcher, &QTimer::timeout, [&] {
        ++ticks;
        for (QWidget* window : QApplication::topLevelWidgets()) {
            auto* step = window->findChild<QLabel*>(QStringLiteral("step"));
            if (window->objectName() == QLatin1String("SiRFProgress") && window->isVisible() &&
                step && (seen.isEmpty() || seen.last() != step->text()))
                seen.append(step->text());
        }
    });
    watcher.start(20);
    RunSiRFParameterSettings(m_link, nullptr);
    watcher.stop();
    EXPECT_GT(ticks, 20);
    // The steps that wait two seconds each were on screen (the acknowledged ones may pass
    // between two looks).
    for (const char* step :
         {"Switch to SiRF Binary...", "Switching back to NMEA...", "Cycling connection..."})
        EXPECT_TRUE(seen.contains(QString::fromLatin1(step))) << step;

    const QList<QByteArray> commands = receiver->Commands();
    ASSERT_EQ(commands.size(), 6);
    EXPECT_EQ(commands[2], QByteArray("SiRF 85 00 00 00 00 00 32")); // WAAS off
    EXPECT_EQ(commands[4], QByteArray("SiRF 8f 01"));                // static navigation on
    EXPECT_TRUE(commands[5].startsWith("SiRF 81 01 01 01 00 01 05 01 02 01 01 01"));
    ASSERT_EQ(m_prompts.Asked().size(), 2);
    EXPECT_EQ(m_prompts.Asked()[0].text, LoadString(292));
    EXPECT_TRUE(m_prompts.Asked()[1].text.startsWith(
        QStringLiteral("Settings Successful. Receiver reported version:")));
    EXPECT_TRUE(ReceivesSentences());
}

TEST_F(LinkDialogsTest, CancellingTheSiRFSetupDialogSendsNothing)
{
    CReceiverSimulator* receiver = m_current.get();
    m_prompts.Script({PromptAnswer::Yes});
    m_dialogs.Script({RejectDialog});
    RunSiRFParameterSettings(m_link, nullptr);
    RunEventsFor(200);
    EXPECT_TRUE(receiver->Commands().isEmpty());
    EXPECT_EQ(m_dialogs.Shown(), QList<QString>{QStringLiteral("SiRFGpsSetup")});
}

TEST_F(LinkDialogsTest, SiRFOutputSettingsReachTheReceiverOrSayTheyDidNot)
{
    CReceiverSimulator* receiver = m_current.get();
    for (const bool connected : {true, false}) {
        SCOPED_TRACE(connected);
        const qsizetype asked = m_prompts.Asked().size();
        m_prompts.Script({PromptAnswer::Yes});
        if (connected)
            ASSERT_EQ(m_link.StartReaderOnDevice(receiver->DevicePath(), 4800, false), 1);
        else
            m_link.Close();
        RunSiRFOutputSettings(m_link, nullptr);
        const QList<CScriptedPrompts::Question> told = m_prompts.Asked().mid(asked);
        ASSERT_EQ(told.size(), connected ? 1 : 2);
        EXPECT_EQ(told.last().icon, connected ? PromptIcon::Warning : PromptIcon::Error);
    }
    EXPECT_TRUE(WaitUntil([&] { return receiver->Commands().size() == 5; }));
    EXPECT_EQ(receiver->Commands().first(), QByteArray("PSRF103,05,00,00,01"));
}

TEST(FrameLinkCommands, EachCommandOpensItsDialog)
{
    CScriptedPrompts prompts;
    prompts.Script({}, PromptAnswer::Yes);
    CScriptedDialogs dialogs;
    CNMEAParser parser;
    CSerialPort port;
    CGpsLink link(port, parser, nullptr);
    const std::pair<int, const char*> commands[] = {
        {ID_MANUAL_PORT_SETUP, "CommSettings"},         {ID_FIND_GPS, "FindGps"},
        {ID_SIRF_PARAMETERS, "SiRFGpsSetup"},           {ID_UNITS, "Units"},
        {ID_IMPORT_SETTINGS, "ImportWaypointSettings"}, {ID_MISC_SETTINGS, "MiscSettings"}};
    for (const auto& [id, dialog] : commands) {
        dialogs.Script({RejectDialog});
        EXPECT_TRUE(RunLinkCommand(id, link, nullptr));
        EXPECT_EQ(dialogs.Shown().last(), QString::fromLatin1(dialog)) << id;
    }
    // The output settings ask and send; they have no dialog.
    const qsizetype shown = dialogs.Shown().size();
    EXPECT_TRUE(RunLinkCommand(ID_SIRF_OUTPUT, link, nullptr));
    EXPECT_EQ(dialogs.Shown().size(), shown);
    EXPECT_FALSE(RunLinkCommand(ID_HELP, link, nullptr));
}

} // namespace
