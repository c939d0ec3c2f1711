#include "gps/SiRFSetup.h"

#include "app/SettingsStore.h"
#include "gps/GpsLink.h"
#include "gps/NMEACommandSender.h"
#include "gps/PortNames.h"
#include "gps/ProgressWindow.h"
#include "gps/SerialPort.h"
#include "gps/SiRFBinary.h"
#include "platform/Prompts.h"
#include "platform/StringTable.h"

#include <algorithm>
#include <chrono>
#include <thread>

namespace {

constexpr int kParameterQuestion = 292;
constexpr int kAckSeconds = 2;
constexpr int kSteps = 6;
constexpr int kVersionPolls = 30;
constexpr int kSettleMs = 2000; // for the receiver to switch protocols, the line to reopen

const char kOutputQuestion[] =
    "This option will send an initialization string to the GPS to enable specific NMEA "
    "sentences. This is a SiRF specific initialization. Would you like to continue?";
const char kResultsMessage[] =
    "Could not set all of the parameters to the SiRF GPS receiver. Results:\n\nSoftware "
    "Version: %1\nDGPS Control: %2\nDGPS Source: %3\nStatic Nav: %4\n";

void Sleep(int milliseconds)
{
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

// Sleeps `milliseconds` in slices short enough that the window never stalls for 100 ms.
void SleepResponsive(IProgressWindow& progress, int milliseconds)
{
    constexpr int kSliceMs = 50;
    for (int slept = 0; slept < milliseconds; slept += kSliceMs) {
        Sleep(std::min(kSliceMs, milliseconds - slept));
        progress.KeepResponsive();
    }
}

QString PassFail(bool passed)
{
    return passed ? QStringLiteral("Pass") : QStringLiteral("Fail");
}

int ReadLinkInt(const char* key, int defaultValue)
{
    return ReadIntSetting(QString::fromLatin1(kSerialSection), QString::fromLatin1(key),
                          defaultValue);
}

} // namespace

std::optional<QList<CSiRFSetup::SentCommand>> CSiRFSetup::RunOutputSettings(IProgressWindow* window)
{
    if (Prompts().Ask(QString::fromLatin1(kOutputQuestion), QString(), PromptButtons::YesNo,
                      PromptIcon::Warning) != PromptAnswer::Yes)
        return std::nullopt;
    CNMEACommandSender sender(m_link.Port());
    using Builder = QByteArray (CNMEACommandSender::*)(int);
    // GLL stays as the receiver has it.
    const std::pair<Builder, int> commands[] = {{&CNMEACommandSender::SetVTGRate, 0},
                                                {&CNMEACommandSender::SetGGARate, 1},
                                                {&CNMEACommandSender::SetRMCRate, 1},
                                                {&CNMEACommandSender::SetGSVRate, 2},
                                                {&CNMEACommandSender::SetGSARate, 2}};
    QList<SentCommand> sent;
    for (const auto& [build, rate] : commands) {
        const QByteArray sentence = (sender.*build)(rate);
        sent.append({sentence.trimmed(), !sentence.isEmpty()});
        Sleep(50);
        if (window)
            window->KeepResponsive();
    }
    return sent;
}

std::optional<SiRFSetupResult>
CSiRFSetup::RunParameterSettings(IProgressWindow& progress,
                                 const std::function<bool(SiRFSetupOptions&)>& runDialog)
{
    if (Prompts().Ask(LoadString(kParameterQuestion), QString(), PromptButtons::YesNo,
                      PromptIcon::Question) != PromptAnswer::Yes)
        return std::nullopt;
    SiRFSetupOptions options;
    if (!runDialog(options))
        return std::nullopt;

    const int baud = ReadLinkInt(kBaudKey, kDefaultBaud);
    const int port = ReadLinkInt(kPortKey, kDefaultPort);
    SiRFSetupResult result;
    progress.Open(kSteps);
    Configure(progress, options, port, baud, result);
    progress.SetText(QStringLiteral("Done."));
    Report(result);
    progress.Close();
    return result;
}

void CSiRFSetup::Configure(IProgressWindow& progress, const SiRFSetupOptions& options, int port,
                           int baud, SiRFSetupResult& result)
{
    // The replies are for us, not for the NMEA parser.
    m_link.Port().SetReaderPaused(true);
    m_link.SuspendWatchdog();

    progress.SetText(QStringLiteral("Switch to SiRF Binary..."));
    CNMEACommandSender(m_link.Port()).SetSerialPort(0, baud, 8, 1, 0);
    m_binary.WaitForAck(&progress, kAckSeconds, 0); // nothing acknowledges this: a pause
    progress.Step();

    progress.SetText(QStringLiteral("Polling version..."));
    PollVersion(progress, result);
    progress.Step();

    progress.SetText(QStringLiteral("Setting WAAS Parameters"));
    m_binary.SendDgpsSource(options.waas ? 1 : 0);
    result.dgpsSource = m_binary.WaitForAck(&progress, kAckSeconds, 0x85) == 1;
    m_binary.SendDgpsControl(options.waas ? 0 : 2);
    result.dgpsControl = m_binary.WaitForAck(&progress, kAckSeconds, 0x8A) == 1;
    progress.Step();

    progress.SetText(QStringLiteral("Setting Static Nav Params..."));
    m_binary.SendStaticNavigation(options.staticNavigation);
    result.staticNavigation = m_binary.WaitForAck(&progress, kAckSeconds, 0x8F) == 1;
    progress.Step();

    m_binary.SendSwitchToNMEA(options.ggaRate, options.gsaRate, options.gsvRate, options.rmcRate,
                              static_cast<uint32_t>(baud));
    progress.SetText(QStringLiteral("Switching back to NMEA..."));
    SleepResponsive(progress, kSettleMs);
    progress.Step();

    // A fresh open, so the NMEA framer starts on a clean stream.
    progress.SetText(QStringLiteral("Cycling connection..."));
    m_link.Close();
    m_link.Port().SetReaderPaused(false);
    m_link.ResumeWatchdog();
    SleepResponsive(progress, kSettleMs);
    result.reconnected = m_link.StartReader(port, baud, false) == 1;
    progress.Step();

    if (result.dgpsSource && result.dgpsControl && result.staticNavigation)
        result.resultText = QStringLiteral("Settings Successful. ");
}

void CSiRFSetup::PollVersion(IProgressWindow& progress, SiRFSetupResult& result)
{
    const uint32_t before = m_binary.VersionCount();
    m_binary.SendPollSoftwareVersion();
    for (int i = 0; i < kVersionPolls && m_binary.VersionCount() == before; ++i) {
        SleepResponsive(progress, 100);
        m_binary.PumpBinary();
    }
    if (m_binary.VersionCount() != before) {
        result.versionReceived = true;
        result.version = QString::fromLatin1(m_binary.VersionText());
    }
}

void CSiRFSetup::Report(const SiRFSetupResult& result)
{
    if (result.resultText.isEmpty()) {
        Prompts().Ask(QString::fromLatin1(kResultsMessage)
                          .arg(PassFail(result.versionReceived), PassFail(result.dgpsControl),
                               PassFail(result.dgpsSource), PassFail(result.staticNavigation)),
                      QString(), PromptButtons::Ok, PromptIcon::Error);
    }
    if (result.versionReceived) {
        Prompts().Ask(QStringLiteral("%1Receiver reported version:\n\n%2")
                          .arg(result.resultText, result.version),
                      QString(), PromptButtons::Ok, PromptIcon::Information);
    }
}
