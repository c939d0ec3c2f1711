#include "app/ui/MainFrame.h"

#include "app/CommandIds.h"
#include "app/SettingsStore.h"
#include "app/StartupSequence.h"
#include "app/StatusPanes.h"
#include "app/ui/AboutDlg.h"
#include "app/ui/CommandBar.h"
#include "app/ui/FrameLinkCommands.h"
#include "app/ui/SavingWindow.h"
#include "app/ui/StartupDialogs.h"
#include "app/ui/StatusBar.h"
#include "app/ui/ViewHost.h"
#include "gps/NMEALog.h"
#include "gps/PortNames.h"
#include "map/ui/MapWnd.h"
#include "platform/Locations.h"
#include "platform/Messages.h"
#include "platform/Prompts.h"
#include "platform/StringTable.h"
#include "platform/UrlOpener.h"
#include "platform/ui/DialogSeam.h"
#include "views/ui/GaugePanelWnd.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QKeyEvent>

namespace {

CMainFrame* g_frame = nullptr;

const QString kSettings = QStringLiteral("Settings");
const QString kStatusBarEnabled = QStringLiteral("Statusbar Enabled");
const QString kLogFilter = QStringLiteral("Text Files (*.txt);;All Files (*)");

int ReadLinkSetting(const char* key, int defaultValue)
{
    return ReadIntSetting(QString::fromLatin1(kSerialSection), QString::fromLatin1(key),
                          defaultValue);
}

} // namespace

CMainFrame::CMainFrame(const Options& options)
    : m_selfSink(this), m_parser(&m_selfSink), m_context{m_parser, nullptr},
      m_snapshot(options.snapshot)
{
    g_frame = this;
    setObjectName(QStringLiteral("MainFrame"));
    setWindowTitle(QStringLiteral("Wendrift"));

    m_viewHost = new CViewHost(m_context, this);
    setCentralWidget(m_viewHost);
    setFocusProxy(m_viewHost);
    m_viewHostSink = std::make_unique<CEventMessageSink>(m_viewHost);
    m_link = std::make_unique<CGpsLink>(m_port, m_parser, m_viewHostSink.get(), this);
    connect(m_link.get(), &CGpsLink::Connected, this, &CMainFrame::UpdatePanes);
    connect(m_link.get(), &CGpsLink::Lost, this, &CMainFrame::UpdatePanes);
    connect(m_link.get(), &CGpsLink::Declined, this, &CMainFrame::UpdatePanes);
    // Why a network source failed (refused, dropped, unknown host) shows in place of the
    // connection pane for a while.
    connect(m_link.get(), &CGpsLink::SourceProblem, this,
            [this](const QString& text) { m_statusBar->showMessage(text, kSourceProblemMs); });
    m_viewHost->MapWindow().LoadFiles();

    m_commandBar = new CCommandBar(*this, {[this](int id) { RunCommand(id); },
                                           [this](int id) { return IsCommandChecked(id); },
                                           [this](int id) { return IsCommandEnabled(id); }});
    m_statusBar = new CStatusBar(this);
    setStatusBar(m_statusBar);
    m_statusBar->setVisible(ReadIntSetting(kSettings, kStatusBarEnabled, 1) == 1);

    m_blinkTimer.setSingleShot(true);
    m_blinkTimer.setInterval(kBlinkMs);
    connect(&m_blinkTimer, &QTimer::timeout, this, &CMainFrame::OnBlinkTimer);

    if (!options.snapshot) {
        StartReceiver(options);
        m_link->SetAutoReconnect(ReadLinkSetting(kAutoReconnectKey, 0) == 1);
        m_link->StartWatchdog();
        m_link->StartStayAlive();
        QCoreApplication::postEvent(this, new CPostedMessageEvent(WM_FRAME_STARTUP));
    }
    UpdatePanes();
}

CMainFrame::~CMainFrame()
{
    Shutdown();
    if (g_frame == this)
        g_frame = nullptr;
}

CMainFrame* CMainFrame::Instance()
{
    return g_frame;
}

