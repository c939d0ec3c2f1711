// The geocache page templates filled with a waypoint of hostile texts and numbers (the leading
// bytes give the numbers, the rest the texts, separated by NUL bytes). A text left over after
// the waypoint's is filled as a template of its own. Plain texts must come out escaped, and a
// link must never point anywhere but the web or mail.

#include "fuzz/FuzzHarness.h"
#include "waypoints/GeocachePageValues.h"
#include "waypoints/HtmlTemplate.h"

#include <QDir>
#include <QFile>

#include <vector>

namespace {

int32_t Int32(CFuzzInput& input)
{
    uint32_t value = 0;
    for (int i = 0; i < 4; ++i)
        value = value << 8 | input.Byte();
    return static_cast<int32_t>(value);
}

// The texts of the input, one per NUL-separated piece.
class CTexts {
public:
    explicit CTexts(std::span<const uint8_t> bytes)
        : m_rest(reinterpret_cast<const char*>(bytes.data()), static_cast<qsizetype>(bytes.size()))
    {}

    QByteArrayView NextBytes()
    {
        const qsizetype end = m_rest.indexOf('\0');
        const QByteArrayView piece = end < 0 ? m_rest : m_rest.first(end);
        m_rest = end < 0 ? QByteArrayView() : m_rest.sliced(end + 1);
        return piece;
    }
    QString Next() { return QString::fromUtf8(NextBytes()); }
    bool Empty() const { return m_rest.isEmpty(); }

private:
    QByteArrayView m_rest;
};

CWaypoint HostileWaypoint(CFuzzInput& input)
{
    CWaypoint wp;
    GeocacheInfo& gc = wp.geocache;
    const uint8_t flags = input.Byte();
    wp.nType = flags & 1;
    wp.bUseGeocacheStateForIconID = flags & 2;
    gc.bLongDescriptionHTML = flags & 4;
    gc.bShortDescriptionHTML = flags & 8;
    wp.icon = static_cast<int8_t>(input.Byte()) * 2;
    wp.nGeocacheState = static_cast<int8_t>(input.Byte());
    gc.nDifficulty = input.Byte();
    gc.nTerrain = input.Byte();
    wp.position.latitude = Int32(input);
    wp.position.longitude = Int32(input);
    wp.timeWaypoint = Int32(input);
    for (GeocacheLog& log : gc.logs) {
        log.nLogType = input.Byte();
        log.bLogTextEncoded = flags & 16;
        log.timeLogDate = Int32(input);
    }
    return wp;
}

void TakeTexts(CWaypoint& wp, CTexts& texts)
{
    GeocacheInfo& gc = wp.geocache;
    for (QString* text :
         {&wp.strName, &wp.strDescription, &wp.strURL, &gc.strCacheName, &gc.strPlacedBy,
          &gc.strCacheType, &gc.strContainer, &gc.strCountry, &gc.strState, &gc.strEncodedHints,
          &gc.strShortDescription, &gc.strLongDescription, &wp.strFieldNotes})
        *text = texts.Next();
    for (GeocacheLog& log : gc.logs) {
        log.strLogText = texts.Next();
        log.strLogFinder = texts.Next();
    }
}

const std::vector<QByteArray>& InstalledTemplates()
{
    static const std::vector<QByteArray> templates = [] {
        std::vector<QByteArray> loaded;
        const QDir dir(QStringLiteral(WENDRIFT_FUZZ_TEMPLATE_DIR));
        for (const QString& name : dir.entryList({QStringLiteral("*.htm")}, QDir::Files)) {
            QFile file(dir.filePath(name));
            FuzzCheck(file.open(QIODevice::ReadOnly), "a page template cannot be read");
            loaded.push_back(file.readAll());
        }
        FuzzCheck(!loaded.empty(), "no page templates found");
        return loaded;
    }();
    return templates;
}

void CheckEscaped(const CWaypoint& wp, int64_t now)
{
    for (const char* name : {"WD_PAGE_TITLE", "WD_CACHE_NAME", "WD_POSITION", "WD_CONTAINER",
                             "WD_LOCATION", "WD_HIDDENBY", "WD_WAYPOINT_TYPE"}) {
        const QByteArray value = GeocachePlaceholderValue(wp, name, now).value_or(QByteArray());
        FuzzCheck(!value.contains('<') && !value.contains('>') && !value.contains('"'),
                  "a plain text reached the page unescaped");
    }
    const QByteArray link = GeocachePlaceholderValue(wp, "WD_WAYPOINTNAME", now).value_or("");
    const QByteArray target = link.startsWith("<a href=\"") ? link.mid(9).toLower() : "";
    FuzzCheck(link.startsWith("<a>") || target.startsWith("http:") ||
                  target.startsWith("https:") || target.startsWith("ftp:") ||
                  target.startsWith("mailto:"),
              "the waypoint link points somewhere unsafe");
}

} // namespace

void FuzzGeocachePage(const uint8_t* data, size_t size)
{
    CFuzzInput input(data, size);
    CWaypoint wp = HostileWaypoint(input);
    const int64_t now = Int32(input);
    CTexts texts(input.Rest());
    TakeTexts(wp, texts);

    const PlaceholderValue value = [&](QByteArrayView name) {
        return GeocachePlaceholderValue(wp, name, now);
    };
    for (const QByteArray& page : InstalledTemplates())
        FillTemplate(page, value);
    if (!texts.Empty())
        FillTemplate(texts.NextBytes(), value);
    CheckEscaped(wp, now);
}
