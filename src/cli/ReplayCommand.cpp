// wendrift-cli replay: plays an NMEA recording through the map window's per-fix work (track,
// navigation, alarms, trip computer) and prints what happened.

#include "cli/CliCommand.h"
#include "cli/JsonLine.h"
#include "nav/LogReplay.h"
#include "nav/PanelItems.h"
#include "nav/TrackFileCommands.h"
#include "platform/Clock.h"

#include <QFile>
#include <QFileInfo>

#include <cstdio>
#include <memory>
#include <optional>

namespace {

const char kHelp[] =
    "Usage: wendrift-cli replay LOG [--track FILE] [--db DB [--goto NAME]] [--now EPOCH]\n"
    "                           [--panel]\n\n"
    "Feeds the NMEA recording LOG to the decoder in 128-byte chunks and runs, for every GGA\n"
    "sentence, what the map window runs: trip computer, track filter, course, proximity alarms\n"
    "and arrival, with the settings of section \"Map\" of the settings store. The map view's\n"
    "one-second check runs once between GGA sentences of different seconds. Prints one line\n"
    "per event, {\"event\": \"arrived\" | \"alarm\" | \"navigation_stopped\", \"name\", \"n\"}\n"
    "(n: the number of the GGA sentence, counting every sentence from 1), then a summary line\n"
    "{\"summary\": {points, segments, odometer_km, avg_speed_kt, max_speed_kt, max_alt,\n"
    "min_alt, ascent, descent, course, time_to_next}}.\n\n"
    "  --track FILE  load the track file FILE first and save the track to it at the end\n"
    "  --db DB       load the waypoint database DB (not changed) for alarms and navigation\n"
    "  --goto NAME   navigate to the waypoint NAME of DB from the start\n"
    "  --now EPOCH   hold the clock at EPOCH (seconds since 1970 UTC); without it the clock\n"
    "                follows the times of the log\n"
    "  --panel       then print every panel item, {\"kind\", \"value\", \"label\", \"units\",\n"
    "                \"detail\"} for kinds 0 to 30\n";

struct ReplayOptions {
    QString log;
    QString track;
    QString db;
    QString target;
    std::optional<int64_t> now;
    bool panel = false;
};

// Parses the arguments into `options`; an error text, empty when they are good.
QString ParseOptions(const QStringList& args, ReplayOptions& options)
{
    for (int i = 0; i < args.size(); ++i) {
        const QString& arg = args[i];
        const bool hasValue = i + 1 < args.size();
        if (arg == QLatin1String("--panel")) {
            options.panel = true;
        } else if (arg == QLatin1String("--track") && hasValue) {
            options.track = args[++i];
        } else if (arg == QLatin1String("--db") && hasValue) {
            options.db = args[++i];
        } else if (arg == QLatin1String("--goto") && hasValue) {
            options.target = args[++i];
        } else if (arg == QLatin1String("--now") && hasValue) {
            bool ok = false;
            options.now = args[++i].toLongLong(&ok);
            if (!ok || *options.now < 0)
                return QStringLiteral("replay: --now needs seconds since 1970, not %1")
                    .arg(args[i]);
        } else if (arg.startsWith(u'-')) {
            return QStringLiteral("replay: unknown option or missing value: %1").arg(arg);
        } else if (options.log.isEmpty()) {
            options.log = arg;
        } else {
            return QStringLiteral("replay: only one LOG, please");
        }
    }
    if (options.log.isEmpty())
        return QStringLiteral("replay: give the LOG to play (see --help)");
    if (!options.target.isEmpty() && options.db.isEmpty())
        return QStringLiteral("replay: --goto needs --db");
    return {};
}

// The first waypoint of that name in store order.
const CWaypoint* FindByName(const CWaypointDB& store, const QString& name)
{
    for (int cell = 0; cell < CWaypointDB::kCellCount; ++cell) {
        for (const CWaypoint& waypoint : store.CellWaypoints(cell)) {
            if (waypoint.strName == name)
                return &waypoint;
        }
    }
    return nullptr;
}

class CEventPrinter : public IReplayEvents {
public:
    void Arrived(const CWaypoint& target, uint32_t n) override
    {
        CJsonObject().Add("event", "arrived").Add("name", target.strName).Add("n", n).Print();
    }
    void NavigationStopped(uint32_t n) override
    {
        CJsonObject().Add("event", "navigation_stopped").Add("n", n).Print();
    }
    void Alarm(const CWaypoint& waypoint, uint32_t n) override
    {
        CJsonObject().Add("event", "alarm").Add("name", waypoint.strName).Add("n", n).Print();
    }
};

int CountSegments(const CTrackLog& track)
{
    int segments = 0;
    for (int i = 0; i < track.GetCount(); ++i)
        segments += track.PointAt(i).segmentStart ? 1 : 0;
    return segments;
}

void PrintSummary(CLogReplay& replay)
{
    const CTripComputer& trip = replay.TripComputer();
    CJsonObject summary;
    summary.Add("points", replay.Track().GetCount())
        .Add("segments", CountSegments(replay.Track()))
        .Add("odometer_km", trip.Odometer())
        .Add("avg_speed_kt", trip.AverageSpeed())
        .Add("max_speed_kt", trip.MaximumSpeed())
        .Add("max_alt", trip.MaximumAltitude())
        .Add("min_alt", trip.MinimumAltitude())
        .Add("ascent", trip.AscentSum())
        .Add("descent", trip.DescentSum())
        .Add("course", replay.Processor().DisplayedCourse())
        .Add("time_to_next", trip.TimeToNext());
    CJsonObject().AddRaw("summary", summary.Text()).Print();
}

void PrintPanel(CLogReplay& replay)
{
    const PanelItemSources sources{replay.Parser(), replay.Navigation(), replay.TripComputer(),
                                   replay.Processor().DisplayedCourse()};
    for (int kind = 0; kind < kPanelItemKindCount; ++kind) {
        const PanelItemTexts texts = FormatPanelItem(kind, sources);
        CJsonObject()
            .Add("kind", kind)
            .Add("value", texts.value)
            .Add("label", texts.label)
            .Add("units", texts.units)
            .Add("detail", texts.detail)
            .Print();
    }
}

int RunReplay(const QStringList& args)
{
    if (WantsHelp(args))
        return PrintHelp(kHelp);
    ReplayOptions options;
    if (const QString error = ParseOptions(args, options); !error.isEmpty())
        return CliError(error);

    QFile logFile(options.log);
    if (!logFile.open(QIODevice::ReadOnly))
        return CliError(QStringLiteral("replay: cannot open %1").arg(options.log));
    const QByteArray log = logFile.readAll();
    if (logFile.error() != QFileDevice::NoError)
        return CliError(QStringLiteral("replay: read error in %1").arg(options.log));

    // The trip computer starts its clock when it is made, so the clock is set first.
    Clock::Pin(options.now ? *options.now : int64_t{FirstFixTimeStamp(log)});
    const auto replay = std::make_unique<CLogReplay>(!options.now);

    if (!options.db.isEmpty()) {
        const WaypointLoadResult loaded = replay->Store().Load(options.db, false);
        if (!loaded.Succeeded())
            return CliError(
                QStringLiteral("replay: cannot read the waypoint database %1").arg(options.db));
        if (loaded.status == WaypointLoadStatus::Damaged)
            std::fprintf(stderr, "wendrift-cli: replay: %s is damaged; %d waypoints read\n",
                         qUtf8Printable(options.db), loaded.recordsRead);
    }
    // A track file that is not there yet starts an empty track; one that is there but cannot
    // be read is not saved over.
    if (!options.track.isEmpty() && !LoadTrack(replay->Track(), options.track) &&
        QFileInfo::exists(options.track))
        return CliError(QStringLiteral("replay: cannot read the track file %1").arg(options.track));
    replay->Start();
    if (!options.target.isEmpty()) {
        const CWaypoint* target = FindByName(replay->Store(), options.target);
        if (!target)
            return CliError(QStringLiteral("replay: no waypoint named %1 in %2")
                                .arg(options.target, options.db));
        replay->Navigation().GoTo(*target);
    }

    CEventPrinter printer;
    replay->SetEvents(&printer);
    replay->Feed(log);

    PrintSummary(*replay);
    if (options.panel)
        PrintPanel(*replay);
    if (!options.track.isEmpty() && !SaveTrack(replay->Track(), options.track))
        return CliError(QStringLiteral("replay: cannot save the track to %1").arg(options.track));
    return kExitOk;
}

const CliCommandRegistration registration(
    {"replay", "play an NMEA recording through track, navigation and trip computer", &RunReplay});

} // namespace
