#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include <functional>
#include <optional>

class CGpsLink;
class CSiRFBinary;
class IProgressWindow;

// What the "SiRF GPS Setup" dialog asks for.
struct SiRFSetupOptions {
    bool waas = true;
    bool staticNavigation = false;
    // NMEA periods in seconds (0 = off).
    int ggaRate = 1;
    int rmcRate = 1;
    int gsvRate = 2;
    int gsaRate = 2;
};

struct SiRFSetupResult {
    bool versionReceived = false;
    QString version;
    bool dgpsSource = false;
    bool dgpsControl = false;
    bool staticNavigation = false;
    bool reconnected = false;
    QString resultText; // "Settings Successful. " when all three settings were acknowledged
};

// The two receiver-configuration commands for SiRF-based receivers.
class CSiRFSetup {
public:
    CSiRFSetup(CGpsLink& link, CSiRFBinary& binary) : m_link(link), m_binary(binary) {}

    struct SentCommand {
        QByteArray sentence; // without the CR LF
        bool written;
    };
    // Asks, then sends the NMEA output rates (VTG off, GGA 1, RMC 1, GSV 2, GSA 2), blindly,
    // keeping `window` (when given) responsive in the pauses between them. The sentences sent,
    // or nothing when the user declined.
    std::optional<QList<SentCommand>> RunOutputSettings(IProgressWindow* window = nullptr);

    // Asks, runs the dialog (`runDialog` fills the options; false = Cancel), then switches the
    // receiver to binary, polls its version, sets SBAS and static navigation, switches it back
    // to NMEA and reconnects. Nothing when the user declined or cancelled.
    std::optional<SiRFSetupResult>
    RunParameterSettings(IProgressWindow& progress,
                         const std::function<bool(SiRFSetupOptions&)>& runDialog);

private:
    void Configure(IProgressWindow& progress, const SiRFSetupOptions& options, int port, int baud,
                   SiRFSetupResult& result);
    void PollVersion(IProgressWindow& progress, SiRFSetupResult& result);
    void Report(const SiRFSetupResult& result);

    CGpsLink& m_link;
    CSiRFBinary& m_binary;
};
