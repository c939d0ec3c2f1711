#include "waypoints/WaypointDB.h"

#include "geo/Geodesy.h"
#include "platform/Prompts.h"
#include "platform/SafeFile.h"

#include <QFileInfo>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

constexpr int64_t kCellSpan = 100000;         // microdegrees: 0.1 degree
constexpr int64_t kWalkLimit = 999000000;     // corners of a walk are clamped to this
constexpr int64_t kAlarmSearchHalfBox = 1000; // microdegrees around the position, at least
constexpr double kRadiansPerDegree = std::numbers::pi / 180.0;

// Truncating division, like the cell formula: points just west of -180 or south of -90
// degrees still fall into the first column or row.
int64_t ColumnStep(int64_t longitude)
{
    return (longitude + 180000000) / kCellSpan;
}

int64_t RowStep(int64_t latitude)
{
    return (latitude + 90000000) / kCellSpan;
}

// Into 0..199, also for the negative steps of a walk's clamped corners.
int WrapToGrid(int64_t step)
{
    const auto index = static_cast<int>(step % CWaypointDB::kGridSize);
    return index < 0 ? index + CWaypointDB::kGridSize : index;
}

auto IDOrder = [](const CWaypoint& waypoint, int id) { return waypoint.nID < id; };

} // namespace

CWaypointDB::CWaypointDB() : m_cells(kCellCount)
{}

int CWaypointDB::CellIndex(const GeoPosition& position)
{
    const int64_t column = ColumnStep(position.longitude) % kGridSize;
    const int64_t row = RowStep(position.latitude) % kGridSize;
    // A negative column would alias a cell of the row below, so it is as invalid as a
    // negative row.
    if (column < 0 || row < 0)
        return kNoCell;
    return static_cast<int>(row * kGridSize + column);
}

int CWaypointDB::AddByPosition(CWaypoint waypoint)
{
    const int cell = CellIndex(waypoint.position);
    if (cell == kNoCell)
        return -1;
    const int id = m_nextID++;
    waypoint.nID = id;
    WidenAlarmReach(waypoint.dActiveWPDistance);
    m_cellOfID[id] = cell;
    m_idsOfName[waypoint.strName].push_back(id);
    m_cells[cell].push_back(std::move(waypoint));
    ++m_count;
    m_modified = true;
    return id;
}

int CWaypointDB::AddIfNameUnique(CWaypoint waypoint)
{
    if (NameExists(waypoint.strName))
        return 0;
    return AddByPosition(std::move(waypoint));
}

bool CWaypointDB::NameExists(const QString& name) const
{
    return m_idsOfName.contains(name);
}

int CWaypointDB::FirstIDOfName(const QString& name) const
{
    const auto found = m_idsOfName.find(name);
    if (found == m_idsOfName.end())
        return 0;
    int bestID = 0, bestCell = kCellCount;
    for (const int id : found->second) {
        const int cell = m_cellOfID.at(id);
        if (cell < bestCell || (cell == bestCell && id < bestID)) {
            bestCell = cell;
            bestID = id;
        }
    }
    return bestID;
}

const CWaypoint* CWaypointDB::Find(int id, int* cellOut) const
{
    const auto found = m_cellOfID.find(id);
    if (found == m_cellOfID.end())
        return nullptr;
    const std::vector<CWaypoint>& records = m_cells[found->second];
    const auto at = std::lower_bound(records.begin(), records.end(), id, IDOrder);
    if (at == records.end() || at->nID != id)
        return nullptr;
    if (cellOut)
        *cellOut = found->second;
    return &*at;
}

void CWaypointDB::InsertInIDOrder(int cell, CWaypoint&& waypoint)
{
    std::vector<CWaypoint>& records = m_cells[cell];
    const auto at = std::lower_bound(records.begin(), records.end(), waypoint.nID, IDOrder);
    m_cellOfID[waypoint.nID] = cell;
    records.insert(at, std::move(waypoint));
}

int CWaypointDB::ReplaceByName(CWaypoint& waypoint)
{
    const int id = FirstIDOfName(waypoint.strName);
    const int newCell = CellIndex(waypoint.position);
    int oldCell = kNoCell;
    if (id == 0 || newCell == kNoCell || !Find(id, &oldCell))
        return 0;
    waypoint.nID = id;
    WidenAlarmReach(waypoint.dActiveWPDistance);
    std::vector<CWaypoint>& records = m_cells[oldCell];
    const auto at = std::lower_bound(records.begin(), records.end(), id, IDOrder);
    if (newCell == oldCell) {
        *at = waypoint;
    } else {
        // The record follows its new position, so the map and the alarm find it there.
        CWaypoint moved = std::move(*at);
        records.erase(at);
        moved = waypoint;
        InsertInIDOrder(newCell, std::move(moved));
    }
    m_modified = true;
    return id;
}

