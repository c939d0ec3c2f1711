#pragma once

#include "gps/ChunkHandoff.h"
#include "gps/GnssSystems.h"
#include "gps/SleepInhibitor.h"

#include <QObject>
#include <QString>
#include <QTimer>

#include <cstdint>

class CNMEAParser;
class CSerialPort;
class IMessageSink;

// The main frame's side of the receiver link: opening the port and its reader thread, feeding
// the parser on this (the user-interface) thread, the connection watchdog with its automatic
// reconnection, connect/disconnect, the manual port setup, log playback and stay-alive. The
// timers are QTimers of this object; every tick is also a public function.
class CGpsLink : public QObject {
    Q_OBJECT
public:
    static constexpr int kWatchdogMs = 200;
    static constexpr int kPlaybackMs = 100;
    static constexpr int kStayAliveMs = 30000;
    static constexpr int kLossTicks = 30;      // six seconds without data
    static constexpr int kReconnectTicks = 17; // about 3.4 s between attempts
    static constexpr int kPlaybackChunk = 128;

    enum class State { Connecting, Connected, Lost, Reconnecting, Declined };

    // `viewHost` gets the GGA, GSV and RMC posts that make every view show a lost fix. The
    // parser decodes the talkers the setting "GNSS Talkers" names.
    CGpsLink(CSerialPort& port, CNMEAParser& parser, IMessageSink* viewHost,
             QObject* parent = nullptr);
    ~CGpsLink() override;

    CSerialPort& Port() { return m_port; }
    CNMEAParser& Parser() { return m_parser; }

    // The watchdog (timer 3) and the stay-alive timer (timer 4, which reads "Stay Alive"), as
    // the main window starts them at creation.
    void StartWatchdog() { m_watchdog.start(); }
    void StartStayAlive();
    // The watchdog stops while someone else owns the line (receiver configuration) or a
    // question is open; Resume restarts it only when it was running.
    void SuspendWatchdog();
    void ResumeWatchdog();

    // Opens port `portNumber` (or the fixed device) and starts the reader thread. 1 on success.
    int StartReader(int portNumber, int baud, bool showErrors);
    int StartReaderOnDevice(const QString& device, int baud, bool showErrors);
    int Close();

    // Every reconnection and connect command opens `device` instead of the stored port.
    void UseFixedDevice(const QString& device, int baud);

    // Timer 1 (playback): one read of up to 128 bytes from the file, fed to the parser.
    void ReadChunk();
    // Timer 3 (every 200 ms): loss detection and automatic reconnection.
    void OnWatchdogTick();
    // Timer 4 (every 30 s): keeps the host awake while stay alive is on.
    void OnStayAliveTick();
    // Feeds the chunks the reader thread has handed over (normally done by the event loop).
    int DeliverPendingChunks() { return m_handoff.Drain(); }

    // Commands.
    void ConnectDisconnect();
    // The manual port setup's OK: 1 and the settings stored when the port opened.
    int ApplyManualSetup(const QString& device, int baud, bool autoReconnect);
    // Plays `path` in the port's place from now on. 1 when the file opened.
    int StartPlayback(const QString& path);
    // Decodes every GNSS talker or the GPS talker only from now on, stored in the settings. The
    // fix starts afresh and the views show it empty until the next sentences.
    void ChooseGnssTalkers(GnssTalkers talkers);

    State LinkState() const;
    bool IsConnecting() const { return m_connecting; }
    bool IsConnectionLost() const { return m_connectionLost; }
    bool IsReconnectDeclined() const { return m_reconnectDeclined; }
    bool IsPlaybackActive() const { return m_playbackActive; }
    const QString& PlaybackPath() const { return m_playbackPath; }
    int IdleTicks() const { return m_idleTicks; }
    uint32_t ReconnectAttempts() const { return m_reconnectAttempts; }
    bool AutoReconnect() const { return m_autoReconnect; }
    void SetAutoReconnect(bool on) { m_autoReconnect = on; }
    bool StayAlive() const { return m_stayAlive; }
    void SetStayAlive(bool on);
    bool IsKeepingAwake() const { return m_inhibitor.IsHeld(); }
    bool IsWatchdogRunning() const { return m_watchdog.isActive(); }
    bool IsPlaybackTimerRunning() const { return m_playbackTimer.isActive(); }

Q_SIGNALS:
    // The port opened (resumed false) or data came again after a loss (resumed true).
    void Connected(const QString& device, int baud, bool resumed);
    void Lost();
    void ReconnectAttempt(int attempt);
    // The source reported what went wrong (a network source refused or dropped); the silence
    // that follows is declared a loss as usual.
    void SourceProblem(const QString& text);
    // The user refused further attempts or disconnected by hand.
    void Declined();

private:
    void FeedParser(const uint8_t* bytes, size_t count);
    // Posts the GGA, GSV and RMC messages that make every view show the reset fix.
    void ShowEmptyFix();
    void Reconnect();
    int OpenStoredPort();

    CSerialPort& m_port;
    CNMEAParser& m_parser;
    IMessageSink* m_viewHost;
    CChunkHandoff m_handoff;
    CSleepInhibitor m_inhibitor;
    QTimer m_watchdog;
    QTimer m_playbackTimer;
    QTimer m_stayAliveTimer;
    bool m_watchdogSuspended = false;

    QString m_fixedDevice;
    int m_fixedBaud = 0;

    int32_t m_idleTicks = 0;
    bool m_connectionLost = false;
    uint32_t m_reconnectTicks = 0;
    bool m_autoReconnect = false;
    bool m_connecting = false;
    bool m_reconnectDeclined = false;
    uint32_t m_reconnectAttempts = 0;
    bool m_stayAlive = true;
    bool m_playbackActive = false;
    QString m_playbackPath;
};
