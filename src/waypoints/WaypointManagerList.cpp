#include "waypoints/WaypointManagerList.h"

#include "geo/Geodesy.h"
#include "geo/Units.h"
#include "waypoints/Waypoint.h"
#include "waypoints/WaypointDB.h"
#include "waypoints/WaypointManagerColumns.h"

#include <QCoreApplication>
#include <QDateTime>

#include <algorithm>
#include <string_view>

namespace {

constexpr double kLongestBoxKm = 1000.0;
constexpr int64_t kPolarLimit = 89'000'000;

QString IconName(int32_t icon)
{
    return icon >= 0 && icon < kIconCount ? QString::fromUtf8(GetIconTable()[icon]) : QString();
}

struct SortKey {
    static constexpr qsizetype kPrefixUnits = 8;

    // The first eight code units, the first in the highest bits; missing ones are 0.
    uint64_t high = 0, low = 0;
    std::u16string_view text;
    size_t row = 0;

    static SortKey Of(const QString& text, size_t row)
    {
        SortKey key;
        for (qsizetype i = 0; i < kPrefixUnits; ++i) {
            uint64_t& half = i < kPrefixUnits / 2 ? key.high : key.low;
            half = half << 16 | (i < text.size() ? text[i].unicode() : 0u);
        }
        key.text = std::u16string_view(reinterpret_cast<const char16_t*>(text.utf16()),
                                       static_cast<size_t>(text.size()));
        key.row = row;
        return key;
    }
    bool operator<(const SortKey& other) const
    {
        if (high != other.high)
            return high < other.high;
        if (low != other.low)
            return low < other.low;
        // Equal prefixes of texts that fit in them: the shorter one is a prefix of the other.
        if (text.size() <= kPrefixUnits && other.text.size() <= kPrefixUnits)
            return text.size() < other.text.size();
        return text < other.text;
    }
};

// The key a text column sorts by: its text in upper case.
QString UpperKey(const WaypointListRow& row, int kind)
{
    switch (kind) {
    case kColumnName:
        return row.waypoint->strName.toUpper();
    case kColumnIcon:
        return IconName(row.icon).toUpper();
    case kColumnNotes:
        return row.waypoint->strDescription.toUpper();
    default:
        return row.waypoint->strFieldNotes.toUpper();
    }
}

} // namespace

void CWaypointManagerList::Fill(CWaypointDB& db, const GeoPosition& current,
                                const WaypointListFilter& filter)
{
    m_rows.clear();
    const auto consider = [&](CWaypoint& waypoint) {
        const double distance = PositionDistance(current, waypoint.position);
        if ((filter.nearestOnly && !(distance <= filter.maxDistanceKm)) ||
            !PassesSearch(waypoint, filter))
            return;
        waypoint.dDistance = distance;
        m_rows.push_back({&waypoint, waypoint.nID, distance, waypoint.ResolveIcon()});
    };
    const GeoPosition east = DestinationPoint(current, filter.maxDistanceKm, 90.0);
    const GeoPosition north = DestinationPoint(current, filter.maxDistanceKm, 0.0);
    const int64_t dLatitude = std::abs(int64_t{north.latitude} - current.latitude);
    const int64_t dLongitude = std::abs(int64_t{east.longitude} - current.longitude);
    // Across a pole or half the earth the east and north points no longer bound the circle.
    const bool boxBoundsCircle = filter.maxDistanceKm <= kLongestBoxKm &&
                                 std::abs(int64_t{current.latitude}) + dLatitude < kPolarLimit;
    if (!filter.nearestOnly || !boxBoundsCircle) {
        m_rows.reserve(filter.nearestOnly ? 0 : db.GetCount());
        for (int cell = 0; cell < CWaypointDB::kCellCount; ++cell)
            for (CWaypoint& waypoint : db.MutableCellWaypoints(cell))
                consider(waypoint);
        return;
    }
    db.BeginRectangle({static_cast<int32_t>(current.latitude - dLatitude),
                       static_cast<int32_t>(current.longitude - dLongitude), 0.0f},
                      {static_cast<int32_t>(current.latitude + dLatitude),
                       static_cast<int32_t>(current.longitude + dLongitude), 0.0f});
    for (int cell = db.NextCell(); cell != CWaypointDB::kNoCell; cell = db.NextCell())
        for (CWaypoint& waypoint : db.MutableCellWaypoints(cell))
            consider(waypoint);
}

