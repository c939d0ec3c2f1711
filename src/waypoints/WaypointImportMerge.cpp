#include "waypoints/WaypointImportMerge.h"

#include "app/SettingsStore.h"
#include "platform/StringTable.h"
#include "waypoints/WaypointDB.h"

namespace {

const QString kSection = QStringLiteral("Settings");
const QString kImportModeKey = QStringLiteral("Waypoint Inport Mode");
constexpr int kImportSummary = 269;

} // namespace

int ReadImportMode()
{
    return ReadIntSetting(kSection, kImportModeKey, kImportKeepExisting);
}

void WriteImportMode(int mode)
{
    WriteIntSetting(kSection, kImportModeKey, mode);
}

QStringList ImportModeChoices()
{
    return {QStringLiteral("덮어쓰지 않기"), QStringLiteral("덮어쓰기")};
}

CWaypointImportMerge::CWaypointImportMerge(CWaypointDB& db, int importMode)
    : m_db(db), m_mode(importMode)
{}

void CWaypointImportMerge::Offer(CWaypoint waypoint)
{
    const int added = m_db.AddIfNameUnique(waypoint);
    if (added > 0)
        ++m_added;
    else if (added == 0 && m_mode == kImportReplaceExisting && m_db.ReplaceByName(waypoint) != 0)
        ++m_replaced;
}

QString CWaypointImportMerge::SummaryText() const
{
    // The table text is a printf format with two %d; filled in order.
    QString text = LoadString(kImportSummary);
    for (const int count : {m_added, m_replaced}) {
        const qsizetype at = text.indexOf(QLatin1String("%d"));
        if (at >= 0)
            text.replace(at, 2, QString::number(count));
    }
    return text;
}
