// The main frame offscreen: start-up dialogs, the update cycle, tabs, status bar, logging,
// playback and shut-down, with dialogs and prompts answered by script.

#include "app/ui/MainFrame.h"
#include "app/CommandIds.h"
#include "app/SettingsStore.h"
#include "app/StartupSequence.h"
#include "app/ui/CommandBar.h"
#include "app/ui/StartupDialogs.h"
#include "app/ui/StatusBar.h"
#include "app/ui/ViewHost.h"
#include "app/ui/ViewTabCtrl.h"
#include "gps/LinkTestSupport.h"
#include "gps/ReceiverSimulator.h"
#include "map/ui/MapView.h"
#include "map/ui/MapWnd.h"
#include "nav/TrackFileCommands.h"
#include "nav/TrackLog.h"
#include "platform/Messages.h"
#include "support/ScriptedDialogs.h"
#include "support/ScriptedPrompts.h"
#include "support/TestData.h"
#include "views/ui/GaugePanelWnd.h"

#include <QAction>
#include <QCheckBox>
#include <QCoreApplication>
#include <QFile>
#include <QKeyEvent>
#include <QRadioButton>
#include <QSettings>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

namespace {

// Each test starts from an empty settings store and data folder of its own.
class MainFrameTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        OpenSettingsStore(m_dir.filePath(QStringLiteral("config")));
        qputenv("XDG_DATA_HOME", m_dir.filePath(QStringLiteral("data")).toUtf8());
    }

    // A frame on a device that does not exist (opening it fails silently, as at a real start).
    std::unique_ptr<CMainFrame> MakeFrame(QString device = QStringLiteral("/nonexistent/gps"))
    {
        CMainFrame::Options options;
        options.device = std::move(device);
        return std::make_unique<CMainFrame>(options);
    }

    QStringList StoredKeys()
    {
        QSettings ini(AppSettings().FilePath(), QSettings::IniFormat);
        return ini.allKeys();
    }

    QTemporaryDir m_dir;
};

// Records the posted messages an object receives, in order.
class CPostedRecorder : public QObject {
public:
    explicit CPostedRecorder(QObject* target, QString name, QList<QString>& log)
        : m_name(std::move(name)), m_log(log)
    {
        target->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == CPostedMessageEvent::EventType())
            m_log.append(QStringLiteral("%1:%2").arg(m_name).arg(
                static_cast<CPostedMessageEvent*>(event)->Message(), 0, 16));
        return false;
    }

private:
    QString m_name;
    QList<QString>& m_log;
};

void Deliver()
{
    for (int i = 0; i < 4; ++i)
        QCoreApplication::sendPostedEvents();
}

void Feed(CMainFrame& frame, const QByteArray& bytes)
{
    frame.Parser().ProcessBytes(reinterpret_cast<const uint8_t*>(bytes.constData()),
                                static_cast<size_t>(bytes.size()));
    Deliver();
}

TEST_F(MainFrameTest, FirstStartShowsDisclaimerThenInitialSetupAndSkipWritesOnlyTheSetupFlag)
{
    CScriptedDialogs dialogs;
    dialogs.Script({AcceptDialog, [](QDialog& d) {
                        d.findChild<QRadioButton*>(QStringLiteral("skip"))->setChecked(true);
                        return int(QDialog::Accepted);
                    }});
    auto frame = MakeFrame();
    Deliver(); // WM_FRAME_STARTUP
    EXPECT_EQ(dialogs.Shown(), (QList<QString>{"Disclaimer", "InitialSetup"}));
    EXPECT_EQ(ReadIntSetting("Settings", "First Time Communication Setup", 1), 0);
    EXPECT_EQ(ReadIntSetting("Settings", "NoDisclaimer", -1), 0); // the disclaimer's box, unticked
    EXPECT_EQ(StoredKeys(),
              (QStringList{"Settings/First Time Communication Setup", "Settings/NoDisclaimer"}));
}

TEST_F(MainFrameTest, CancelledInitialSetupReturnsAtTheNextStart)
{
    WriteIntSetting("Settings", "NoDisclaimer", 1);
    CScriptedDialogs dialogs;
    dialogs.Script({RejectDialog});
    {
        auto frame = MakeFrame();
        Deliver();
    }
    EXPECT_EQ(dialogs.Shown(), (QList<QString>{"InitialSetup"}));
    EXPECT_TRUE(StartupSequence::InitialSetupDue());
}