bool CWaypointManagerList::PassesSearch(const CWaypoint& waypoint, const WaypointListFilter& filter)
{
    if (!filter.searchEnabled)
        return true;
    const auto found = [&](const QString& text) {
        return filter.matchCase ? text.contains(filter.searchText)
                                : text.toUpper().contains(filter.searchText.toUpper());
    };
    return found(waypoint.strName) || found(waypoint.strFieldNotes) ||
           found(waypoint.strDescription);
}

void CWaypointManagerList::Sort(int kind)
{
    switch (kind) {
    case kColumnDistance:
        std::stable_sort(m_rows.begin(), m_rows.end(),
                         [](const auto& a, const auto& b) { return a.distanceKm < b.distanceKm; });
        return;
    case kColumnTimeFound:
        std::stable_sort(m_rows.begin(), m_rows.end(), [](const auto& a, const auto& b) {
            return static_cast<uint32_t>(a.waypoint->timeGeochacheFound) <
                   static_cast<uint32_t>(b.waypoint->timeGeochacheFound);
        });
        return;
    case kColumnName:
    case kColumnIcon:
    case kColumnNotes:
    case kColumnFieldNotes:
        break;
    default:
        return;
    }
    // Upper-case each text once, then order the rows by those keys in code-unit order, as
    // QString's operator< does. The first eight code units, packed, settle most comparisons
    // without reaching into the texts: this is the sort's hot loop.
    std::vector<QString> texts;
    texts.reserve(m_rows.size());
    std::vector<SortKey> keys;
    keys.reserve(m_rows.size());
    for (size_t i = 0; i < m_rows.size(); ++i) {
        texts.push_back(UpperKey(m_rows[i], kind));
        keys.push_back(SortKey::Of(texts.back(), i));
    }
    std::stable_sort(keys.begin(), keys.end());
    std::vector<WaypointListRow> sorted;
    sorted.reserve(m_rows.size());
    for (const SortKey& key : keys)
        sorted.push_back(m_rows[key.row]);
    m_rows = std::move(sorted);
}

QString CWaypointManagerList::DistanceText(double km)
{
    const double distance = KmToLong(km);
    return QString::asprintf(distance >= 10.0 ? "%.01f" : "%.02f", distance) + QLatin1Char(' ') +
           LongDistanceUnitName();
}

QString CWaypointManagerList::TimeFoundText(int32_t seconds)
{
    const QDateTime local = QDateTime::fromSecsSinceEpoch(static_cast<uint32_t>(seconds));
    const QDate date = local.date();
    const QTime time = local.time();
    return QString::asprintf("%04d %02d/%02d %02d:%02d:%02d", date.year(), date.month(), date.day(),
                             time.hour(), time.minute(), time.second());
}

QString CWaypointManagerList::CellText(const WaypointListRow& row, int kind)
{
    switch (kind) {
    case kColumnName:
        return row.waypoint->strName;
    case kColumnDistance:
        return DistanceText(row.distanceKm);
    case kColumnIcon:
        return IconName(row.icon);
    case kColumnNotes:
        return row.waypoint->strDescription;
    case kColumnFieldNotes:
        return row.waypoint->strFieldNotes;
    case kColumnTimeFound:
        return TimeFoundText(row.waypoint->timeGeochacheFound);
    default:
        return QCoreApplication::translate("CWaypointManagerList", "ERROR - UNKNOWN FIELD");
    }
}
