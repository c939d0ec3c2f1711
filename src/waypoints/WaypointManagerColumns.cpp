#include "waypoints/WaypointManagerColumns.h"

#include "app/SettingsStore.h"

#include <QCoreApplication>

#include <utility>

namespace {

const QString kSection = QStringLiteral("Waypoint Manager Column ID");

QString Tr(const char* text)
{
    return QCoreApplication::translate("CWaypointManagerColumns", text);
}

QString Key(const char* prefix, int index)
{
    return QLatin1String(prefix) + QString::number(index);
}

} // namespace

CWaypointManagerColumns CWaypointManagerColumns::Read()
{
    CWaypointManagerColumns columns;
    for (int p = 0; p < kPositions; ++p) {
        columns.m_kinds[p] = ReadIntSetting(kSection, Key("WMColID_", p), p);
        columns.m_shown[p] = ReadIntSetting(kSection, Key("Show_", p), 1) == 1;
    }
    return columns;
}

void CWaypointManagerColumns::Write() const
{
    for (int p = 0; p < kPositions; ++p) {
        WriteIntSetting(kSection, Key("WMColID_", p), m_kinds[p]);
        WriteIntSetting(kSection, Key("Show_", p), m_shown[p] ? 1 : 0);
    }
}

void CWaypointManagerColumns::MoveUp(int position)
{
    if (position <= 0 || position >= kPositions)
        return;
    std::swap(m_kinds[position], m_kinds[position - 1]);
    std::swap(m_shown[position], m_shown[position - 1]);
}

void CWaypointManagerColumns::MoveDown(int position)
{
    MoveUp(position + 1);
}

std::vector<int> CWaypointManagerColumns::ShownPositions() const
{
    std::vector<int> positions;
    for (int p = 0; p < kPositions; ++p)
        if (IsShown(p))
            positions.push_back(p);
    return positions;
}

std::vector<int> CWaypointManagerColumns::ColumnWidths(int listWidth) const
{
    std::vector<int> widths;
    for (const int p : ShownPositions()) {
        const int column = static_cast<int>(widths.size());
        widths.push_back(p == kPositions - 1
                             ? 2 * listWidth
                             : ReadIntSetting(kSection, Key("WMColWidth_", column), listWidth / 4));
    }
    return widths;
}

void CWaypointManagerColumns::WriteWidths(const std::vector<int>& widths)
{
    for (int column = 0; column < static_cast<int>(widths.size()) && column < kStoredWidths;
         ++column)
        WriteIntSetting(kSection, Key("WMColWidth_", column), widths[column]);
}

QString CWaypointManagerColumns::Title(int kind)
{
    switch (kind) {
    case kColumnName:
        return Tr("Name");
    case kColumnDistance:
        return Tr("Distance");
    case kColumnIcon:
        return Tr("Icon");
    case kColumnNotes:
        return Tr("Notes");
    case kColumnFieldNotes:
        return Tr("Field Notes");
    case kColumnTimeFound:
        return Tr("Time Found");
    default:
        return Tr("COL ERROR");
    }
}