TEST_F(MainFrameTest, CancellingTheDisclaimerClosesTheFrame)
{
    CScriptedDialogs dialogs;
    dialogs.Script({RejectDialog});
    auto frame = MakeFrame();
    Deliver();
    EXPECT_EQ(dialogs.Shown(), (QList<QString>{"Disclaimer"}));
    EXPECT_FALSE(frame->isVisible());
    EXPECT_TRUE(QFile::exists(TrackFilePath())); // the close sequence ran and saved the track
}

TEST(StartupSequence, WithNoDisclaimerItReturnsOnEveryTenthStart)
{
    struct Case {
        int noDisclaimer;
        QList<int> shownOnStarts;
    };
    const Case cases[] = {{0, {1, 2, 3, 10, 20, 25}}, {1, {10, 20}}, {2, {}}};
    for (const Case& c : cases) {
        QTemporaryDir dir;
        OpenSettingsStore(dir.path());
        WriteIntSetting("Settings", "NoDisclaimer", c.noDisclaimer);
        QList<int> shown;
        for (int start = 1; start <= 25; ++start)
            if (StartupSequence::DisclaimerDue())
                shown.append(start);
        if (c.noDisclaimer == 0)
            EXPECT_EQ(shown.size(), 25);
        else
            EXPECT_EQ(shown, c.shownOnStarts) << "NoDisclaimer " << c.noDisclaimer;
        EXPECT_EQ(ReadIntSetting("Settings", "RunCount", 0), c.noDisclaimer == 1 ? 25 : 0);
    }
}

TEST_F(MainFrameTest, UpdateCycleRelaysInTheViewHostsOrderAndFlashesTheIndicator)
{
    CMainFrame::Options options;
    options.snapshot = true; // no port, no start-up dialogs
    CMainFrame frame(options);
    QList<QString> log;
    CPostedRecorder host(&frame.ViewHost(), QStringLiteral("host"), log);
    CPostedRecorder map(&frame.ViewHost().MapWindow(), QStringLiteral("map"), log);

    Feed(frame, Sentence("GPGGA,120000.00,4807.038,N,01131.000,E,2,08,0.9,545.4,M,46.9,M,,") +
                    Sentence("GPGSV,1,1,01,04,40,083,46") +
                    Sentence("GPRMC,120000.00,A,4807.038,N,01131.000,E,022.4,084.4,230394,,"));
    EXPECT_EQ(log, (QList<QString>{"host:1401", "host:1402", "host:1405", "map:1401"}));
    EXPECT_TRUE(frame.Panes().IndicatorActive());
    EXPECT_EQ(frame.Panes().IndicatorRow(), 3); // differential
    EXPECT_EQ(frame.Panes().ConnectionText(), QStringLiteral("Differential GPS"));
    EXPECT_GT(frame.ViewHost().MapWindow().View().Track().GetCount(), 0);

    frame.OnBlinkTimer();
    EXPECT_FALSE(frame.Panes().IndicatorActive());
    log.clear();
    Feed(frame, Sentence("GPXYZ,1,2,3")); // no decoder, still a flash
    EXPECT_TRUE(frame.Panes().IndicatorActive());
    EXPECT_TRUE(frame.IsBlinkTimerRunning());
    EXPECT_TRUE(log.isEmpty());
}

TEST_F(MainFrameTest, ConnectionLossPostsTheEmptyFixToTheViewHost)
{
    auto frame = MakeFrame();
    QList<QString> log;
    CPostedRecorder host(&frame->ViewHost(), QStringLiteral("host"), log);
    {
        CScriptedDialogs dialogs; // the start-up dialogs are not the subject here
        Deliver();
    }
    log.clear();
    for (int tick = 0; tick < 31; ++tick)
        frame->Link().OnWatchdogTick();
    Deliver();
    EXPECT_TRUE(log.contains("host:1401") && log.contains("host:1402") &&
                log.contains("host:1405"));
    EXPECT_EQ(frame->Panes().ConnectionText(), QStringLiteral("GPS connection failed"));
    EXPECT_EQ(frame->Panes().IndicatorRow(), 0);
}

TEST_F(MainFrameTest, WaypointMenuAveragingTakesTheFixesUntilCancelled)
{
    CMainFrame::Options options;
    options.snapshot = true;
    CMainFrame frame(options);
    CWaypointAveraging& averaging = frame.ViewHost().MapWindow().Averaging();
    frame.RunCommand(ID_AVERAGING_START);
    EXPECT_TRUE(averaging.IsAveraging());
    Feed(frame, SyntheticEpochs(3));
    EXPECT_EQ(averaging.Latitude().count, 3u);
    EXPECT_NEAR(averaging.MeanPosition().latitude / 1e6, 48.1173, 1e-4);
    frame.RunCommand(ID_AVERAGING_CANCEL);
    EXPECT_FALSE(averaging.IsAveraging());
    Feed(frame, SyntheticEpochs(1));
    EXPECT_EQ(averaging.Latitude().count, 3u);
}

