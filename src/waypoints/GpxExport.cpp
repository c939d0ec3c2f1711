#include "waypoints/GpxExport.h"

#include "platform/Clock.h"
#include "platform/SafeFile.h"
#include "platform/UtcTime.h"
#include "waypoints/WaypointDB.h"

#include <algorithm>
#include <charconv>
#include <functional>
#include <string_view>

const char kWaypointExtensionNamespace[] = "https://wendrift.org/xmlschemas/WendriftExtensions/1";

namespace {

constexpr double kDegreesPerMicrodegree = 0.000001;
constexpr qsizetype kFlushSize = 1 << 20;

// Whether a code unit may stand in an XML 1.0 document (the text otherwise stops being
// well-formed); surrogates are checked in pairs by the caller.
bool IsXmlCharacter(char16_t unit)
{
    return unit >= 0x20 ? unit < 0xFFFE : unit == 0x09 || unit == 0x0A || unit == 0x0D;
}

// Builds the file text and hands it on in large pieces.
class CGpxOut {
public:
    explicit CGpxOut(std::function<bool(const QByteArray&)> flush = {}) : m_flush(std::move(flush))
    {
        m_text.reserve(m_flush ? kFlushSize + 64 * 1024 : 4096);
    }

    CGpxOut& operator<<(std::string_view text)
    {
        m_text.append(text.data(), static_cast<qsizetype>(text.size()));
        return *this;
    }
    // printf's "%f": six decimals, rounded the same way.
    CGpxOut& Fixed(double value)
    {
        char digits[400];
        const auto end =
            std::to_chars(digits, digits + sizeof digits, value, std::chars_format::fixed, 6);
        m_text.append(digits, end.ptr - digits);
        return *this;
    }
    CGpxOut& Integer(int64_t value, int width = 0)
    {
        char digits[24];
        const auto end = std::to_chars(digits, digits + sizeof digits, value);
        for (qsizetype length = end.ptr - digits; length < width; ++length)
            m_text.append('0');
        m_text.append(digits, end.ptr - digits);
        return *this;
    }
    CGpxOut& Time(uint32_t seconds)
    {
        const UtcDateTime when = UtcFromSeconds(seconds);
        Integer(when.year, 4) << "-";
        Integer(when.month, 2) << "-";
        Integer(when.day, 2) << "T";
        Integer(when.hour, 2) << ":";
        Integer(when.minute, 2) << ":";
        return Integer(when.second, 2);
    }
    // The text in a CDATA section. A "]]>" inside it is split across two sections, so the
    // section cannot end early; the text reads back the same.
    CGpxOut& CData(QStringView text, bool dropCarriageReturns = false)
    {
        m_text.append("<![CDATA[");
        const qsizetype start = m_text.size();
        Utf8(text, dropCarriageReturns);
        for (qsizetype at = m_text.indexOf("]]>", start); at >= 0;
             at = m_text.indexOf("]]>", at + 12))
            m_text.replace(at, 3, "]]]]><![CDATA[>");
        m_text.append("]]>");
        return *this;
    }
    // The text as element content, with the markup characters escaped.
    CGpxOut& Escaped(QStringView text)
    {
        const qsizetype start = m_text.size();
        Utf8(text, false);
        for (qsizetype at = start; at < m_text.size(); ++at) {
            const char c = m_text[at];
            const char* entity = c == '&'   ? "&amp;"
                                 : c == '<' ? "&lt;"
                                 : c == '>' ? "&gt;"
                                            : nullptr;
            if (entity) {
                m_text.replace(at, 1, entity);
                at += static_cast<qsizetype>(std::char_traits<char>::length(entity)) - 1;
            }
        }
        return *this;
    }