void CMainFrame::StartReceiver(const Options& options)
{
    if (!options.playbackPath.isEmpty()) {
        m_link->StartPlayback(options.playbackPath);
        return;
    }
    const int baud = options.baud > 0 ? options.baud : ReadLinkSetting(kBaudKey, kDefaultBaud);
    if (!options.device.isEmpty()) {
        m_link->UseFixedDevice(options.device, baud);
        m_link->StartReaderOnDevice(options.device, baud, false);
        return;
    }
    m_link->StartReader(ReadLinkSetting(kPortKey, kDefaultPort), baud, false);
}

bool CMainFrame::event(QEvent* event)
{
    if (event->type() != CPostedMessageEvent::EventType())
        return QMainWindow::event(event);
    const uint32_t message = static_cast<CPostedMessageEvent*>(event)->Message();
    switch (message) {
    case WM_GPS_UPDATE:
        OnGpsUpdate();
        break;
    case WM_GPS_GGA:
    case WM_GPS_GSV:
    case WM_GPS_RMC:
        m_viewHostSink->Post(message);
        break;
    case WM_FRAME_STARTUP:
        OnStartup();
        break;
    default:
        break;
    }
    return true;
}

void CMainFrame::OnGpsUpdate()
{
    m_indicatorActive = true;
    m_blinkTimer.start();
    UpdatePanes();
}

void CMainFrame::OnBlinkTimer()
{
    m_blinkTimer.stop();
    m_indicatorActive = false;
    UpdatePanes();
}

void CMainFrame::UpdatePanes()
{
    const bool lost = m_link->IsConnectionLost();
    const int quality = m_parser.Gga().quality;
    m_statusBar->SetConnectionText(ConnectionPaneText(m_link->IsConnecting(), lost, quality));
    m_statusBar->SetFixTypeText(QString::fromLatin1(FixTypeText(m_parser.Gsa().fixType)));
    m_statusBar->SetLogSizeText(LogSizeText(IsLogging(m_parser), GetLoggedBytes(m_parser)));
    m_statusBar->SetIndicator(IndicatorImageRow(quality, lost), m_indicatorActive);
}

void CMainFrame::OnStartup()
{
    if (StartupSequence::DisclaimerDue()) {
        show();
        CDisclaimerDlg disclaimer(this);
        if (ExecDialog(disclaimer) != QDialog::Accepted) {
            close();
            return;
        }
        StartupSequence::AcceptDisclaimer(disclaimer.DontShowAgain());
    }
    if (!StartupSequence::InitialSetupDue())
        return;
    CInitialSetupDlg setup(this);
    if (ExecDialog(setup) != QDialog::Accepted)
        return;
    switch (setup.Chosen()) {
    case CInitialSetupDlg::Automatic:
        RunCommand(ID_FIND_GPS);
        break;
    case CInitialSetupDlg::Manual:
        RunCommand(ID_MANUAL_PORT_SETUP);
        break;
    case CInitialSetupDlg::Skip:
        break;
    }
    StartupSequence::InitialSetupDone();
}

void CMainFrame::RunCommand(int id)
{
    switch (id) {
    case ID_CONNECT_DISCONNECT:
        m_link->ConnectDisconnect();
        break;
    case ID_LOG_RECORD_START:
        StartLogRecording();
        break;
    case ID_LOG_RECORD_STOP:
        StopLogging(m_parser);
        break;
    case ID_LOG_PLAYBACK:
        StartLogPlayback();
        break;
    case ID_VIEW_STATUS_BAR:
        ToggleStatusBar();
        break;
    case ID_GNSS_TALKERS:
        m_link->ChooseGnssTalkers(
            m_parser.GetGnssTalkers() == GnssTalkers::All ? GnssTalkers::GpOnly : GnssTalkers::All);
        break;
    case ID_VIEW_TABS:
        m_viewHost->ToggleTabs();
        break;
    case ID_HELP:
        ShowHelp();
        break;
    case ID_APP_ABOUT:
        ShowAbout();
        break;
    case ID_APP_EXIT:
        close();
        return;
    case ID_WAYPOINT_IMPORT:
        m_viewHost->GaugePanel().RunWithoutSmoothing(
            [this, id] { m_viewHost->MapWindow().HandleCommand(id); });
        break;
    default:
        if (RunLinkCommand(id, *m_link, this)) {
            if (id == ID_UNITS) { // every view redraws in the new units
                for (QWidget* child : findChildren<QWidget*>())
                    child->update();
            }
            break;
        }
        m_viewHost->MapWindow().HandleCommand(id);
        break;
    }
    UpdatePanes();
}