TEST_F(MainFrameTest, WaypointImportRunsWithTheGaugeSmoothingOff)
{
    WriteIntSetting(QStringLiteral("Panel"), QStringLiteral("Enable Smooth Mode"), 1);
    CMainFrame::Options options;
    options.snapshot = true;
    CMainFrame frame(options);
    CGaugePanelWnd& panel = frame.ViewHost().GaugePanel();
    ASSERT_TRUE(panel.IsSmoothTimerActive());

    CScriptedPrompts prompts;
    prompts.ScriptFileNames({m_dir.filePath(QStringLiteral("caches.csv"))});
    CScriptedDialogs dialogs;
    bool smoothingDuringImport = true;
    dialogs.Script({[&](QDialog& sheet) {
        smoothingDuringImport = panel.IsSmoothTimerActive();
        return RejectDialog(sheet);
    }});
    frame.RunCommand(ID_WAYPOINT_IMPORT);
    ASSERT_EQ(dialogs.Shown().size(), 1); // the CSV settings
    EXPECT_FALSE(smoothingDuringImport);
    EXPECT_TRUE(panel.IsSmoothTimerActive());
}

TEST_F(MainFrameTest, ArrowKeysCycleTheTabsWithWrap)
{
    CMainFrame::Options options;
    options.snapshot = true;
    CMainFrame frame(options);
    CViewHost& host = frame.ViewHost();
    auto press = [&host](Qt::Key key) {
        QKeyEvent event(QEvent::KeyPress, key, Qt::NoModifier);
        QCoreApplication::sendEvent(&host, &event);
        return host.Tabs().CurrentPage();
    };
    EXPECT_EQ(host.Tabs().CurrentPage(), CViewHost::TabGps);
    EXPECT_EQ(press(Qt::Key_Left), CViewHost::TabAnalysis);
    EXPECT_EQ(press(Qt::Key_Right), CViewHost::TabGps);
    for (int i = 0; i < 4; ++i)
        press(Qt::Key_Right);
    EXPECT_EQ(host.Tabs().CurrentPage(), CViewHost::TabAnalysis);
    EXPECT_EQ(press(Qt::Key_Right), CViewHost::TabGps);
    for (int page = host.Tabs().PageCount(); page < CViewTabCtrl::kMaxPages; ++page)
        EXPECT_TRUE(host.Tabs().AddPage(new QWidget(&host), "x"));
    EXPECT_FALSE(host.Tabs().AddPage(new QWidget(&host), "x")); // a seventeenth page
}

TEST_F(MainFrameTest, StatusBarAndTabTogglesAreStored)
{
    WriteIntSetting("Settings", "Statusbar Enabled", 0);
    CMainFrame::Options options;
    options.snapshot = true;
    CMainFrame frame(options);
    frame.show();
    EXPECT_FALSE(frame.Panes().isVisible());
    frame.RunCommand(ID_VIEW_STATUS_BAR);
    EXPECT_TRUE(frame.Panes().isVisible());
    EXPECT_TRUE(frame.IsCommandChecked(ID_VIEW_STATUS_BAR));
    EXPECT_EQ(ReadIntSetting("Settings", "Statusbar Enabled", -1), 1);

    const QRect withTabs = frame.ViewHost().Tabs().PageArea();
    frame.RunCommand(ID_VIEW_TABS);
    EXPECT_EQ(ReadIntSetting("Settings", "Window Tabs Enabled", -1), 0);
    EXPECT_FALSE(frame.IsCommandChecked(ID_VIEW_TABS));
    EXPECT_EQ(frame.ViewHost().Tabs().PageArea().top(), 0);
    EXPECT_GT(withTabs.top(), 0);
}

