// Real receiver captures: they decode, agree with what another decoder read from them, decode
// the same however the byte stream is cut into chunks, and GPS-only receivers decode the same
// whichever talkers are decoded.

#include "gps/NMEAParser.h"
#include "platform/Messages.h"
#include "support/Captures.h"
#include "support/RecordingSink.h"
#include "support/TestData.h"

#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

namespace {

QByteArray Number(double value)
{
    return QByteArray::number(value, 'g', 17) + ' ';
}

// Everything a reader could observe of the fix state, one line per notification.
QList<QByteArray> Trace(const QByteArray& bytes, qsizetype chunk,
                        GnssTalkers talkers = GnssTalkers::All)
{
    CRecordingSink sink;
    CNMEAParser parser(&sink);
    parser.SetGnssTalkers(talkers);
    QList<QByteArray> trace;
    sink.onPost = [&](uint32_t message) {
        const GgaState& gga = parser.Gga();
        const RmcState& rmc = parser.Rmc();
        const GsaState& gsa = parser.Gsa();
        const GsvState& gsv = parser.Gsv();
        QByteArray line = QByteArray::number(message) + ' ' + parser.CurrentAddress() + ' ';
        for (double value : {double(parser.GetSentenceCount()),
                             double(gga.count),
                             gga.seconds,
                             gga.latitude,
                             gga.longitude,
                             double(gga.quality),
                             gga.altitude,
                             gga.verticalSpeed,
                             double(rmc.count),
                             double(rmc.second),
                             rmc.latitude,
                             rmc.longitude,
                             rmc.speed,
                             rmc.acceleration,
                             double(rmc.year),
                             double(parser.Zda().count),
                             double(parser.Zda().day),
                             double(parser.Rmb().count),
                             double(gsa.count),
                             double(gsa.fixType),
                             gsa.pdop,
                             gsa.vdop,
                             double(gsv.count),
                             double(gsv.satellitesInView)})
            line += Number(value);
        for (uint16_t prn : gsa.prnsInUse)
            line += QByteArray::number(prn) + ',';
        for (const SatelliteEntry& entry : gsv.satellites)
            line += QByteArray::number(entry.nPRN) + '/' + QByteArray::number(entry.nSNR) + '/' +
                    QByteArray::number(entry.bUsed) + '/' + QByteArray::number(entry.nAzimuth) +
                    '/' + QByteArray::number(entry.nElevation) + ' ';
        trace.append(line);
    };
    FeedInChunks(parser, bytes, chunk);
    return trace;
}

TEST(CaptureTest, EveryCaptureDecodesTheSameInAnyChunking)
{
    REQUIRE_TESTDATA();
    const QStringList names = CaptureNames();
    ASSERT_GE(names.size(), 20);
    for (const QString& name : names) {
        const QByteArray bytes = ReadCapture(name);
        ASSERT_FALSE(bytes.isEmpty()) << name.toStdString();
        const QList<QByteArray> whole = Trace(bytes, bytes.size());
        // This receiver ends its sentences with a bare line feed and sends no checksums, so no
        // sentence of it is ever complete: line feeds are data until a carriage return or "*".
        const bool unterminated = name == QLatin1String("hp58534a.log");
        EXPECT_EQ(whole.isEmpty(), unterminated) << name.toStdString();
        // One byte at a time cuts the stream at every possible boundary at once.
        for (qsizetype chunk : {qsizetype(1), qsizetype(7), qsizetype(128)})
            EXPECT_TRUE(Trace(bytes, chunk) == whole)
                << name.toStdString() << " in chunks of " << chunk;
    }
}

TEST(CaptureTest, GpsOnlyCapturesDecodeTheSameWithEitherTalkerSetting)
{
    REQUIRE_TESTDATA();
    const QStringList multi = MultiConstellationCaptureNames();
    int compared = 0;
    for (const QString& name : CaptureNames()) {
        if (multi.contains(name))
            continue;
        const QByteArray bytes = ReadCapture(name);
        const QList<QByteArray> gpsOnly = Trace(bytes, 128, GnssTalkers::GpOnly);
        const QList<QByteArray> every = Trace(bytes, 128, GnssTalkers::All);
        ASSERT_EQ(every.size(), gpsOnly.size()) << name.toStdString();
        for (qsizetype i = 0; i < every.size(); ++i)
            ASSERT_EQ(every[i], gpsOnly[i]) << name.toStdString() << " notification " << i;
        ++compared;
    }
    EXPECT_GE(compared, 20);
}

// The time of day "hh:mm:ss" of an ISO time; the dates in most expectations are shifted.
QString TimeOfDay(const QString& iso)
{
    return iso.mid(11, 8);
}

struct Agreement {
    int positions = 0;
    int times = 0;
};

// Feeds the sentences the other decoder accepted, one by one, and compares each GGA/RMC
// position (and RMC time) with the TPV report that sentence caused.
Agreement CompareWithExpectation(const QString& name)
{
    const QList<QByteArray> lines = ReadCapture(name + QStringLiteral(".chk")).split('\n');
    CNMEAParser parser;
    Agreement agreement;
    for (qsizetype i = 0; i + 1 < lines.size(); ++i) {
        const QByteArray sentence = lines[i].trimmed();
        if (!sentence.startsWith('$'))
            continue;
        const QByteArray withEnd = sentence + "\r\n";
        const uint32_t rmcBefore = parser.Rmc().count;
        const uint32_t ggaBefore = parser.Gga().count;
        parser.ProcessBytes(reinterpret_cast<const uint8_t*>(withEnd.constData()),
                            static_cast<size_t>(withEnd.size()));
        const bool isGga = parser.Gga().count != ggaBefore;
        const bool isRmc = parser.Rmc().count != rmcBefore;
        if (!isGga && !isRmc)
            continue;
        const QJsonObject report = QJsonDocument::fromJson(lines[i + 1]).object();
        if (report.value(QLatin1String("class")).toString() != QLatin1String("TPV"))
            continue;
        const bool hasFix = isGga ? parser.Gga().quality > 0 : parser.Rmc().status == 'A';
        if (hasFix && report.contains(QLatin1String("lat"))) {
            const double lat = isGga ? parser.Gga().latitude : parser.Rmc().latitude;
            const double lon = isGga ? parser.Gga().longitude : parser.Rmc().longitude;
            // The sentences carry at least four decimals of minutes: 1.7e-6 degrees.
            EXPECT_NEAR(lat, report.value(QLatin1String("lat")).toDouble(), 2e-6)
                << name.toStdString() << ": " << sentence.toStdString();
            EXPECT_NEAR(lon, report.value(QLatin1String("lon")).toDouble(), 2e-6)
                << name.toStdString() << ": " << sentence.toStdString();
            ++agreement.positions;
        }
        if (isRmc && parser.Rmc().status == 'A' && report.contains(QLatin1String("time"))) {
            const QString expected = TimeOfDay(report.value(QLatin1String("time")).toString());
            const QString actual = QString::asprintf("%02d:%02d:%02d", parser.Rmc().hour,
                                                     parser.Rmc().minute, parser.Rmc().second);
            EXPECT_EQ(actual, expected) << name.toStdString() << ": " << sentence.toStdString();
            ++agreement.times;
        }
    }
    return agreement;
}

TEST(CaptureTest, PositionsAndTimesAgreeWithTheRecordedExpectations)
{
    REQUIRE_TESTDATA();
    int positions = 0;
    int times = 0;
    for (const QString& name : CaptureNames()) {
        const Agreement agreement = CompareWithExpectation(name);
        positions += agreement.positions;
        times += agreement.times;
    }
    // Most captures carry fixes; a few (no fix, no GGA or RMC) contribute nothing.
    EXPECT_GT(positions, 300);
    EXPECT_GT(times, 100);
}

TEST(CaptureTest, KnownValuesOfIndividualCaptures)
{
    REQUIRE_TESTDATA();
    CNMEAParser parser;
    FeedInChunks(parser, ReadCapture(QStringLiteral("garmin48.log")), 128);
    EXPECT_LT(parser.Gga().latitude, -45.0) << "southern hemisphere";
    EXPECT_GT(parser.Gga().longitude, 167.0);

    CNMEAParser firefly;
    FeedInChunks(firefly, ReadCapture(QStringLiteral("firefly-II.log")), 128);
    EXPECT_EQ(firefly.Gga().count, 0u) << "every GGA of this capture has a bad checksum";
    EXPECT_EQ(firefly.Rmc().count, 23u);
    EXPECT_EQ(firefly.Zda().count, 23u);

    CNMEAParser magellan;
    FeedInChunks(magellan, ReadCapture(QStringLiteral("magellan-ec10.log")), 128);
    EXPECT_EQ(magellan.Rmc().count, 16u)
        << "sentences with a lower-case second checksum digit are rejected";
}

} // namespace
