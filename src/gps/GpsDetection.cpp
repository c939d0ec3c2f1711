#include "gps/GpsDetection.h"

#include "app/SettingsStore.h"
#include "gps/GpsLink.h"
#include "gps/NMEAParser.h"
#include "gps/PortNames.h"
#include "gps/SerialPort.h"
#include "platform/Prompts.h"

namespace {

const char kFound[] = "GPS found, tested and ready to use";
const char kNotFound[] = "GPS Reciver not found";
const char kUnsupported[] =
    "The GPS has been found, however it does not support all of the necessary NMEA sentences. "
    "Wendrift requires these NMEA sentences to function properly: GPGGA, GPGSV, GPGSA and "
    "GPRMC. Check with your GPS manufacturer to make sure these sentences are supported. See "
    "help for more information. ";

} // namespace

CGpsDetection::CGpsDetection(CGpsLink& link, QStringList devices, QObject* parent)
    : QObject(parent), m_link(link), m_devices(std::move(devices))
{}

CGpsDetection::~CGpsDetection()
{
    m_link.SetAutoReconnect(ReadIntSetting(QString::fromLatin1(kSerialSection),
                                           QString::fromLatin1(kAutoReconnectKey), 0) == 1);
}

const char* CGpsDetection::SentenceName(Sentence sentence)
{
    static const char* const kNames[] = {"GPGGA", "GPGSV", "GPGSA", "GPRMC"};
    return kNames[sentence];
}

void CGpsDetection::Start()
{
    m_link.Port().EnumeratePorts();
    m_link.SetAutoReconnect(false);
    m_state = StartPort;
    m_outcome = Outcome::Searching;
    m_message.clear();
    m_portIndex = 0;
    m_baudIndex = 0;
    m_baud = kBauds[0];
    m_ticks = 0;
    m_passMask = 0;
    m_progress = 0;
    m_link.Close();
}

QString CGpsDetection::CurrentDevice() const
{
    return m_portIndex < m_devices.size() ? m_devices[m_portIndex] : QString();
}

QString CGpsDetection::ResultText(Sentence sentence) const
{
    return (m_passMask & (1u << sentence)) ? QStringLiteral("PASS") : QStringLiteral("---");
}

void CGpsDetection::SetStatus(const char* text)
{
    m_status = QString::fromLatin1(text);
    Q_EMIT StatusChanged(m_status);
}

std::array<uint32_t, 4> CGpsDetection::SentenceCounts() const
{
    const CNMEAParser& parser = m_link.Parser();
    return {parser.Gga().count, parser.Gsv().count, parser.Gsa().count, parser.Rmc().count};
}

void CGpsDetection::Tick()
{
    if (IsFinished())
        return;
    switch (m_state) {
    case StartPort:
        SetStatus("Searching for GPS...");
        m_baudIndex = 0;
        m_baud = kBauds[0];
        m_state = OpenPort;
        return;
    case OpenPort:
        OpenCurrent();
        return;
    case WaitForData:
        SetStatus("Waiting for data...");
        m_ticks = 0;
        m_state = Listen;
        return;
    case Listen:
        ListenForData();
        return;
    case NextPort:
        NextCandidate();
        return;
    case Validate:
        ValidateSentences();
        return;
    }
}

void CGpsDetection::OpenCurrent()
{
    SetStatus("Opening port...");
    // Closed a tick ago when the last rate was given up, so the device has settled by now;
    // waiting here instead would stall the window that runs the ticks.
    m_link.Close();
    Q_EMIT PortShown(m_portIndex, CurrentDevice(), m_baud);
    if (CurrentDevice().isEmpty() || !m_link.StartReaderOnDevice(CurrentDevice(), m_baud, false)) {
        m_state = NextPort;
        return;
    }
    m_sentenceSnapshot = m_link.Parser().GetSentenceCount();
    m_ticks = 0;
    m_state = WaitForData;
}

void CGpsDetection::ListenForData()
{
    if (m_link.Parser().GetSentenceCount() != m_sentenceSnapshot) {
        SetStatus("Validating NMEA...");
        StorePortChoice(CurrentDevice(), m_baud);
        m_countSnapshots = SentenceCounts();
        m_ticks = 0;
        m_passMask = 0;
        m_state = Validate;
        return;
    }
    if (m_ticks++ < kListenTicks)
        return;
    m_link.Close();
    if (m_baudIndex + 1 < kBauds.size()) {
        m_baud = kBauds[++m_baudIndex];
        SetStatus("Changing baud...");
        m_state = OpenPort;
    } else {
        m_state = NextPort;
    }
}

void CGpsDetection::NextCandidate()
{
    ++m_progress;
    Q_EMIT ProgressStepped(m_progress);
    const bool wasLast = m_portIndex + 1 >= m_devices.size();
    ++m_portIndex;
    if (wasLast) {
        m_link.Close();
        Finish(Outcome::NotFound, kNotFound, PromptIcon::Warning);
        return;
    }
    m_state = StartPort;
}

void CGpsDetection::ValidateSentences()
{
    if (m_passMask == 0xF) {
        Finish(Outcome::Found, kFound, PromptIcon::Information);
        return;
    }
    if (m_ticks++ >= kValidateTicks) {
        Finish(Outcome::Unsupported, kUnsupported, PromptIcon::Warning);
        return;
    }
    const std::array<uint32_t, 4> counts = SentenceCounts();
    for (int s = GGA; s <= RMC; ++s) {
        const uint32_t bit = 1u << s;
        if (counts[s] != m_countSnapshots[s] && !(m_passMask & bit)) {
            m_passMask |= bit;
            Q_EMIT SentencePassed(static_cast<Sentence>(s));
        }
    }
}

void CGpsDetection::Finish(Outcome outcome, const char* message, PromptIcon icon)
{
    m_outcome = outcome;
    m_message = QString::fromLatin1(message);
    Prompts().Ask(m_message, QString(), PromptButtons::Ok, icon);
    Q_EMIT Finished(outcome);
}