TEST_F(MainFrameTest, GnssTalkersMenuItemStoresTheChoiceAndResetsTheFix)
{
    CMainFrame::Options options;
    options.snapshot = true;
    CMainFrame frame(options);
    QAction* item = frame.Commands().Action(ID_GNSS_TALKERS);
    ASSERT_NE(item, nullptr);
    ASSERT_TRUE(item->isCheckable());
    const QByteArray glonass = "$GLGSV,1,1,01,65,53,144,30*53\r\n";
    struct Step {
        int stored;
        GnssTalkers mode;
        int inViewAfterGlonass;
    };
    // Every GNSS talker by default; the item switches to the GPS talker only and back.
    const Step steps[] = {
        {-1, GnssTalkers::All, 1}, {0, GnssTalkers::GpOnly, 0}, {1, GnssTalkers::All, 1}};
    for (const Step& step : steps) {
        SCOPED_TRACE(step.stored);
        if (step.stored >= 0) {
            item->trigger();
            EXPECT_EQ(frame.Parser().Gsv().satellitesInView, 0) << "the fix starts afresh";
        }
        EXPECT_EQ(ReadIntSetting("Settings", "GNSS Talkers", -1), step.stored);
        EXPECT_EQ(frame.Parser().GetGnssTalkers(), step.mode);
        frame.Commands().Refresh();
        EXPECT_EQ(item->isChecked(), step.mode == GnssTalkers::All);
        frame.Parser().ProcessBytes(reinterpret_cast<const uint8_t*>(glonass.constData()),
                                    static_cast<size_t>(glonass.size()));
        EXPECT_EQ(frame.Parser().Gsv().satellitesInView, step.inViewAfterGlonass);
    }
}

TEST_F(MainFrameTest, LogRecordingKeepsTheBytesAndShowsTheSize)
{
    CMainFrame::Options options;
    options.snapshot = true;
    CMainFrame frame(options);
    CScriptedPrompts prompts;
    const QString path = m_dir.filePath(QStringLiteral("drive.txt"));
    prompts.ScriptFileNames({path});
    frame.RunCommand(ID_LOG_RECORD_START);
    EXPECT_FALSE(frame.IsCommandEnabled(ID_LOG_RECORD_START));
    QByteArray bytes = SyntheticEpochs(20) + "noise\xff\r\n$GPGGA,bad*00\r\n";
    Feed(frame, bytes);
    EXPECT_EQ(frame.Panes().LogSizeText(), QStringLiteral("Log:%1K").arg(bytes.size() / 1000));
    frame.RunCommand(ID_LOG_RECORD_STOP);
    EXPECT_EQ(frame.Panes().LogSizeText(), QStringLiteral("Log가 없음"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), bytes);

    prompts.ScriptFileNames({m_dir.filePath(QStringLiteral("no/such/folder/log.txt"))});
    frame.RunCommand(ID_LOG_RECORD_START);
    ASSERT_FALSE(prompts.Asked().isEmpty());
    EXPECT_TRUE(
        prompts.Asked().last().text.startsWith(QStringLiteral("로그 파일을 만들 수 없습니다")));
}

TEST_F(MainFrameTest, PlaybackDrivesTheStatusPanes)
{
    CMainFrame::Options options;
    options.snapshot = true;
    CMainFrame frame(options);
    const QString path = m_dir.filePath(QStringLiteral("play.txt"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(SyntheticEpochs(3));
    file.close();
    CScriptedPrompts prompts;
    prompts.ScriptFileNames({path});
    frame.RunCommand(ID_LOG_PLAYBACK);
    EXPECT_TRUE(frame.IsCommandChecked(ID_LOG_PLAYBACK));
    EXPECT_FALSE(frame.IsCommandChecked(ID_MANUAL_PORT_SETUP));
    EXPECT_TRUE(WaitUntil([&] { return frame.Panes().FixTypeText() == QStringLiteral("3D"); }));
    EXPECT_EQ(frame.Panes().ConnectionText(), QStringLiteral("GPS SPS Mode"));
}

TEST_F(MainFrameTest, ShutDownJoinsTheReaderAndSavesTheTrack)
{
    QByteArray log = SyntheticEpochs(30);
    CReceiverSimulator::Options simOptions;
    simOptions.log = log;
    simOptions.bytesPerSecond = 20000;
    CReceiverSimulator receiver(simOptions);
    ASSERT_TRUE(receiver.Open());
    receiver.Start();
    const int threadsBefore = ThreadCount();
    {
        CScriptedDialogs dialogs;
        WriteIntSetting("Settings", "NoDisclaimer", 2);
        WriteIntSetting("Settings", "First Time Communication Setup", 0);
        auto frame = MakeFrame(receiver.DevicePath());
        EXPECT_TRUE(
            WaitUntil([&] { return frame->ViewHost().MapWindow().View().Track().GetCount() > 0; }));
        EXPECT_GT(ThreadCount(), threadsBefore);
        frame->close();
        EXPECT_FALSE(frame->Port().HasReaderThread());
        EXPECT_TRUE(dialogs.Shown().isEmpty());
    }
    receiver.Stop();
    CTrackLog saved;
    ASSERT_EQ(LoadTrack(saved), 1);
    EXPECT_GT(saved.GetCount(), 0);
    EXPECT_LE(ThreadCount(), threadsBefore);
}

} // namespace