int CWaypointDB::DeleteByID(int id)
{
    int cell = kNoCell;
    const CWaypoint* record = Find(id, &cell);
    if (!record)
        return 0;
    if (const auto names = m_idsOfName.find(record->strName); names != m_idsOfName.end()) {
        std::erase(names->second, id);
        if (names->second.empty())
            m_idsOfName.erase(names);
    }
    m_cellOfID.erase(id);
    std::vector<CWaypoint>& records = m_cells[cell];
    records.erase(records.begin() + (record - records.data()));
    --m_count;
    m_modified = true;
    return 1;
}

bool CWaypointDB::GetByID(int id, CWaypoint& out) const
{
    const CWaypoint* record = Find(id);
    out = record ? *record : CWaypoint();
    out.bAlarmLatched = record && record->bAlarmLatched;
    return record != nullptr;
}

QString CWaypointDB::MakeUniqueName() const
{
    for (int n = 0;; ++n) {
        QString name = QStringLiteral("WPT %1").arg(n, 5, 10, QLatin1Char('0'));
        if (!NameExists(name))
            return name;
    }
}

CWaypointDB::RectangleWalk CWaypointDB::RectangleWalk::Over(int64_t latitude1, int64_t longitude1,
                                                            int64_t latitude2, int64_t longitude2)
{
    auto clamp = [](int64_t value) { return std::clamp(value, -kWalkLimit, kWalkLimit); };
    const int64_t south = clamp(std::min(latitude1, latitude2));
    const int64_t north = clamp(std::max(latitude1, latitude2));
    const int64_t west = clamp(std::min(longitude1, longitude2));
    const int64_t east = clamp(std::max(longitude1, longitude2));

    RectangleWalk walk;
    const int64_t firstColumn = ColumnStep(west), lastColumn = ColumnStep(east);
    const int64_t firstRow = RowStep(south), lastRow = RowStep(north);
    walk.startColumn = WrapToGrid(firstColumn);
    walk.startRow = WrapToGrid(firstRow);
    // A rectangle as wide (high) as the grid or wider covers every column (row) once.
    walk.endColumn =
        lastColumn - firstColumn + 1 >= kGridSize ? walk.startColumn : WrapToGrid(lastColumn + 1);
    walk.endRow = lastRow - firstRow + 1 >= kGridSize ? walk.startRow : WrapToGrid(lastRow + 1);
    walk.column = walk.startColumn;
    walk.row = walk.startRow;
    walk.done = false;
    return walk;
}

int CWaypointDB::RectangleWalk::Next()
{
    if (done)
        return kNoCell;
    const int cell = row * kGridSize + column;
    column = (column + 1) % kGridSize;
    if (column == endColumn) {
        column = startColumn;
        row = (row + 1) % kGridSize;
        done = row == endRow;
    }
    return cell;
}

void CWaypointDB::BeginRectangle(const GeoPosition& corner1, const GeoPosition& corner2)
{
    m_walk = RectangleWalk::Over(corner1.latitude, corner1.longitude, corner2.latitude,
                                 corner2.longitude);
}

int CWaypointDB::NextCell()
{
    return m_walk.Next();
}

std::span<const CWaypoint> CWaypointDB::CellWaypoints(int cell) const
{
    if (cell < 0 || cell >= kCellCount)
        return {};
    return m_cells[cell];
}

std::span<CWaypoint> CWaypointDB::MutableCellWaypoints(int cell)
{
    if (cell < 0 || cell >= kCellCount)
        return {};
    return m_cells[cell];
}

int CWaypointDB::FindAlarmWaypoint(const GeoPosition& current, CWaypoint& out)
{
    ReleaseLatchesLeft(current);
    const auto [halfHeight, halfWidth] = AlarmSearchHalfBox(current);
    RectangleWalk walk = RectangleWalk::Over(
        int64_t{current.latitude} - halfHeight, int64_t{current.longitude} - halfWidth,
        int64_t{current.latitude} + halfHeight, int64_t{current.longitude} + halfWidth);
    for (int cell = walk.Next(); cell != kNoCell; cell = walk.Next()) {
        for (CWaypoint& waypoint : m_cells[cell]) {
            // Cells repeat every 20 degrees: the distance tells the near point from its twins.
            if (!waypoint.bActiveWaypoint || waypoint.bAlarmLatched ||
                PositionDistance(waypoint.position, current) > waypoint.dActiveWPDistance)
                continue;
            waypoint.bAlarmLatched = true;
            m_latchedIDs.push_back(waypoint.nID);
            out = waypoint;
            return 1;
        }
    }
    return 0;
}

