#include "nav/TrackExport.h"
#include "nav/TrackLog.h"
#include "platform/UtcTime.h"
#include "support/TestData.h"

#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <expat.h>
#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <string>
#include <vector>

namespace {

// What expat saw in a document: whether it is well-formed, the elements by name with their
// attributes, and the text inside each element by name.
struct XmlReading {
    bool wellFormed = false;
    std::string error;
    std::map<std::string, std::vector<std::map<std::string, std::string>>> elements;
    std::map<std::string, std::vector<std::string>> texts;
    std::vector<std::string> open;
};

XmlReading ReadXml(const QByteArray& document)
{
    XmlReading reading;
    XML_Parser parser = XML_ParserCreate(nullptr);
    XML_SetUserData(parser, &reading);
    XML_SetElementHandler(
        parser,
        [](void* data, const XML_Char* name, const XML_Char** attributes) {
            auto* r = static_cast<XmlReading*>(data);
            std::map<std::string, std::string> values;
            for (int i = 0; attributes[i]; i += 2)
                values[attributes[i]] = attributes[i + 1];
            r->elements[name].push_back(std::move(values));
            r->texts[name].emplace_back();
            r->open.push_back(name);
        },
        [](void* data, const XML_Char*) { static_cast<XmlReading*>(data)->open.pop_back(); });
    XML_SetCharacterDataHandler(parser, [](void* data, const XML_Char* text, int length) {
        auto* r = static_cast<XmlReading*>(data);
        if (!r->open.empty())
            r->texts[r->open.back()].back().append(text, static_cast<size_t>(length));
    });
    reading.wellFormed = XML_Parse(parser, document.constData(), static_cast<int>(document.size()),
                                   1) == XML_STATUS_OK;
    if (!reading.wellFormed)
        reading.error = std::string(XML_ErrorString(XML_GetErrorCode(parser))) + " at line " +
                        std::to_string(XML_GetCurrentLineNumber(parser));
    XML_ParserFree(parser);
    return reading;
}

CTrackLog FivePointsInTwoSegments()
{
    CTrackLog track;
    track.Append({{33800000, -117800000, 100.0f}, 1, 0});
    track.Append({{33800123, -117800456, 101.5f}, 0, 1194179696});
    track.Append({{33800200, -117800600, -2.25f}, 0, 1194179756});
    track.Append({{34000000, -118000000, 0.0f}, 1, 1194183296});
    track.Append({{34000001, -118000001, 0.125f}, 0, 4294967295u});
    return track;
}

const char kKmlRoot[] = "<kml xmlns=\"http://earth.google.com/kml/2.0\">\n";
const char kGpxHead[] = R"(<?xml version="1.0" standalone="yes"?>
<gpx version="1.0"
creator="Wendrift - https://wendrift.org">
<trk>
<name>Wendrift Track</name>
)";
const char kPlacemarkHead[] = R"(<Style>
<LineStyle>
<color>90ff0000</color>
<colorMode>normal</colorMode>
<width>5</width>
</LineStyle>
</Style>
<LineString>
<tessellate>1</tessellate>
<altitudeMode>clampedToGround</altitudeMode>
<coordinates>
)";

TEST(TrackExport, EmptyTrackWritesOnlyTheFrame)
{
    const CTrackLog track;
    EXPECT_EQ(TrackExportText(track, TrackExportFormat::CSV),
              "Latitude, Longitude, Altitude, Start_Segment, Time\n");
    EXPECT_EQ(TrackExportText(track, TrackExportFormat::KML),
              QByteArray(kKmlRoot) + "<Document>\n</coordinates>\n</LineString>\n"
                                     "</Placemark>\n</Document>\n</kml>\n\n");
    EXPECT_EQ(TrackExportText(track, TrackExportFormat::GPX),
              QByteArray(kGpxHead) + "\n</trkseg>\n</trk>\n</gpx>\n\n");
}

