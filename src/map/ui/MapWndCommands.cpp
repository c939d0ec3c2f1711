// The commands of the map window: waypoints, navigation, track files and the map's own.
#include "map/ui/MapWnd.h"

#include "app/CommandIds.h"
#include "app/SettingsStore.h"
#include "app/ui/ViewContext.h"
#include "app/ui/ViewHost.h"
#include "geo/Units.h"
#include "gps/NMEAParser.h"
#include "map/MapCommandIds.h"
#include "map/MapWaypointCommands.h"
#include "map/ui/AltitudeProfileWnd.h"
#include "map/ui/MapSettingsSheet.h"
#include "map/ui/MapWaypointEditing.h"
#include "map/ui/ProjectWaypointDlg.h"
#include "map/ui/SelectWaypointDlg.h"
#include "map/ui/WaypointEditor.h"
#include "nav/TrackFileCommands.h"
#include "platform/Clock.h"
#include "platform/Prompts.h"
#include "platform/StringTable.h"
#include "platform/ui/DialogSeam.h"
#include "waypoints/WaypointFileCommands.h"

#include <QCoreApplication>

namespace {

const QString kMap = QStringLiteral("Map");

PromptAnswer Tell(int stringId, PromptButtons buttons, PromptIcon icon)
{
    return Prompts().Ask(LoadString(stringId), QCoreApplication::applicationName(), buttons, icon);
}

} // namespace

bool CMapWnd::HandleCommand(int id)
{
    CTrackLog& track = m_view->Track();
    switch (id) {
    case ID_TRACK_NEW:
        NewTrackFile(track);
        break;
    case ID_TRACK_OPEN:
        OpenTrackFile(track);
        break;
    case ID_TRACK_CLEAR:
        EraseTrack(track);
        break;
    case ID_TRACK_EXPORT_CSV:
        ExportTrack(track, TrackExportFormat::CSV);
        break;
    case ID_TRACK_EXPORT_KML:
        ExportTrack(track, TrackExportFormat::KML);
        break;
    case ID_TRACK_EXPORT_GPX:
        ExportTrack(track, TrackExportFormat::GPX);
        break;
    case ID_MAP_PROPERTIES:
        MapProperties();
        break;
    case ID_MAP_CENTRE_HERE:
        PanToScreenPoint(m_drag.TapPoint());
        break;
    case ID_MAP_CENTRE_ON_POSITION:
        m_view->Centre().SetMode(CMapCentre::CurrentPosition);
        break;
    case ID_MAP_SET_POSITION_HERE:
        m_navigation.SetCurrentPosition(m_view->Frame().ToWorld(m_drag.TapPoint()));
        break;
    case ID_MAP_NORTH_UP:
    case ID_MAP_COURSE_UP:
        SetNorthUp(id == ID_MAP_NORTH_UP);
        break;
    case ID_ALTITUDE_CLEAR:
        m_altitude->Profile().Clear();
        m_altitude->update();
        break;
    case ID_ALTITUDE_HIDE:
        WriteIntSetting(kMap, QStringLiteral("View Altitude Profile"), 0);
        ApplyViewSettings();
        break;
    case ID_NAVIGATION_HIDE:
        WriteIntSetting(kMap, QStringLiteral("View Navigation Window"), 0);
        ApplyViewSettings();
        break;
    default:
        if (!RunWaypointCommand(id))
            return false;
        break;
    }
    m_view->update();
    return true;
}

bool CMapWnd::RunWaypointCommand(int id)
{
    switch (id) {
    case ID_WAYPOINT_MARK:
        MarkAtPosition();
        break;
    case ID_MAP_CREATE_HERE:
        CreateAtTap();
        break;
    case ID_WAYPOINT_NEW:
        NewWaypoint();
        break;
    case ID_MAP_EDIT_THIS:
        EditWaypoint(PickTapWaypoint());
        break;
    case ID_WAYPOINT_EDIT:
        EditWaypoint(ChooseWaypoint(m_view->Store(), this));
        break;
    case ID_MAP_DELETE_THIS:
        DeleteWaypoint(PickTapWaypoint());
        break;
    case ID_WAYPOINT_DELETE:
        DeleteWaypoint(ChooseWaypoint(m_view->Store(), this));
        break;
    case ID_MAP_GOTO_THIS:
        GoToWaypoint(PickTapWaypoint());
        break;
    case ID_WAYPOINT_GOTO:
        GoToWaypoint(ChooseWaypoint(m_view->Store(), this));
        break;
    case ID_WAYPOINT_CANCEL_GOTO:
        m_navigation.StopNavigation();
        break;
    case ID_WAYPOINT_SHOW_ON_MAP:
        ShowOnMap(ChooseWaypoint(m_view->Store(), this));
        break;
    case ID_MAP_FOUND:
        MarkFound();
        break;
    case ID_MAP_NOT_FOUND:
        MarkNotFound();
        break;
    case ID_MAP_PROJECT_WAYPOINT:
        ProjectWaypoint();
        break;
    case ID_DATABASE_OPEN:
        OpenDatabase(m_view->Store());
        break;
    case ID_DATABASE_NEW:
        NewDatabase(m_view->Store());
        break;
    case ID_AVERAGING_START:
    case ID_AVERAGING_FINISH:
    case ID_AVERAGING_CANCEL:
    case ID_WAYPOINT_MANAGER:
    case ID_WAYPOINT_EXPORT:
    case ID_WAYPOINT_IMPORT:
        // The waypoint manager's windows come with their own work.
        Prompts().Ask(tr("This command is not available yet."), tr("Wendrift"), PromptButtons::Ok,
                      PromptIcon::Information);
        break;
    default:
        return false;
    }
    return true;
}

