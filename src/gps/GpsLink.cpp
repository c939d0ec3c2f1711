#include "gps/GpsLink.h"

#include "app/SettingsStore.h"
#include "gps/GnssTalkersSetting.h"
#include "gps/NMEAParser.h"
#include "gps/PortNames.h"
#include "gps/SerialPort.h"
#include "platform/MessageSink.h"
#include "platform/Messages.h"
#include "platform/Prompts.h"
#include "platform/StringTable.h"

namespace {

constexpr int kReconnectQuestion = 204;

int ReadLinkInt(const char* key, int defaultValue)
{
    return ReadIntSetting(QString::fromLatin1(kSerialSection), QString::fromLatin1(key),
                          defaultValue);
}

} // namespace

CGpsLink::CGpsLink(CSerialPort& port, CNMEAParser& parser, IMessageSink* viewHost, QObject* parent)
    : QObject(parent), m_port(port), m_parser(parser), m_viewHost(viewHost),
      m_handoff(
          [this](const QByteArray& chunk) {
              FeedParser(reinterpret_cast<const uint8_t*>(chunk.constData()),
                         static_cast<size_t>(chunk.size()));
          },
          [this](const QString& problem) { Q_EMIT SourceProblem(problem); })
{
    m_watchdog.setInterval(kWatchdogMs);
    m_playbackTimer.setInterval(kPlaybackMs);
    m_stayAliveTimer.setInterval(kStayAliveMs);
    connect(&m_watchdog, &QTimer::timeout, this, &CGpsLink::OnWatchdogTick);
    connect(&m_playbackTimer, &QTimer::timeout, this, &CGpsLink::ReadChunk);
    connect(&m_stayAliveTimer, &QTimer::timeout, this, &CGpsLink::OnStayAliveTick);
    m_autoReconnect = ReadLinkInt(kAutoReconnectKey, 0) == 1;
    m_parser.SetGnssTalkers(ReadGnssTalkersSetting());
}

CGpsLink::~CGpsLink()
{
    // The reader thread pushes into our handoff; it must be gone before the handoff is.
    m_port.Close();
}

void CGpsLink::StartStayAlive()
{
    m_stayAliveTimer.start();
    SetStayAlive(ReadIntSetting(QStringLiteral("Settings"), QStringLiteral("Stay Alive"), 1) == 1);
}

void CGpsLink::SuspendWatchdog()
{
    if (m_watchdog.isActive()) {
        m_watchdog.stop();
        m_watchdogSuspended = true;
    }
}

void CGpsLink::ResumeWatchdog()
{
    if (m_watchdogSuspended) {
        m_watchdogSuspended = false;
        m_watchdog.start();
    }
}

int CGpsLink::StartReader(int portNumber, int baud, bool showErrors)
{
    if (!m_fixedDevice.isEmpty())
        return StartReaderOnDevice(m_fixedDevice, m_fixedBaud, showErrors);
    return StartReaderOnDevice(DeviceForPort(portNumber), baud, showErrors);
}

int CGpsLink::StartReaderOnDevice(const QString& device, int baud, bool showErrors)
{
    m_connecting = true;
    m_playbackTimer.stop();
    m_port.Close();
    // An empty device (a port number without a device) fails like a missing one.
    int result = m_port.Open(device, static_cast<uint32_t>(baud), showErrors);
    if (result)
        result = m_port.StartReaderThread(m_handoff);
    m_connecting = false;
    if (result)
        Q_EMIT Connected(device, baud, false);
    return result;
}

int CGpsLink::Close()
{
    return m_port.Close();
}

void CGpsLink::UseFixedDevice(const QString& device, int baud)
{
    m_fixedDevice = device;
    m_fixedBaud = baud;
}

void CGpsLink::FeedParser(const uint8_t* bytes, size_t count)
{
    m_parser.ProcessBytes(bytes, count);
    m_idleTicks = 0;
    if (m_connectionLost) {
        m_connectionLost = false;
        Q_EMIT Connected(m_port.Device(), static_cast<int>(m_port.BaudRate()), true);
    }
}

void CGpsLink::ReadChunk()
{
    uint8_t buffer[kPlaybackChunk];
    const int count = m_port.Read(buffer, kPlaybackChunk);
    if (count > 0)
        FeedParser(buffer, static_cast<size_t>(count));
}