TEST(TrackExport, CsvOfTwoSegments)
{
    EXPECT_EQ(TrackExportText(FivePointsInTwoSegments(), TrackExportFormat::CSV),
              R"(Latitude, Longitude, Altitude, Start_Segment, Time
33.800000,-117.800000,100.000000,1,1970/01/01 00:00:00
33.800123,-117.800456,101.500000,0,2007/11/04 12:34:56
33.800200,-117.800600,-2.250000,0,2007/11/04 12:35:56
34.000000,-118.000000,0.000000,1,2007/11/04 13:34:56
34.000001,-118.000001,0.125000,0,2106/02/07 06:28:15
)");
}

TEST(TrackExport, KmlOfTwoSegments)
{
    const QByteArray expected = QByteArray(kKmlRoot) +
                                "<Document>\n<Placemark>\n<name>Wendrift Track 0</name>" +
                                kPlacemarkHead +
                                "-117.800000,33.800000,100.000000\n"
                                "-117.800456,33.800123,101.500000\n"
                                "-117.800600,33.800200,-2.250000\n"
                                "</coordinates>\n</LineString>\n</Placemark>\n"
                                "<Placemark>\n<name>Wendrift Track 1</name>" +
                                kPlacemarkHead +
                                "-118.000000,34.000000,0.000000\n"
                                "-118.000001,34.000001,0.125000</coordinates>\n"
                                "</LineString>\n</Placemark>\n</Document>\n</kml>\n\n";
    EXPECT_EQ(TrackExportText(FivePointsInTwoSegments(), TrackExportFormat::KML), expected);
}

TEST(TrackExport, GpxOfTwoSegments)
{
    const QByteArray expected = QByteArray(kGpxHead) + R"(<trkseg>
<number>1</number><trkpt lat="33.800000" lon="-117.800000">
<ele>100.000000</ele>
<time>1970-01-01T00:00:00Z</time>
<sym>Dot</sym>
</trkpt>
<trkpt lat="33.800123" lon="-117.800456">
<ele>101.500000</ele>
<time>2007-11-04T12:34:56Z</time>
<sym>Dot</sym>
</trkpt>
<trkpt lat="33.800200" lon="-117.800600">
<ele>-2.250000</ele>
<time>2007-11-04T12:35:56Z</time>
<sym>Dot</sym>
</trkpt>
</trkseg>
<trkseg>
<number>2</number><trkpt lat="34.000000" lon="-118.000000">
<ele>0.000000</ele>
<time>2007-11-04T13:34:56Z</time>
<sym>Dot</sym>
</trkpt>
<trkpt lat="34.000001" lon="-118.000001">
<ele>0.125000</ele>
<time>2106-02-07T06:28:15Z</time>
<sym>Dot</sym>
</trkpt>

</trkseg>
</trk>
</gpx>

)";
    EXPECT_EQ(TrackExportText(FivePointsInTwoSegments(), TrackExportFormat::GPX), expected);
}

TEST(TrackExport, NumbersAreWrittenAsPrintfWouldWriteThem)
{
    QRandomGenerator random(20240611);
    CTrackLog track;
    QByteArray expected = "Latitude, Longitude, Altitude, Start_Segment, Time\n";
    for (int i = 0; i < 5000; ++i) {
        const TrackPoint point{{static_cast<int32_t>(random.bounded(-90000000, 90000001)),
                                static_cast<int32_t>(random.bounded(-180000000, 180000001)),
                                static_cast<float>(random.bounded(9500.0) - 500.0)},
                               i % 7 == 0,
                               random.generate()};
        track.Append(point);
        const UtcDateTime when = UtcFromSeconds(point.time);
        char line[160];
        std::snprintf(line, sizeof line, "%f,%f,%f,%d,%04d/%02d/%02d %02d:%02d:%02d\n",
                      point.position.latitude * 0.000001, point.position.longitude * 0.000001,
                      static_cast<double>(point.position.altitude), point.segmentStart, when.year,
                      when.month, when.day, when.hour, when.minute, when.second);
        expected += line;
    }
    EXPECT_EQ(TrackExportText(track, TrackExportFormat::CSV), expected);
}

