#include "waypoints/LocImport.h"

#include "waypoints/ImportNumbers.h"
#include "waypoints/WaypointImportMerge.h"
#include "waypoints/XmlWaypointFile.h"

#include <cstring>
#include <string>

namespace {

constexpr size_t kMaxTextBytes = 16383;

class CLocReader : public IXmlWaypointReader {
public:
    explicit CLocReader(CWaypointDB& db) : m_merge(db, kImportKeepExisting) {}

    void StartElement(const char* name, const char** attributes) override
    {
        m_field = Field::None;
        m_text.clear();
        if (std::strcmp(name, "waypoint") == 0) {
            m_inWaypoint = true;
            m_current = CWaypoint();
            return;
        }
        if (!m_inWaypoint)
            return;
        if (std::strcmp(name, "name") == 0) {
            for (int i = 0; attributes[i]; i += 2)
                if (std::strcmp(attributes[i], "id") == 0)
                    m_current.strName = QString::fromUtf8(attributes[i + 1]);
            m_field = Field::Name;
        } else if (std::strcmp(name, "coord") == 0) {
            for (int i = 0; attributes[i]; i += 2) {
                if (std::strcmp(attributes[i], "lat") == 0)
                    m_current.position.latitude = MicrodegreesFromText(attributes[i + 1]);
                else if (std::strcmp(attributes[i], "lon") == 0)
                    m_current.position.longitude = MicrodegreesFromText(attributes[i + 1]);
            }
        } else if (std::strcmp(name, "type") == 0) {
            m_field = Field::Type;
        } else if (std::strcmp(name, "link") == 0) {
            m_field = Field::Link;
        }
    }

    void EndElement(const char* name) override
    {
        if (std::strcmp(name, "waypoint") == 0) {
            if (m_inWaypoint)
                m_merge.Offer(std::move(m_current));
            m_inWaypoint = false;
        } else if (m_inWaypoint) {
            StoreText();
        }
        m_field = Field::None;
        m_text.clear();
    }

    void CharacterData(const char* data, int length) override
    {
        if (m_inWaypoint)
            m_text.append(data,
                          std::min(static_cast<size_t>(length), kMaxTextBytes - m_text.size()));
    }

    const CWaypointImportMerge& Merge() const { return m_merge; }

private:
    enum class Field { None, Name, Type, Link };

    void StoreText()
    {
        switch (m_field) {
        case Field::None:
            break;
        case Field::Name:
            m_current.strDescription = QString::fromUtf8(m_text);
            break;
        case Field::Type:
            // Files from geocaching.com say "geocache" in lower case.
            if (QString::fromUtf8(m_text).contains(QLatin1String("Geocache"),
                                                   Qt::CaseInsensitive)) {
                m_current.nType = kWaypointTypeGeocache;
                m_current.nGeocacheState = 0;
                m_current.bUseGeocacheStateForIconID = true;
            }
            break;
        case Field::Link:
            m_current.strURL = QString::fromUtf8(m_text).trimmed();
            break;
        }
    }

    CWaypointImportMerge m_merge;
    bool m_inWaypoint = false;
    CWaypoint m_current;
    Field m_field = Field::None;
    std::string m_text;
};

} // namespace

WaypointImportResult ImportLOCFile(CWaypointDB& db, const QString& path,
                                   const ImportProgress& progress)
{
    CLocReader reader(db);
    const XmlParseOutcome outcome = ParseXmlWaypointFile(path, reader, progress);
    return ImportResultOf(reader.Merge(), outcome.status, outcome.message);
}
