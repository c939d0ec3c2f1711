#include "cli/DecodeOutput.h"

#include "cli/JsonLine.h"
#include "gps/NMEAParser.h"
#include "gps/NmeaFields.h"
#include "platform/Messages.h"

#include <algorithm>
#include <cstdio>

namespace {

QString Latin1(const char* text)
{
    return QString::fromLatin1(text);
}

void AddGga(CJsonObject& line, const GgaState& gga)
{
    line.Add("hour", gga.hour)
        .Add("minute", gga.minute)
        .Add("second", gga.second)
        .Add("seconds", gga.seconds)
        .Add("lat", gga.latitude)
        .Add("lon", gga.longitude)
        .Add("quality", gga.quality)
        .Add("sats_used", gga.satellitesUsed)
        .Add("hdop", gga.hdop)
        .Add("alt", gga.altitude)
        .Add("vspeed", gga.verticalSpeed);
}

void AddGsa(CJsonObject& line, const GsaState& gsa)
{
    // The first GSA's twelve fields, and the PRNs further GSA sentences of the epoch added.
    CJsonArray prns;
    for (int i = 0; i < std::max(12, int(gsa.inUseCount)); ++i)
        prns.Add(gsa.prnsInUse[i]);
    line.AddChar("mode", gsa.mode)
        .Add("fix_type", gsa.fixType)
        .AddRaw("prns", prns.Text())
        .Add("pdop", gsa.pdop)
        .Add("hdop", gsa.hdop)
        .Add("vdop", gsa.vdop);
}

void AddGsv(CJsonObject& line, const CNMEAParser& parser)
{
    const CNmeaFields fields(parser.CurrentData());
    std::string_view text;
    fields.Field(0, text);
    const int total = IntegerValue(text);
    fields.Field(1, text);
    const int number = IntegerValue(text);
    const GsvState& gsv = parser.Gsv();
    CJsonArray sats;
    for (const int8_t slot : parser.LastGsvSlots()) {
        if (slot < 0)
            continue;
        const SatelliteEntry& entry = gsv.satellites[slot];
        sats.Add(CJsonObject()
                     .Add("prn", entry.nPRN)
                     .Add("el", entry.nElevation)
                     .Add("az", entry.nAzimuth)
                     .Add("snr", entry.nSNR)
                     .Add("used", entry.bUsed));
    }
    // With every talker decoded, which constellation's satellites these are.
    if (parser.GetGnssTalkers() == GnssTalkers::All)
        line.Add("talker", QString::fromLatin1(parser.CurrentAddress(), 2));
    line.Add("total", total)
        .Add("msg", number)
        .Add("in_view", gsv.satellitesInView)
        .AddRaw("sats", sats.Text());
}

void AddRmb(CJsonObject& line, const RmbState& rmb)
{
    line.AddChar("status", rmb.status)
        .Add("xte", rmb.crossTrackError)
        .AddChar("steer", rmb.steer)
        .Add("origin", Latin1(rmb.originId))
        .Add("dest", Latin1(rmb.destinationId))
        .Add("dest_lat", rmb.destinationLatitude)
        .Add("dest_lon", rmb.destinationLongitude)
        .Add("range", rmb.range)
        .Add("bearing", rmb.bearing)
        .Add("vmg", rmb.closingVelocity)
        .AddChar("arrival", rmb.arrival);
}

void AddRmc(CJsonObject& line, const RmcState& rmc)
{
    line.Add("hour", rmc.hour)
        .Add("minute", rmc.minute)
        .Add("second", rmc.second)
        .AddChar("status", rmc.status)
        .Add("lat", rmc.latitude)
        .Add("lon", rmc.longitude)
        .Add("speed", rmc.speed)
        .Add("course", rmc.course)
        .Add("day", rmc.day)
        .Add("month", rmc.month)
        .Add("year", rmc.year)
        .Add("magvar", rmc.magneticVariation)
        .Add("accel", rmc.acceleration);
}

void AddZda(CJsonObject& line, const ZdaState& zda)
{
    line.Add("hour", zda.hour)
        .Add("minute", zda.minute)
        .Add("second", zda.second)
        .Add("day", zda.day)
        .Add("month", zda.month)
        .Add("year", zda.year)
        .Add("zone_hours", zda.zoneHours)
        .Add("zone_minutes", zda.zoneMinutes);
}

} // namespace

CDecodePrinter::CDecodePrinter(const CNMEAParser& parser) : m_parser(parser)
{}

void CDecodePrinter::Post(uint32_t message)
{
    if (message != WM_GPS_UPDATE)
        return;
    const QByteArray line = CurrentLine() + '\n';
    std::fwrite(line.constData(), 1, static_cast<size_t>(line.size()), stdout);
}

QByteArray CDecodePrinter::CurrentLine()
{
    const DispatchedSentence& sentence = m_parser.LastSentence();
    CJsonObject line;
    line.Add("n", m_parser.GetSentenceCount()).Add("sentence", Latin1(m_parser.CurrentAddress()));
    if (sentence.type == SentenceType::None)
        return line.Text();
    if (!sentence.decoded)
        return line.Add("ignored", true).Text();
    switch (sentence.type) {
    case SentenceType::GGA:
        AddGga(line, m_parser.Gga());
        break;
    case SentenceType::GSA:
        AddGsa(line, m_parser.Gsa());
        break;
    case SentenceType::GSV:
        AddGsv(line, m_parser);
        break;
    case SentenceType::RMB:
        AddRmb(line, m_parser.Rmb());
        break;
    case SentenceType::RMC:
        AddRmc(line, m_parser.Rmc());
        break;
    case SentenceType::ZDA:
        AddZda(line, m_parser.Zda());
        break;
    case SentenceType::None:
        break;
    }
    return line.Text();
}

QByteArray CDecodePrinter::SummaryLine() const
{
    CJsonObject counts;
    counts.Add("sentences", m_parser.GetSentenceCount())
        .Add("gga", m_parser.Gga().count)
        .Add("gsa", m_parser.Gsa().count)
        .Add("gsv", m_parser.Gsv().count)
        .Add("rmb", m_parser.Rmb().count)
        .Add("rmc", m_parser.Rmc().count)
        .Add("zda", m_parser.Zda().count);
    return CJsonObject().AddRaw("summary", counts.Text()).Text();
}
