#pragma once

#include "app/ui/ViewContext.h"
#include "gps/GpsLink.h"
#include "gps/NMEAParser.h"
#include "gps/SerialPort.h"
#include "platform/MessageSink.h"

#include <QMainWindow>
#include <QTimer>

#include <memory>

class CCommandBar;
class CStatusBar;
class CViewHost;

// The application's window: it owns the receiver link, the parser with the fix state, the view
// host with the five views, the menus and the status bar. It relays the parser's messages to
// the views, runs the link's commands, and sequences start-up and shut-down.
class CMainFrame : public QMainWindow {
    Q_OBJECT
public:
    static constexpr int kBlinkMs = 100;

    struct Options {
        bool snapshot = false; // no port, no start-up dialogs, no start-up counters
        QString device;        // a device or source given on the command line
        int baud = 0;          // with `device`; 0 for the stored rate
        QString playbackPath;  // play this log instead of opening the receiver
    };

    explicit CMainFrame(const Options& options);
    ~CMainFrame() override;

    // The one frame of the process, once created.
    static CMainFrame* Instance();

    void RunCommand(int id);
    bool IsCommandChecked(int id) const;
    bool IsCommandEnabled(int id) const;
    // The close sequence: port closed, views store their state, the track is saved (not for a
    // snapshot, which leaves the user's files alone). Runs once.
    void Shutdown();

    CViewHost& ViewHost() { return *m_viewHost; }
    CStatusBar& Panes() { return *m_statusBar; }
    CCommandBar& Commands() { return *m_commandBar; }
    CGpsLink& Link() { return *m_link; }
    CNMEAParser& Parser() { return m_parser; }
    CSerialPort& Port() { return m_port; }
    // Timer 2: the indicator back to idle.
    void OnBlinkTimer();
    bool IsBlinkTimerRunning() const { return m_blinkTimer.isActive(); }
    // The status panes from the link and the fix state.
    void UpdatePanes();

protected:
    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void OnStartup();
    void OnGpsUpdate();
    void StartReceiver(const Options& options);
    void ToggleStatusBar();
    void StartLogRecording();
    void StartLogPlayback();
    void ShowHelp();
    void ShowAbout();

    CSerialPort m_port;
    CEventMessageSink m_selfSink;
    CNMEAParser m_parser;
    ViewContext m_context;
    CViewHost* m_viewHost = nullptr;
    std::unique_ptr<CEventMessageSink> m_viewHostSink;
    std::unique_ptr<CGpsLink> m_link;
    CStatusBar* m_statusBar = nullptr;
    CCommandBar* m_commandBar = nullptr;
    QTimer m_blinkTimer;
    bool m_indicatorActive = false;
    bool m_snapshot;
    bool m_shutDown = false;
};
