// Receivers that report GPS with GLONASS, Galileo and BeiDou under several talkers: one fix per
// epoch, and satellites and used flags as another decoder read them.

#include "gps/NMEAParser.h"
#include "platform/Messages.h"
#include "support/Captures.h"
#include "support/RecordingSink.h"
#include "support/TestData.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSet>

#include <gtest/gtest.h>

namespace {

// The constellation gpsd's reports number a satellite in ("gnssid").
Constellation ReportedConstellation(int gnssId)
{
    static const Constellation kByGnssId[] = {
        Constellation::GPS, Constellation::SBAS, Constellation::Galileo, Constellation::BeiDou,
        Constellation::GPS, Constellation::QZSS, Constellation::GLONASS, Constellation::NavIC};
    return gnssId >= 0 && gnssId < 8 ? kByGnssId[gnssId] : Constellation::GPS;
}

// gpsd's own number of a satellite ("svid") for an entry of the table.
int ReportedSvid(const SatelliteEntry& entry)
{
    const int prn = entry.nPRN;
    switch (entry.constellation) {
    case Constellation::SBAS:
        return prn <= 64 ? prn + 87 : prn;
    case Constellation::GLONASS:
        return prn > 64 ? prn - 64 : prn;
    case Constellation::BeiDou:
        return prn > 400 ? prn - 400 : prn > 200 ? prn - 200 : prn;
    case Constellation::Galileo:
        return prn > 300 ? prn - 300 : prn;
    default:
        return prn;
    }
}

struct Agreement {
    QList<QByteArray> ggaEpochs; // time fields of the GGA sentences of every talker, in order
    QList<QByteArray> ggaFixes;  // time fields of the GGA sentences that wrote the fix
    QList<QByteArray> rmcEpochs;
    QList<QByteArray> rmcFixes;
    int positions = 0;
    int skies = 0;
    int usedFlags = 0;
};

QList<QByteArray> WithoutRepeats(const QList<QByteArray>& times)
{
    QList<QByteArray> distinct;
    for (const QByteArray& time : times)
        if (distinct.isEmpty() || distinct.last() != time)
            distinct.append(time);
    return distinct;
}

// Compares the table with a SKY report of the same constellations (the other decoder reports
// an epoch's satellites as its GSV sequences come in): as many satellites, each of them used
// when the report has it used on any of its signals.
void CompareSky(const QJsonObject& sky, const GsvState& gsv, const QString& name,
                Agreement& agreement)
{
    QHash<QPair<int, int>, bool> reported;
    QSet<int> reportedConstellations;
    for (const QJsonValue& value : sky.value(QLatin1String("satellites")).toArray()) {
        const QJsonObject satellite = value.toObject();
        const int constellation =
            static_cast<int>(ReportedConstellation(satellite.value("gnssid").toInt()));
        const auto key = qMakePair(constellation, satellite.value("svid").toInt());
        reported[key] = reported.value(key) || satellite.value("used").toBool();
        reportedConstellations.insert(constellation);
    }
    for (const SatelliteEntry& entry : gsv.satellites)
        if (entry.nPRN != 0 && !reportedConstellations.contains(int(entry.constellation)))
            return;
    EXPECT_EQ(gsv.satellitesInView, reported.size()) << "SKY " << agreement.skies;
    ++agreement.skies;
    // The other decoder read the GSA sentences of NMEA 4.11 wrongly for Galileo and BeiDou: it
    // has them all unused, and Galileo's satellite 33 as SBAS satellite 120.
    const bool galileoAndBeiDouReported = name != QLatin1String("ublox-zed-f9p-nmea.log");
    for (const SatelliteEntry& entry : gsv.satellites) {
        if (entry.nPRN == 0 ||
            (!galileoAndBeiDouReported && (entry.constellation == Constellation::Galileo ||
                                           entry.constellation == Constellation::BeiDou)))
            continue;
        const auto key = qMakePair(static_cast<int>(entry.constellation), ReportedSvid(entry));
        ASSERT_TRUE(reported.contains(key)) << "satellite " << entry.nPRN << " not reported";
        EXPECT_EQ(entry.bUsed != 0, reported.value(key)) << "satellite " << entry.nPRN;
        ++agreement.usedFlags;
    }
}

// Feeds the sentences the other decoder accepted one at a time and compares the fix with the
// reports each of them caused.
Agreement CompareWithReports(const QString& name)
{
    const QList<QByteArray> lines = ReadCapture(name + QStringLiteral(".chk")).split('\n');
    CRecordingSink sink;
    CNMEAParser parser(&sink);
    Agreement agreement;
    double latitude = 0;
    double longitude = 0;
    bool haveFix = false;
    for (const QByteArray& raw : lines) {
        const QByteArray line = raw.trimmed();
        const QString where = name + QStringLiteral(": ") + QString::fromLatin1(line.left(60));
        if (line.startsWith('$')) {
            const QByteArray time = line.split(',').value(1);
            const uint32_t ggaCount = parser.Gga().count;
            const uint32_t rmcCount = parser.Rmc().count;
            sink.messages.clear();
            const QByteArray sentence = line + "\r\n";
            parser.ProcessBytes(reinterpret_cast<const uint8_t*>(sentence.constData()),
                                static_cast<size_t>(sentence.size()));
            if (parser.Gga().count != ggaCount)
                agreement.ggaEpochs.append(time);
            if (parser.Rmc().count != rmcCount)
                agreement.rmcEpochs.append(time);
            if (sink.messages.contains(WM_GPS_GGA)) {
                agreement.ggaFixes.append(time);
                latitude = parser.Gga().latitude;
                longitude = parser.Gga().longitude;
                haveFix = parser.Gga().quality > 0;
            }
            if (sink.messages.contains(WM_GPS_RMC)) {
                agreement.rmcFixes.append(time);
                latitude = parser.Rmc().latitude;
                longitude = parser.Rmc().longitude;
                haveFix = parser.Rmc().status == 'A';
            }
            continue;
        }
        const QJsonObject report = QJsonDocument::fromJson(line).object();
        const QString kind = report.value(QLatin1String("class")).toString();
        if (kind == QLatin1String("TPV") && report.contains(QLatin1String("lat")) && haveFix) {
            // The sentences carry at least four decimals of minutes: 1.7e-6 degrees.
            EXPECT_NEAR(latitude, report.value(QLatin1String("lat")).toDouble(), 2e-6)
                << where.toStdString();
            EXPECT_NEAR(longitude, report.value(QLatin1String("lon")).toDouble(), 2e-6)
                << where.toStdString();
            ++agreement.positions;
        } else if (kind == QLatin1String("SKY") && report.contains(QLatin1String("satellites"))) {
            SCOPED_TRACE(where.toStdString());
            CompareSky(report, parser.Gsv(), name, agreement);
        }
    }
    return agreement;
}

TEST(MultiConstellation, OneFixPerEpochAgreeingWithTheRecordedReports)
{
    REQUIRE_TESTDATA();
    for (const QString& name : MultiConstellationCaptureNames()) {
        SCOPED_TRACE(name.toStdString());
        const Agreement agreement = CompareWithReports(name);
        EXPECT_EQ(agreement.ggaFixes, WithoutRepeats(agreement.ggaEpochs));
        EXPECT_EQ(agreement.rmcFixes, WithoutRepeats(agreement.rmcEpochs));
        EXPECT_GE(agreement.ggaFixes.size(), 3);
        EXPECT_GE(agreement.positions, 3);
        EXPECT_GE(agreement.skies, 3);
        EXPECT_GT(agreement.usedFlags, 0);
    }
}

} // namespace