TEST(TrackExport, FirstPointOpensASegmentEvenWithoutTheFlag)
{
    CTrackLog track;
    track.Append({{33800000, -117800000, 1.0f}, 0, 0});
    track.Append({{33800100, -117800100, 2.0f}, 0, 0});
    for (const TrackExportFormat format : {TrackExportFormat::KML, TrackExportFormat::GPX}) {
        const XmlReading reading = ReadXml(TrackExportText(track, format));
        EXPECT_TRUE(reading.wellFormed) << reading.error;
    }
    EXPECT_EQ(ReadXml(TrackExportText(track, TrackExportFormat::GPX)).elements["trkseg"].size(),
              1u);
}

// Rebuilds the tracks of a GPX file as recorded points: the first point of each trkseg begins a
// segment; points without a time get none.
class CGpxTrackBuilder {
public:
    CTrackLog Build(const QByteArray& document)
    {
        XML_Parser parser = XML_ParserCreate(nullptr);
        XML_SetUserData(parser, this);
        XML_SetElementHandler(parser, &CGpxTrackBuilder::Start, &CGpxTrackBuilder::End);
        XML_SetCharacterDataHandler(parser, [](void* data, const XML_Char* text, int length) {
            static_cast<CGpxTrackBuilder*>(data)->m_text.append(text, static_cast<size_t>(length));
        });
        const bool parsed = XML_Parse(parser, document.constData(),
                                      static_cast<int>(document.size()), 1) == XML_STATUS_OK;
        XML_ParserFree(parser);
        EXPECT_TRUE(parsed);
        return std::move(m_track);
    }

private:
    static void Start(void* data, const XML_Char* name, const XML_Char** attributes)
    {
        auto* self = static_cast<CGpxTrackBuilder*>(data);
        self->m_text.clear();
        const std::string element = name;
        if (element == "trkseg")
            self->m_segmentPending = true;
        if (element != "trkpt")
            return;
        TrackPoint point;
        for (int i = 0; attributes[i]; i += 2) {
            const auto micro = static_cast<int32_t>(
                std::trunc(std::strtod(attributes[i + 1], nullptr) * 1000000.0));
            if (std::string(attributes[i]) == "lat")
                point.position.latitude = micro;
            else if (std::string(attributes[i]) == "lon")
                point.position.longitude = micro;
        }
        point.segmentStart = self->m_segmentPending ? 1 : 0;
        self->m_segmentPending = false;
        self->m_track.Append(point);
    }

    static void End(void* data, const XML_Char* name)
    {
        auto* self = static_cast<CGpxTrackBuilder*>(data);
        if (self->m_track.GetCount() == 0)
            return;
        TrackPoint& last = self->m_track.PointAt(self->m_track.GetCount() - 1);
        const std::string element = name;
        if (element == "ele")
            last.position.altitude = std::strtof(self->m_text.c_str(), nullptr);
        UtcDateTime when;
        if (element == "time" &&
            std::sscanf(self->m_text.c_str(), "%d-%d-%dT%d:%d:%dZ", &when.year, &when.month,
                        &when.day, &when.hour, &when.minute, &when.second) == 6)
            SecondsFromUtc(when, &last.time);
    }

    CTrackLog m_track;
    bool m_segmentPending = false;
    std::string m_text;
};

class SharedSegmentedTrack : public ::testing::Test {
protected:
    void SetUp() override
    {
        REQUIRE_TESTDATA();
        QFile file(TestDataPath("gpx/segmented_tracks.gpx"));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        m_track = CGpxTrackBuilder().Build(file.readAll());
        ASSERT_EQ(m_track.GetCount(), kPoints);
    }