void CMapWnd::SetNorthUp(bool northUp)
{
    WriteIntSetting(kMap, QStringLiteral("North Up"), northUp ? 1 : 0);
    m_view->SetNorthUp(northUp);
}

void CMapWnd::PanToScreenPoint(QPoint point)
{
    const GeoPosition target = m_view->Frame().ToWorld(point);
    m_view->Centre().PanTo(target, m_navigation.CurrentPosition(), m_processor.DisplayedCourse());
    m_view->update();
}

int CMapWnd::PickTapWaypoint()
{
    const std::vector<int> hits = std::exchange(m_tapHits, {});
    if (hits.size() <= 1)
        return hits.empty() ? 0 : hits.front();
    if (Tell(270, PromptButtons::YesNo, PromptIcon::Question) != PromptAnswer::Yes)
        return 0;
    return ChooseWaypoint(m_view->Store(), hits, this);
}

void CMapWnd::SaveStore()
{
    SaveDatabase(m_view->Store());
}

void CMapWnd::MarkAtPosition()
{
    const int id = CreateWaypoint(m_view->Store(), m_navigation.CurrentPosition());
    if (id != 0)
        EditStoredWaypoint(m_view->Store(), id, IWaypointEditor::kFirstPage, this);
    SaveStore();
}

void CMapWnd::CreateAtTap()
{
    GeoPosition position = m_view->Frame().ToWorld(m_drag.TapPoint());
    position.altitude = static_cast<float>(m_context.fix.Gga().altitude);
    const int id = CreateWaypoint(m_view->Store(), position);
    if (id == 0) {
        Tell(222, PromptButtons::Ok, PromptIcon::Error);
        return;
    }
    EditStoredWaypoint(m_view->Store(), id, IWaypointEditor::kFirstPage, this);
    SaveStore();
}

void CMapWnd::NewWaypoint()
{
    CWaypoint waypoint;
    waypoint.strName = m_view->Store().MakeUniqueName();
    if (!WaypointEditor().EditWaypoint(waypoint, IWaypointEditor::kFirstPage, this))
        return;
    waypoint.timeWaypoint = static_cast<int32_t>(Clock::Now());
    if (m_view->Store().AddIfNameUnique(waypoint) > 0)
        SaveStore();
}

void CMapWnd::EditWaypoint(int id)
{
    if (id == 0)
        return;
    EditStoredWaypoint(m_view->Store(), id, IWaypointEditor::kFirstPage, this);
    // A clash followed by Cancel also changed the store: the old record has a new id.
    if (m_view->Store().IsModified())
        SaveStore();
}

void CMapWnd::DeleteWaypoint(int id)
{
    if (id != 0 && m_view->Store().DeleteByID(id))
        SaveStore();
}

void CMapWnd::GoToWaypoint(int id)
{
    CWaypoint waypoint;
    if (id != 0 && m_view->Store().GetByID(id, waypoint))
        m_navigation.GoTo(waypoint);
}

void CMapWnd::ShowOnMap(int id)
{
    CWaypoint waypoint;
    if (id == 0 || !m_view->Store().GetByID(id, waypoint))
        return;
    m_view->Centre().PanTo(waypoint.position, m_navigation.CurrentPosition(),
                           m_processor.DisplayedCourse());
    for (QWidget* w = parentWidget(); w; w = w->parentWidget()) {
        if (auto* host = qobject_cast<CViewHost*>(w)) {
            host->SelectTab(CViewHost::TabMap);
            break;
        }
    }
}

void CMapWnd::MarkFound()
{
    const std::vector<int> hits = std::exchange(m_tapHits, {});
    if (hits.size() != 1 || !MarkGeocacheFound(m_view->Store(), hits.front(), Clock::Now()))
        return;
    if (Tell(210, PromptButtons::YesNo, PromptIcon::Question) == PromptAnswer::Yes)
        EditStoredWaypoint(m_view->Store(), hits.front(), IWaypointEditor::kFieldNotesPage, this);
    SaveStore();
}

void CMapWnd::MarkNotFound()
{
    const std::vector<int> hits = std::exchange(m_tapHits, {});
    if (hits.size() == 1 && MarkGeocacheNotFound(m_view->Store(), hits.front()))
        SaveStore();
}

void CMapWnd::ProjectWaypoint()
{
    CWaypoint from;
    const int id = PickTapWaypoint();
    if (id == 0 || !m_view->Store().GetByID(id, from))
        return;
    CProjectWaypointDlg dialog(DistanceSpeedUnits(), this);
    if (ExecDialog(dialog) != QDialog::Accepted)
        return;
    const int created = CreateProjectedWaypoint(m_view->Store(), from, dialog.DistanceKm(),
                                                dialog.Bearing(), Clock::Now());
    if (created == 0)
        return;
    EditStoredWaypoint(m_view->Store(), created, IWaypointEditor::kFirstPage, this);
    SaveStore();
}

void CMapWnd::MapProperties()
{
    if (RunMapSettingsSheet(m_processor, this))
        ApplyViewSettings();
}