bool CMainFrame::IsCommandChecked(int id) const
{
    switch (id) {
    case ID_MANUAL_PORT_SETUP:
        return !m_link->IsPlaybackActive();
    case ID_LOG_PLAYBACK:
        return m_link->IsPlaybackActive();
    case ID_VIEW_STATUS_BAR:
        return m_statusBar->isVisible();
    case ID_GNSS_TALKERS:
        return m_parser.GetGnssTalkers() == GnssTalkers::All;
    case ID_VIEW_TABS:
        return m_viewHost->TabsVisible();
    default:
        return false;
    }
}

bool CMainFrame::IsCommandEnabled(int id) const
{
    switch (id) {
    case ID_LOG_RECORD_START:
        return !IsLogging(m_parser);
    case ID_LOG_RECORD_STOP:
        return IsLogging(m_parser);
    default:
        return true;
    }
}

void CMainFrame::ToggleStatusBar()
{
    const bool show = m_statusBar->isHidden();
    m_statusBar->setVisible(show);
    WriteIntSetting(kSettings, kStatusBarEnabled, show ? 1 : 0);
}

void CMainFrame::StartLogRecording()
{
    FileDialogRequest request;
    request.kind = FileDialogKind::Save;
    request.filter = kLogFilter;
    request.defaultSuffix = QStringLiteral("txt");
    request.startPath = QDir(Locations::UserDataDir()).filePath(QStringLiteral("new file.txt"));
    const QString path = Prompts().AskFileName(request);
    if (path.isEmpty())
        return;
    if (!StartLogging(m_parser, path))
        Prompts().Ask(LoadString(217), tr("Wendrift"), PromptButtons::Ok, PromptIcon::Error);
}

void CMainFrame::StartLogPlayback()
{
    FileDialogRequest request;
    request.kind = FileDialogKind::Open;
    request.filter = kLogFilter;
    request.startPath = Locations::UserDataDir();
    const QString path = Prompts().AskFileName(request);
    if (!path.isEmpty())
        m_link->StartPlayback(path);
}

void CMainFrame::ShowHelp()
{
    QUrl page = QUrl::fromLocalFile(
        QDir(Locations::ShareDir()).filePath(QStringLiteral("help/Wendrift.htm")));
    page.setFragment(QStringLiteral("Main_Contents"));
    OpenUrl(page);
}

void CMainFrame::ShowAbout()
{
    CAboutDlg about(this);
    ExecDialog(about);
}

void CMainFrame::Shutdown()
{
    if (m_shutDown)
        return;
    m_shutDown = true;
    m_link->Close(); // joins the reader thread before anything it feeds goes away
    if (m_snapshot)
        return;
    CSavingWindow saving(this);
    m_viewHost->MapWindow().SaveState();
}

void CMainFrame::closeEvent(QCloseEvent* event)
{
    Shutdown();
    event->accept();
}

void CMainFrame::keyPressEvent(QKeyEvent* event)
{
    // A typed character has no meaning for the frame.
    if (!event->text().isEmpty() && event->text().at(0).isPrint()) {
        QApplication::beep();
        event->accept();
        return;
    }
    QMainWindow::keyPressEvent(event);
}

void CMainFrame::resizeEvent(QResizeEvent* event)
{
    QMainWindow::resizeEvent(event);
    m_indicatorActive = false;
    UpdatePanes();
}