void CWaypointDB::ReleaseLatchesLeft(const GeoPosition& current)
{
    std::erase_if(m_latchedIDs, [&](int id) {
        auto* waypoint = const_cast<CWaypoint*>(Find(id));
        if (!waypoint)
            return true;
        if (waypoint->bActiveWaypoint &&
            PositionDistance(waypoint->position, current) <= waypoint->dActiveWPDistance)
            return false;
        waypoint->bAlarmLatched = false;
        return true;
    });
}

std::pair<int64_t, int64_t> CWaypointDB::AlarmSearchHalfBox(const GeoPosition& current) const
{
    // Slightly fewer km to the degree than the distance sphere has, so the box errs large.
    constexpr double kKmPerDegree = 111.0;
    const double reachDegrees = std::min(m_alarmReach / kKmPerDegree, 180.0);
    const int64_t halfHeight =
        std::max(kAlarmSearchHalfBox, static_cast<int64_t>(std::ceil(reachDegrees * 1e6)));
    // Degrees of longitude shrink toward the poles; measured at the box's edge nearest one.
    const double farthestLatitude = std::abs(current.latitude * 1e-6) + reachDegrees;
    const double shrink =
        farthestLatitude < 89.9 ? std::cos(farthestLatitude * kRadiansPerDegree) : 0.0;
    const int64_t fullCircle = 360000000;
    const int64_t halfWidth =
        shrink > 0.0 ? std::min(fullCircle, static_cast<int64_t>(std::ceil(halfHeight / shrink)))
                     : fullCircle;
    return {halfHeight, halfWidth};
}

void CWaypointDB::WidenAlarmReach(double radius)
{
    if (std::isfinite(radius))
        m_alarmReach = std::max(m_alarmReach, radius);
}

void CWaypointDB::SetNavigationTarget(const CWaypoint& target, const GeoPosition& legStart)
{
    m_target = target;
    m_target.bArrived = false;
    m_legStart = legStart;
}

void CWaypointDB::SetNavigating(bool navigating)
{
    m_navigating = navigating;
    if (!navigating)
        m_target = CWaypoint();
}

void CWaypointDB::Clear()
{
    for (std::vector<CWaypoint>& records : m_cells)
        if (records.capacity() > 0) // most of the 40,000 cells never held a record
            std::vector<CWaypoint>().swap(records);
    m_cellOfID.clear();
    m_idsOfName.clear();
    m_latchedIDs.clear();
    m_alarmReach = 0.0;
    m_count = 0;
}

int CWaypointDB::Save(const QString& path)
{
    const bool overOriginal =
        !m_keepBeforeSaving.isEmpty() && QFileInfo(path).canonicalFilePath() == m_keepBeforeSaving;
    if (overOriginal && !KeepCopyBeside(path, m_keepSuffix))
        return 0;
    if (!WriteWaypointFile(path, *this))
        return 0;
    if (overOriginal)
        m_keepBeforeSaving.clear();
    m_modified = false;
    return 1;
}

WaypointLoadResult CWaypointDB::Load(const QString& path, bool rewriteLegacy)
{
    Clear();
    m_keepBeforeSaving.clear();
    WaypointLoadResult result = ReadWaypointFile(
        path, [this](CWaypoint&& waypoint) { AddByPosition(std::move(waypoint)); });
    if (result.olderFormat)
        Prompts().Beep();
    const bool legacy = result.Succeeded() && result.version == kLegacyWaypointFileVersion;
    if (result.status == WaypointLoadStatus::Damaged || legacy) {
        m_keepBeforeSaving = QFileInfo(path).canonicalFilePath();
        m_keepSuffix = QString::fromLatin1(legacy ? kLegacyBackupSuffix : kDamagedCopySuffix);
    }
    if (legacy && rewriteLegacy) {
        result.legacyRewritten = Save(path) == 1;
        if (result.legacyRewritten)
            result.backupPath = path + m_keepSuffix;
    }
    m_modified = false;
    return result;
}