    QString Export(TrackExportFormat format, const char* name)
    {
        const QString path = m_dir.filePath(QString::fromLatin1(name));
        EXPECT_EQ(ExportTrackFile(m_track, format, path), 1);
        return path;
    }
    static QByteArray Read(const QString& path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    static constexpr int kPoints = 46;   // two tracks of 23 points
    static constexpr int kSegments = 10; // five segments each
    CTrackLog m_track;
    QTemporaryDir m_dir;
};

TEST_F(SharedSegmentedTrack, GpxReadsBackWithEverySegmentAndPoint)
{
    const XmlReading gpx = ReadXml(Read(Export(TrackExportFormat::GPX, "t.gpx")));
    ASSERT_TRUE(gpx.wellFormed) << gpx.error;
    EXPECT_EQ(gpx.elements.at("trk").size(), 1u);
    EXPECT_EQ(gpx.elements.at("trkseg").size(), static_cast<size_t>(kSegments));
    const auto& points = gpx.elements.at("trkpt");
    ASSERT_EQ(points.size(), static_cast<size_t>(kPoints));
    EXPECT_EQ(points.front().at("lat"), "35.826145");
    EXPECT_EQ(points.front().at("lon"), "-86.844139");
    EXPECT_EQ(points.back().at("lat"), "35.836743");
    EXPECT_EQ(gpx.texts.at("time")[23], "2007-07-27T05:24:05Z");
    EXPECT_EQ(gpx.texts.at("time")[24], "1970-01-01T00:00:00Z");
}

TEST_F(SharedSegmentedTrack, KmlReadsBackWithOnePlacemarkPerSegment)
{
    const XmlReading kml = ReadXml(Read(Export(TrackExportFormat::KML, "t.kml")));
    ASSERT_TRUE(kml.wellFormed) << kml.error;
    const auto& names = kml.texts.at("name");
    ASSERT_EQ(names.size(), static_cast<size_t>(kSegments));
    EXPECT_EQ(names.front(), "Wendrift Track 0");
    EXPECT_EQ(names.back(), "Wendrift Track 9");
    size_t tuples = 0;
    for (const std::string& coordinates : kml.texts.at("coordinates"))
        for (size_t at = coordinates.find(','); at != std::string::npos;
             at = coordinates.find(',', at + 1))
            ++tuples;
    EXPECT_EQ(tuples, 2u * kPoints); // two commas per longitude,latitude,altitude
}

// Another program's reading of the exports: Debian's gpsbabel, when installed.
TEST_F(SharedSegmentedTrack, GpsbabelReadsEveryPoint)
{
    const QString gpsbabel = QStandardPaths::findExecutable("gpsbabel");
    if (gpsbabel.isEmpty())
        GTEST_SKIP() << "gpsbabel is not installed; skipping the check by another program";
    const std::pair<TrackExportFormat, const char*> exports[] = {{TrackExportFormat::GPX, "gpx"},
                                                                 {TrackExportFormat::KML, "kml"}};
    for (const auto& [format, type] : exports) {
        const QString path = Export(format, type);
        QProcess process;
        process.start(gpsbabel, {"-t", "-i", type, "-f", path, "-o", "unicsv", "-F", "-"});
        ASSERT_TRUE(process.waitForFinished(30000));
        EXPECT_EQ(process.exitCode(), 0) << process.readAllStandardError().toStdString();
        const QList<QByteArray> lines = process.readAllStandardOutput().trimmed().split('\n');
        ASSERT_FALSE(lines.isEmpty());
        EXPECT_TRUE(lines.first().startsWith("No,Latitude,Longitude")) << type;
        EXPECT_EQ(lines.size() - 1, kPoints) << type;
        EXPECT_TRUE(lines[1].startsWith("1,35.826145,-86.844139,")) << lines[1].toStdString();
    }
}

} // namespace
