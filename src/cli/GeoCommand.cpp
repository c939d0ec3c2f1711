// wendrift-cli geo: distances, bearings, destination points, cross-track errors and coordinate
// texts, computed exactly as the program computes them.

#include "cli/CliCommand.h"
#include "cli/JsonLine.h"
#include "geo/Geodesy.h"
#include "geo/Units.h"

#include <cmath>
#include <optional>

namespace {

const char kHelp[] =
    "Usage: wendrift-cli geo distance LAT1 LON1 LAT2 LON2\n"
    "       wendrift-cli geo project LAT LON KM BEARING\n"
    "       wendrift-cli geo xte A_LAT A_LON B_LAT B_LON X_LAT X_LON\n"
    "       wendrift-cli geo format LAT LON [--position-format N]\n\n"
    "Coordinates are decimal degrees (negative south and west), distances kilometres,\n"
    "bearings degrees true. Positions are held in microdegrees, truncated toward zero.\n\n"
    "  distance  great-circle distance {\"km\"} and the bearing {\"bearing\"} in which point 2\n"
    "            lies seen from point 1\n"
    "  project   the point KM away along BEARING, in microdegrees {\"lat_e6\", \"lon_e6\"}\n"
    "  xte       cross-track error of X against the leg A->B, positive right of the leg:\n"
    "            {\"rad\", \"nmi\", \"km\"}\n"
    "  format    the latitude and longitude texts {\"lat\", \"lon\"} in the position format N\n"
    "            (0 degrees and minutes, 1 degrees, minutes and seconds, 2 decimal degrees);\n"
    "            without the option the stored \"PositionFormat\" setting applies\n";

enum class Kind { Any, Latitude, Longitude };

// A finite decimal number; latitudes and longitudes must also lie on the globe.
std::optional<double> ParseNumber(const QString& text, Kind kind)
{
    bool ok = false;
    const double value = text.toDouble(&ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    if ((kind == Kind::Latitude && std::fabs(value) > 90.0) ||
        (kind == Kind::Longitude && std::fabs(value) > 180.0))
        return std::nullopt;
    return value;
}

const char* KindName(Kind kind)
{
    switch (kind) {
    case Kind::Latitude:
        return "latitude (-90 to 90)";
    case Kind::Longitude:
        return "longitude (-180 to 180)";
    default:
        return "number";
    }
}

// Parses `args` as the numbers `kinds` asks for; on failure reports and sets `status`.
std::optional<QList<double>> ParseNumbers(const QString& verb, const QStringList& args,
                                          std::initializer_list<Kind> kinds, int& status)
{
    if (args.size() != static_cast<qsizetype>(kinds.size())) {
        status = CliError(QStringLiteral("geo %1: expected %2 numbers, got %3 (see geo --help)")
                              .arg(verb)
                              .arg(kinds.size())
                              .arg(args.size()));
        return std::nullopt;
    }
    QList<double> values;
    qsizetype i = 0;
    for (const Kind kind : kinds) {
        const std::optional<double> value = ParseNumber(args[i], kind);
        if (!value) {
            status = CliError(QStringLiteral("geo %1: \"%2\" is not a valid %3")
                                  .arg(verb, args[i], QLatin1String(KindName(kind))));
            return std::nullopt;
        }
        values.append(*value);
        ++i;
    }
    return values;
}

int RunDistance(const QStringList& args)
{
    int status = kExitOk;
    const auto v =
        ParseNumbers(QStringLiteral("distance"), args,
                     {Kind::Latitude, Kind::Longitude, Kind::Latitude, Kind::Longitude}, status);
    if (!v)
        return status;
    const GeoPosition from = GeoPositionFromDegrees((*v)[0], (*v)[1]);
    const GeoPosition to = GeoPositionFromDegrees((*v)[2], (*v)[3]);
    CJsonObject()
        .Add("km", HaversineDistance((*v)[1], (*v)[0], (*v)[3], (*v)[2]))
        .Add("bearing", PositionBearing(to, from))
        .Print();
    return kExitOk;
}

int RunProject(const QStringList& args)
{
    int status = kExitOk;
    const auto v = ParseNumbers(QStringLiteral("project"), args,
                                {Kind::Latitude, Kind::Longitude, Kind::Any, Kind::Any}, status);
    if (!v)
        return status;
    const GeoPosition end =
        DestinationPoint(GeoPositionFromDegrees((*v)[0], (*v)[1]), (*v)[2], (*v)[3]);
    CJsonObject().Add("lat_e6", end.latitude).Add("lon_e6", end.longitude).Print();
    return kExitOk;
}

int RunCrossTrack(const QStringList& args)
{
    int status = kExitOk;
    const auto v = ParseNumbers(QStringLiteral("xte"), args,
                                {Kind::Latitude, Kind::Longitude, Kind::Latitude, Kind::Longitude,
                                 Kind::Latitude, Kind::Longitude},
                                status);
    if (!v)
        return status;
    const double radians = CrossTrackAngle(GeoPositionFromDegrees((*v)[0], (*v)[1]),
                                           GeoPositionFromDegrees((*v)[2], (*v)[3]),
                                           GeoPositionFromDegrees((*v)[4], (*v)[5]));
    const double nauticalMiles = radians * kNauticalMilesPerRadian;
    CJsonObject()
        .Add("rad", radians)
        .Add("nmi", nauticalMiles)
        .Add("km", nauticalMiles * kKmPerNauticalMile)
        .Print();
    return kExitOk;
}

int RunFormat(QStringList args)
{
    std::optional<int> positionFormat;
    const qsizetype option = args.indexOf(QLatin1String("--position-format"));
    if (option >= 0) {
        bool ok = false;
        const int value = option + 1 < args.size() ? args[option + 1].toInt(&ok) : 0;
        if (!ok)
            return CliError(QStringLiteral("geo format: --position-format needs an integer"));
        positionFormat = value;
        args.remove(option, 2);
    }
    int status = kExitOk;
    const auto v =
        ParseNumbers(QStringLiteral("format"), args, {Kind::Latitude, Kind::Longitude}, status);
    if (!v)
        return status;
    const int format = positionFormat.value_or(PositionFormat());
    CJsonObject()
        .Add("lat", FormatLatitude((*v)[0], format))
        .Add("lon", FormatLongitude((*v)[1], format))
        .Print();
    return kExitOk;
}

int RunGeo(const QStringList& args)
{
    if (WantsHelp(args))
        return PrintHelp(kHelp);
    if (args.isEmpty())
        return CliError(QStringLiteral("geo: name an operation: distance, project, xte or format"));
    const QString verb = args.first();
    const QStringList rest = args.mid(1);
    if (verb == QLatin1String("distance"))
        return RunDistance(rest);
    if (verb == QLatin1String("project"))
        return RunProject(rest);
    if (verb == QLatin1String("xte"))
        return RunCrossTrack(rest);
    if (verb == QLatin1String("format"))
        return RunFormat(rest);
    return CliError(QStringLiteral("geo: unknown operation %1 (see geo --help)").arg(verb));
}

const CliCommandRegistration
    registration({"geo", "distances, bearings, projections and coordinate texts", &RunGeo});

} // namespace
