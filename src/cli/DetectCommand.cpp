// wendrift-cli detect: searches serial devices for a GPS receiver and checks its sentences.

#include "cli/CliCommand.h"
#include "cli/JsonLine.h"
#include "gps/GpsDetection.h"
#include "gps/GpsLink.h"
#include "gps/NMEAParser.h"
#include "gps/PortNames.h"
#include "gps/SerialPort.h"

#include <QCoreApplication>
#include <QTimer>

#include <cstdio>

namespace {

const char kHelp[] =
    "Usage: wendrift-cli detect [--device PATH]...\n\n"
    "Searches for a GPS receiver as the Find GPS dialog does: opens each device at 4800, 9600,\n"
    "19200 and 57600 baud, waits two seconds for a sentence with a valid checksum, then gives\n"
    "the receiver ten seconds to send GPGGA, GPGSV, GPGSA and GPRMC. Without --device every\n"
    "serial device of the system is tried. A found device and baud rate are stored as the\n"
    "link's settings. Prints each state change and, at the end, the result:\n"
    "{\"found\": ..., \"device\": ..., \"baud\": ..., \"pass\": {...}, \"message\": ...}\n";

QByteArray NullOr(const QString& text)
{
    return text.isEmpty() ? QByteArray("null") : JsonString(text);
}

void PrintResult(const CGpsDetection& detection)
{
    const bool found = detection.Result() == CGpsDetection::Outcome::Found;
    // A receiver that lacks sentences was found all the same; its device and rate are stored.
    const bool located = found || detection.Result() == CGpsDetection::Outcome::Unsupported;
    CJsonObject pass;
    for (int s = CGpsDetection::GGA; s <= CGpsDetection::RMC; ++s) {
        const auto sentence = static_cast<CGpsDetection::Sentence>(s);
        pass.Add(CGpsDetection::SentenceName(sentence), detection.ResultText(sentence));
    }
    CJsonObject line;
    line.Add("found", found)
        .AddRaw("device", NullOr(located ? detection.CurrentDevice() : QString()))
        .AddRaw("baud", located ? QByteArray::number(detection.Baud()) : QByteArray("null"))
        .AddRaw("pass", pass.Text())
        .Add("message", detection.Message());
    line.Print();
}

int RunDetect(const QStringList& args)
{
    if (WantsHelp(args))
        return PrintHelp(kHelp);
    QStringList devices;
    for (qsizetype i = 0; i < args.size(); ++i) {
        if (args[i] == QLatin1String("--device") && i + 1 < args.size())
            devices.append(args[++i]);
        else
            return CliError(QStringLiteral("detect: unexpected %1 (see --help)").arg(args[i]));
    }
    if (devices.isEmpty()) {
        for (const SerialPortEntry& entry : ListSerialPorts())
            devices.append(entry.device);
    }
    std::setvbuf(stdout, nullptr, _IOLBF, 0);

    CNMEAParser parser;
    CSerialPort port;
    CGpsLink link(port, parser, nullptr);
    CGpsDetection detection(link, devices);
    QObject::connect(
        &detection, &CGpsDetection::PortShown, [](int index, const QString& device, int baud) {
            CJsonObject().Add("port_index", index).Add("device", device).Add("baud", baud).Print();
        });
    QObject::connect(&detection, &CGpsDetection::SentencePassed,
                     [](CGpsDetection::Sentence sentence) {
                         CJsonObject().Add("pass", CGpsDetection::SentenceName(sentence)).Print();
                     });
    QObject::connect(&detection, &CGpsDetection::Finished, [] { QCoreApplication::quit(); });

    detection.Start();
    int lastState = -1;
    QTimer ticker;
    QObject::connect(&ticker, &QTimer::timeout, [&] {
        detection.Tick();
        if (detection.State() != lastState && !detection.IsFinished()) {
            lastState = detection.State();
            CJsonObject().Add("state", lastState).Add("status", detection.StatusText()).Print();
        }
    });
    ticker.start(CGpsDetection::kTickMs);
    QCoreApplication::exec();
    PrintResult(detection);
    return detection.Result() == CGpsDetection::Outcome::Found ? kExitOk : kExitFailure;
}

const CliCommandRegistration registration({"detect", "search serial devices for a GPS receiver",
                                           &RunDetect});

} // namespace
