#include "nav/TrackExport.h"

#include "nav/TrackLog.h"
#include "platform/SafeFile.h"
#include "platform/UtcTime.h"

#include <charconv>
#include <string_view>

namespace {

constexpr double kDegreesPerMicrodegree = 0.000001;

// Appends text and numbers the way printf's "%f", "%d" and "%0Nd" would write them.
class CExportText {
public:
    explicit CExportText(qsizetype expectedSize) { m_text.reserve(expectedSize); }

    CExportText& operator<<(std::string_view text)
    {
        m_text.append(text.data(), static_cast<qsizetype>(text.size()));
        return *this;
    }
    // "%f": six decimals; to_chars rounds exactly as printf does.
    void Fixed(double value)
    {
        char digits[64];
        const auto end =
            std::to_chars(digits, digits + sizeof digits, value, std::chars_format::fixed, 6);
        m_text.append(digits, end.ptr - digits);
    }
    void Integer(int value, int width = 0)
    {
        char digits[16];
        const auto end = std::to_chars(digits, digits + sizeof digits, value);
        for (qsizetype length = end.ptr - digits; length < width; ++length)
            m_text.append('0');
        m_text.append(digits, end.ptr - digits);
    }
    // Year, month and day joined by `dateSeparator`, then `middle`, then the time of day.
    void Time(uint32_t seconds, char dateSeparator, char middle)
    {
        const UtcDateTime when = UtcFromSeconds(seconds);
        Integer(when.year, 4);
        m_text.append(dateSeparator);
        Integer(when.month, 2);
        m_text.append(dateSeparator);
        Integer(when.day, 2);
        m_text.append(middle);
        Integer(when.hour, 2);
        m_text.append(':');
        Integer(when.minute, 2);
        m_text.append(':');
        Integer(when.second, 2);
    }
    QByteArray Take() { return std::move(m_text); }

private:
    QByteArray m_text;
};

double Latitude(const TrackPoint& point)
{
    return point.position.latitude * kDegreesPerMicrodegree;
}

double Longitude(const TrackPoint& point)
{
    return point.position.longitude * kDegreesPerMicrodegree;
}

// The first point always opens a segment, so that no coordinates stand outside one.
bool OpensSegment(const TrackPoint& point, int index)
{
    return index == 0 || point.segmentStart != 0;
}

QByteArray CSVText(const CTrackLog& track)
{
    CExportText out(64 + 64 * track.GetCount());
    out << "Latitude, Longitude, Altitude, Start_Segment, Time\n";
    for (int i = 0; i < track.GetCount(); ++i) {
        const TrackPoint& point = track.PointAt(i);
        out.Fixed(Latitude(point));
        out << ",";
        out.Fixed(Longitude(point));
        out << ",";
        out.Fixed(point.position.altitude);
        out << ",";
        out.Integer(point.segmentStart);
        out << ",";
        out.Time(point.time, '/', ' ');
        out << "\n";
    }
    return out.Take();
}

QByteArray KMLText(const CTrackLog& track)
{
    CExportText out(256 + 40 * track.GetCount());
    out << "<kml xmlns=\"http://earth.google.com/kml/2.0\">\n"
           "<Document>\n";
    int segment = 0;
    for (int i = 0; i < track.GetCount(); ++i) {
        const TrackPoint& point = track.PointAt(i);
        if (OpensSegment(point, i)) {
            if (i != 0)
                out << "\n</coordinates>\n</LineString>\n</Placemark>\n";
            out << "<Placemark>\n<name>Wendrift Track ";
            out.Integer(segment++);
            out << "</name><Style>\n<LineStyle>\n<color>90ff0000</color>\n"
                   "<colorMode>normal</colorMode>\n<width>5</width>\n</LineStyle>\n</Style>\n"
                   "<LineString>\n<tessellate>1</tessellate>\n"
                   "<altitudeMode>clampedToGround</altitudeMode>\n<coordinates>\n";
        } else {
            out << "\n";
        }
        out.Fixed(Longitude(point));
        out << ",";
        out.Fixed(Latitude(point));
        out << ",";
        out.Fixed(point.position.altitude);
    }
    out << "</coordinates>\n</LineString>\n</Placemark>\n</Document>\n</kml>\n\n";
    return out.Take();
}

QByteArray GPXText(const CTrackLog& track)
{
    CExportText out(256 + 128 * track.GetCount());
    out << "<?xml version=\"1.0\" standalone=\"yes\"?>\n"
           "<gpx version=\"1.0\"\n"
           "creator=\"Wendrift - https://wendrift.org\">\n"
           "<trk>\n"
           "<name>Wendrift Track</name>\n";
    int segment = 1;
    for (int i = 0; i < track.GetCount(); ++i) {
        const TrackPoint& point = track.PointAt(i);
        if (OpensSegment(point, i)) {
            if (i != 0)
                out << "</trkseg>\n";
            out << "<trkseg>\n<number>";
            out.Integer(segment++);
            out << "</number>";
        }
        out << "<trkpt lat=\"";
        out.Fixed(Latitude(point));
        out << "\" lon=\"";
        out.Fixed(Longitude(point));
        out << "\">\n<ele>";
        out.Fixed(point.position.altitude);
        out << "</ele>\n<time>";
        out.Time(point.time, '-', 'T');
        out << "Z</time>\n<sym>Dot</sym>\n</trkpt>\n";
    }
    out << "\n</trkseg>\n</trk>\n</gpx>\n\n";
    return out.Take();
}

} // namespace

QByteArray TrackExportText(const CTrackLog& track, TrackExportFormat format)
{
    switch (format) {
    case TrackExportFormat::CSV:
        return CSVText(track);
    case TrackExportFormat::KML:
        return KMLText(track);
    case TrackExportFormat::GPX:
        break;
    }
    return GPXText(track);
}

int ExportTrackFile(const CTrackLog& track, TrackExportFormat format, const QString& path,
                    QString* error)
{
    return WriteFileSafely(path, TrackExportText(track, format), error) ? 1 : 0;
}

int ExportCSV(const CTrackLog& track, const QString& path)
{
    return ExportTrackFile(track, TrackExportFormat::CSV, path);
}

int ExportKML(const CTrackLog& track, const QString& path)
{
    return ExportTrackFile(track, TrackExportFormat::KML, path);
}

int ExportGPX(const CTrackLog& track, const QString& path)
{
    return ExportTrackFile(track, TrackExportFormat::GPX, path);
}