void CGpsLink::OnWatchdogTick()
{
    const int32_t idle = m_idleTicks++;
    if (idle >= kLossTicks && !m_connectionLost) {
        m_reconnectAttempts = 0;
        m_idleTicks = 0;
        m_connectionLost = true;
        m_port.Close();
        m_parser.ResetFixState();
        ShowEmptyFix();
        Q_EMIT Lost();
        return;
    }
    if (!m_connectionLost || !m_autoReconnect || m_reconnectDeclined)
        return;
    if (m_reconnectTicks++ < kReconnectTicks - 1)
        return;
    m_reconnectTicks = 0;
    if (m_reconnectAttempts > 1) {
        // No ticks while the question is open (a message box runs its own event loop).
        SuspendWatchdog();
        const PromptAnswer answer = Prompts().Ask(LoadString(kReconnectQuestion), QString(),
                                                  PromptButtons::YesNo, PromptIcon::Question);
        ResumeWatchdog();
        if (answer != PromptAnswer::Yes) {
            m_port.Close();
            m_reconnectDeclined = true;
            Q_EMIT Declined();
            return;
        }
    }
    Reconnect();
}

void CGpsLink::ShowEmptyFix()
{
    if (m_viewHost) {
        m_viewHost->Post(WM_GPS_GGA);
        m_viewHost->Post(WM_GPS_GSV);
        m_viewHost->Post(WM_GPS_RMC);
    }
}

void CGpsLink::ChooseGnssTalkers(GnssTalkers talkers)
{
    WriteGnssTalkersSetting(talkers);
    // The parser runs on this thread (the reader thread only hands bytes over), so the
    // change lands between two chunks.
    m_parser.SetGnssTalkers(talkers);
    ShowEmptyFix();
}

void CGpsLink::Reconnect()
{
    ++m_reconnectAttempts;
    Q_EMIT ReconnectAttempt(static_cast<int>(m_reconnectAttempts));
    m_port.Close();
    OpenStoredPort();
}

int CGpsLink::OpenStoredPort()
{
    return StartReader(ReadLinkInt(kPortKey, kDefaultPort), ReadLinkInt(kBaudKey, kDefaultBaud),
                       false);
}

void CGpsLink::OnStayAliveTick()
{
    if (m_stayAlive)
        m_inhibitor.Hold();
}

void CGpsLink::SetStayAlive(bool on)
{
    m_stayAlive = on;
    if (on)
        m_inhibitor.Hold();
    else
        m_inhibitor.Release();
}

void CGpsLink::ConnectDisconnect()
{
    if (m_port.IsOpen()) {
        m_port.Close();
        m_reconnectDeclined = true;
        Q_EMIT Declined();
        return;
    }
    m_reconnectDeclined = false;
    if (m_playbackActive) {
        m_port.OpenFile(m_playbackPath);
        m_playbackTimer.start();
    } else {
        OpenStoredPort();
    }
}

int CGpsLink::ApplyManualSetup(const QString& device, int baud, bool autoReconnect)
{
    m_port.Close();
    if (!StartReaderOnDevice(device, baud, true)) {
        m_port.Close();
        return 0;
    }
    m_playbackActive = false;
    StorePortChoice(device, baud);
    WriteIntSetting(QString::fromLatin1(kSerialSection), QString::fromLatin1(kAutoReconnectKey),
                    autoReconnect ? 1 : 0);
    m_autoReconnect = autoReconnect;
    m_reconnectDeclined = false;
    // The choice replaces any device the command line fixed for this run.
    m_fixedDevice.clear();
    return 1;
}

int CGpsLink::StartPlayback(const QString& path)
{
    m_port.Close();
    const int opened = m_port.OpenFile(path);
    m_playbackPath = path;
    m_playbackActive = true;
    m_playbackTimer.start();
    return opened;
}

CGpsLink::State CGpsLink::LinkState() const
{
    if (m_connecting)
        return State::Connecting;
    if (!m_connectionLost)
        return State::Connected;
    if (m_reconnectDeclined)
        return State::Declined;
    return m_autoReconnect ? State::Reconnecting : State::Lost;
}