    bool FlushIfFull() { return m_text.size() < kFlushSize || Flush(); }
    bool Flush()
    {
        const bool ok = m_flush(m_text);
        m_text.clear();
        return ok;
    }
    QByteArray Take() { return std::move(m_text); }

private:
    // UTF-8, a surrogate pair as one four-byte sequence; characters XML cannot hold (control
    // characters, unpaired surrogates, U+FFFE and U+FFFF) are left out.
    void Utf8(QStringView text, bool dropCarriageReturns)
    {
        const char16_t* units = text.utf16();
        const qsizetype count = text.size();
        for (qsizetype i = 0; i < count; ++i) {
            const char16_t unit = units[i];
            if (unit < 0x80) {
                if (IsXmlCharacter(unit) && !(dropCarriageReturns && unit == 0x0D))
                    m_text.append(static_cast<char>(unit));
            } else if (unit < 0x800) {
                m_text.append(static_cast<char>(0xC0 | (unit >> 6)));
                m_text.append(static_cast<char>(0x80 | (unit & 0x3F)));
            } else if (QChar::isHighSurrogate(unit) && i + 1 < count &&
                       QChar::isLowSurrogate(units[i + 1])) {
                const char32_t code = QChar::surrogateToUcs4(unit, units[++i]);
                m_text.append(static_cast<char>(0xF0 | (code >> 18)));
                m_text.append(static_cast<char>(0x80 | ((code >> 12) & 0x3F)));
                m_text.append(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
                m_text.append(static_cast<char>(0x80 | (code & 0x3F)));
            } else if (!QChar::isSurrogate(unit) && IsXmlCharacter(unit)) {
                m_text.append(static_cast<char>(0xE0 | (unit >> 12)));
                m_text.append(static_cast<char>(0x80 | ((unit >> 6) & 0x3F)));
                m_text.append(static_cast<char>(0x80 | (unit & 0x3F)));
            }
        }
    }

    std::function<bool(const QByteArray&)> m_flush;
    QByteArray m_text;
};

struct Bounds {
    double minLatitude = 999.0;
    double minLongitude = 999.0;
    double maxLatitude = -999.0;
    double maxLongitude = -999.0;
};

Bounds BoundsOf(const CWaypointDB& db)
{
    Bounds bounds;
    for (int cell = 0; cell < CWaypointDB::kCellCount; ++cell)
        for (const CWaypoint& wp : db.CellWaypoints(cell)) {
            const double latitude = wp.position.latitude * kDegreesPerMicrodegree;
            const double longitude = wp.position.longitude * kDegreesPerMicrodegree;
            bounds.minLatitude = std::min(bounds.minLatitude, latitude);
            bounds.minLongitude = std::min(bounds.minLongitude, longitude);
            bounds.maxLatitude = std::max(bounds.maxLatitude, latitude);
            bounds.maxLongitude = std::max(bounds.maxLongitude, longitude);
        }
    return bounds;
}

void WriteHeader(CGpxOut& out, const Bounds& bounds, int64_t now)
{
    out << "<?xml version=\"1.0\" encoding=\"utf-8\" ?>\n"
           "<gpx\n"
           " creator=\"Wendrift - https://wendrift.org\"\n"
           " xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\"\n"
           " version=\"1.0\"\n"
           " xmlns=\"http://www.topografix.com/GPX/1/0\"\n"
           " xsi:schemaLocation=\"http://www.topografix.com/GPX/1/0 "
           "http://www.topografix.com/GPX/1/0/gpx.xsd\">\n"
           "<desc>GPX Waypoint File Generated with Wendrift</desc>\n"
           "<author>Orvalis, LLC</author>\n"
           "<email>wendrift@wendrift.org</email>\n"
           "<time>";
    out.Time(static_cast<uint32_t>(now)) << "Z</time>\n<bounds minlat=\"";
    out.Fixed(bounds.minLatitude) << "\" minlon=\"";
    out.Fixed(bounds.minLongitude) << "\" maxlat=\"";
    out.Fixed(bounds.maxLatitude) << "\" maxlon=\"";
    out.Fixed(bounds.maxLongitude) << "\"/>\n";
}

std::string_view IconName(int32_t icon)
{
    return icon >= 0 && icon < kIconCount ? GetIconTable()[icon] : std::string_view();
}

void WriteWaypoint(CGpxOut& out, const CWaypoint& wp)
{
    out << " <wpt lat=\"";
    out.Fixed(wp.position.latitude * kDegreesPerMicrodegree) << "\" lon=\"";
    out.Fixed(wp.position.longitude * kDegreesPerMicrodegree) << "\">\n  <ele> ";
    // The elevation line has no line feed: the time element follows on the same line.
    out.Fixed(wp.position.altitude) << " </ele>  <time>";
    out.Time(static_cast<uint32_t>(wp.timeWaypoint)) << ".00000+00:00</time>\n  <name>";
    out.CData(wp.strName) << "</name>\n";
    if (!wp.strDescription.isEmpty()) {
        out << "  <desc>";
        out.CData(wp.strDescription) << "</desc>\n";
    }
    out << "  <sym><![CDATA[" << IconName(wp.icon) << "]]></sym>\n"
        << "  <orvalis:waypoint xmlns:orvalis=\"" << kWaypointExtensionNamespace << "\">\n"
        << "   <orvalis:icon>";
    out.Integer(wp.icon) << "</orvalis:icon>\n   <orvalis:nGeocacheState>";
    out.Integer(wp.nGeocacheState)
        << "</orvalis:nGeocacheState>\n   <orvalis:bUseGeocacheStateForIconID>";
    out.Integer(wp.bUseGeocacheStateForIconID)
        << "</orvalis:bUseGeocacheStateForIconID>\n   <orvalis:bActiveWaypoint>";
    out.Integer(wp.bActiveWaypoint) << "</orvalis:bActiveWaypoint>\n   <orvalis:dActiveWPDistance>";
    out.Fixed(wp.dActiveWPDistance) << "</orvalis:dActiveWPDistance>\n   <orvalis:strSoundFile>";
    out.Escaped(wp.strSoundFile)
        << "</orvalis:strSoundFile>\n   <orvalis:nActiveWaypointMessageType>";
    out.Integer(wp.nActiveWaypointMessageType)
        << "</orvalis:nActiveWaypointMessageType>\n   <orvalis:nType>";
    out.Integer(wp.nType) << "</orvalis:nType>\n   <orvalis:timeGeochacheFound>";
    out.Integer(wp.timeGeochacheFound) << "</orvalis:timeGeochacheFound>\n";
    if (!wp.strURL.isEmpty()) {
        out << "   <orvalis:strURL>";
        out.CData(wp.strURL) << "</orvalis:strURL>\n";
    }
    if (!wp.strFieldNotes.isEmpty()) {
        out << "   <orvalis:strFieldNotes>";
        out.CData(wp.strFieldNotes, true) << "</orvalis:strFieldNotes>\n";
    }
    out << "  </orvalis:waypoint>\n </wpt>\n";
}

// Writes the whole text through `out`; false as soon as a flush fails.
bool WriteAll(CGpxOut& out, const CWaypointDB& db, int64_t now)
{
    WriteHeader(out, BoundsOf(db), now);
    for (int cell = 0; cell < CWaypointDB::kCellCount; ++cell)
        for (const CWaypoint& wp : db.CellWaypoints(cell)) {
            WriteWaypoint(out, wp);
            if (!out.FlushIfFull())
                return false;
        }
    out << "</gpx>";
    return true;
}

} // namespace

QByteArray WaypointsGPXText(const CWaypointDB& db, int64_t now)
{
    CGpxOut out;
    WriteAll(out, db, now);
    return out.Take();
}

bool ExportWaypointsGPX(const CWaypointDB& db, const QString& path)
{
    CSafeFileWriter file(path);
    if (!file.Open())
        return false;
    CGpxOut out([&](const QByteArray& piece) { return file.Write(piece); });
    if (!WriteAll(out, db, Clock::Now()) || !out.Flush()) {
        file.Discard();
        return false;
    }
    return file.Commit();
}
