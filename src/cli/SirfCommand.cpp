// wendrift-cli sirf: configures a SiRF-based receiver as the two SiRF menu commands do.

#include "app/SettingsStore.h"
#include "cli/CliCommand.h"
#include "cli/JsonLine.h"
#include "gps/GpsLink.h"
#include "gps/NMEAParser.h"
#include "gps/PortNames.h"
#include "gps/ProgressWindow.h"
#include "gps/SerialPort.h"
#include "gps/SiRFBinary.h"
#include "gps/SiRFSetup.h"
#include "platform/Prompts.h"

#include <QCoreApplication>

#include <cstdio>

namespace {

const char kHelp[] =
    "Usage: wendrift-cli sirf DEVICE --output-settings\n"
    "       wendrift-cli sirf DEVICE --params [--waas on|off] [--static on|off] [--gga N]\n"
    "                                [--rmc N] [--gsv N] [--gsa N]\n\n"
    "--output-settings sends the NMEA commands that set the sentence rates (VTG off, GGA and\n"
    "RMC every second, GSV and GSA every two). --params switches the receiver to SiRF binary,\n"
    "polls its software version, sets WAAS/EGNOS (default on) and static navigation (default\n"
    "off), switches it back to NMEA with the given periods in seconds (defaults GGA 1, RMC 1,\n"
    "GSV 2, GSA 2) and reconnects. DEVICE is opened at the stored \"Baud\" (4800 by default).\n"
    "Running the command answers its confirmation questions; each step, message and result is\n"
    "printed as a JSON line.\n";

// Running the command is the user's yes; messages are reported, not shown.
class CCommandLinePrompts : public IPrompts {
public:
    PromptAnswer Ask(const QString& text, const QString&, PromptButtons buttons,
                     PromptIcon) override
    {
        const bool question = buttons != PromptButtons::Ok;
        CJsonObject().Add(question ? "question" : "message", text).Print();
        return question ? PromptAnswer::Yes : PromptAnswer::Ok;
    }
    QString AskFileName(const FileDialogRequest&) override { return {}; }
};

class CPrintedProgress : public IProgressWindow {
public:
    void Open(int range) override { m_range = range; }
    void SetText(const QString& text) override { CJsonObject().Add("step", text).Print(); }
    void Step() override { CJsonObject().Add("progress", ++m_value).Add("of", m_range).Print(); }
    void KeepResponsive() override { QCoreApplication::processEvents(); }
    void Close() override {}

private:
    int m_range = 0;
    int m_value = 0;
};

struct SirfOptions {
    QString device;
    bool outputSettings = false;
    bool params = false;
    SiRFSetupOptions setup;
};

bool ParseSwitch(const QString& text, bool* value)
{
    if (text != QLatin1String("on") && text != QLatin1String("off"))
        return false;
    *value = text == QLatin1String("on");
    return true;
}

// Empty on success, else what was wrong.
QString ParseOptions(const QStringList& args, SirfOptions& options)
{
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& arg = args[i];
        const QString value = i + 1 < args.size() ? args[i + 1] : QString();
        bool ok = true;
        int* rate = arg == QLatin1String("--gga")   ? &options.setup.ggaRate
                    : arg == QLatin1String("--rmc") ? &options.setup.rmcRate
                    : arg == QLatin1String("--gsv") ? &options.setup.gsvRate
                    : arg == QLatin1String("--gsa") ? &options.setup.gsaRate
                                                    : nullptr;
        if (arg == QLatin1String("--output-settings")) {
            options.outputSettings = true;
        } else if (arg == QLatin1String("--params")) {
            options.params = true;
        } else if (arg == QLatin1String("--waas")) {
            ok = ParseSwitch(value, &options.setup.waas);
            ++i;
        } else if (arg == QLatin1String("--static")) {
            ok = ParseSwitch(value, &options.setup.staticNavigation);
            ++i;
        } else if (rate) {
            *rate = value.toInt(&ok);
            ok = ok && *rate >= 0 && *rate <= 255;
            ++i;
        } else if (arg.startsWith(u'-') || !options.device.isEmpty()) {
            return QStringLiteral("unexpected %1").arg(arg);
        } else {
            options.device = arg;
        }
        if (!ok)
            return QStringLiteral("bad value for %1").arg(arg);
    }
    if (options.device.isEmpty())
        return QStringLiteral("which DEVICE? (see --help)");
    if (options.outputSettings == options.params)
        return QStringLiteral("give one of --output-settings and --params");
    return {};
}

void PrintResult(const SiRFSetupResult& result)
{
    auto passFail = [](bool passed) { return passed ? "Pass" : "Fail"; };
    CJsonObject()
        .Add("software_version", passFail(result.versionReceived))
        .Add("version", result.version)
        .Add("dgps_source", passFail(result.dgpsSource))
        .Add("dgps_control", passFail(result.dgpsControl))
        .Add("static_nav", passFail(result.staticNavigation))
        .Add("reconnected", result.reconnected)
        .Add("result", result.resultText)
        .Print();
}

int RunSirf(const QStringList& args)
{
    if (WantsHelp(args))
        return PrintHelp(kHelp);
    SirfOptions options;
    const QString problem = ParseOptions(args, options);
    if (!problem.isEmpty())
        return CliError(QStringLiteral("sirf: ") + problem);
    std::setvbuf(stdout, nullptr, _IOLBF, 0);

    CCommandLinePrompts prompts;
    SetPrompts(&prompts);
    CNMEAParser parser;
    CSerialPort port;
    CGpsLink link(port, parser, nullptr);
    const int baud = ReadIntSetting(QString::fromLatin1(kSerialSection),
                                    QString::fromLatin1(kBaudKey), kDefaultBaud);
    link.UseFixedDevice(options.device, baud);
    const bool opened = link.StartReader(0, baud, true) == 1;
    CSiRFBinary binary(&port);
    CSiRFSetup setup(link, binary);
    int status = kExitOk;
    if (options.outputSettings) {
        const auto sent = setup.RunOutputSettings();
        for (const CSiRFSetup::SentCommand& command : *sent) {
            CJsonObject()
                .Add("sent", QString::fromLatin1(command.sentence))
                .Add("written", command.written)
                .Print();
            if (!command.written)
                status = kExitFailure;
        }
    } else {
        CPrintedProgress progress;
        const auto result = setup.RunParameterSettings(progress, [&](SiRFSetupOptions& chosen) {
            chosen = options.setup;
            return true;
        });
        PrintResult(*result);
        if (!result->resultText.startsWith(QLatin1String("Settings Successful")))
            status = kExitFailure;
    }
    link.Close();
    SetPrompts(nullptr);
    return opened ? status : kExitFailure;
}

const CliCommandRegistration registration(
    {"sirf", "configure a SiRF-based receiver (sentence rates, WAAS, static nav)", &RunSirf});

} // namespace
