// The stylus on the map: taps, drag panning, "Exit Pan" and the tap-and-hold menu.
#include "map/ui/MapWnd.h"

#include "app/CommandIds.h"
#include "map/MapCommandIds.h"
#include "waypoints/WaypointDB.h"

#include <QMenu>

namespace {

constexpr int kStateFound = 1, kStateFoundAndLogged = 5, kStateNotFound = 0;

QAction* AddItem(QMenu* menu, int id, const QString& text)
{
    QAction* action = menu->addAction(text);
    action->setData(id);
    return action;
}

} // namespace

void CMapWnd::OnMapStylusDown(QPoint point)
{
    const QSize size = m_view->ClientPixels();
    m_drag.Down(point, QPoint(size.width() / 2, size.height() / 2));
    m_tapHits = m_view->WaypointsUnder(point);
}

void CMapWnd::OnMapStylusMove(QPoint point)
{
    if (const auto target = m_drag.Move(point))
        PanToScreenPoint(*target);
}

void CMapWnd::OnMapStylusUp(QPoint point)
{
    if (!m_drag.Up())
        return;
    if (m_view->Centre().GetMode() == CMapCentre::Pan && m_view->ExitPanBox().Contains(point)) {
        m_view->Centre().SetMode(CMapCentre::CurrentPosition);
        m_view->update();
    }
}

void CMapWnd::OnMapPopupMenu(QPoint point, QPoint global)
{
    // A right click comes without a stylus-down of its own; a hold did not move, so taking the
    // point again changes nothing for it.
    OnMapStylusDown(point);
    QMenu* menu = CreatePopupMenu(this);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    connect(menu, &QMenu::triggered, this,
            [this](QAction* action) { HandleCommand(action->data().toInt()); });
    menu->popup(global);
}

QMenu* CMapWnd::CreatePopupMenu(QWidget* parent)
{
    auto* menu = new QMenu(parent);
    menu->setObjectName(QStringLiteral("IDR_MAP_POPUP"));
    AddItem(menu, ID_MAP_CENTRE_HERE, tr("여기를 지도 중앙으로 설정(&C)"));
    AddItem(menu, ID_MAP_CENTRE_ON_POSITION, tr("현재 위치를 지도 중앙으로 설정(&P)"));
    AddItem(menu, ID_MAP_SET_POSITION_HERE, tr("여기를 현재위치로 설정(&S)"));
    menu->addSeparator();
    QAction* north = AddItem(menu, ID_MAP_NORTH_UP, tr("북향 기준(&N)"));
    QAction* course = AddItem(menu, ID_MAP_COURSE_UP, tr("진행방향 기준(&C)"));
    north->setCheckable(true);
    north->setChecked(m_view->NorthUp());
    course->setCheckable(true);
    course->setChecked(!m_view->NorthUp());
    menu->addSeparator();
    AddItem(menu, ID_MAP_CREATE_HERE, tr("여기에 중요지점 생성(&H)"));
    AddItem(menu, ID_WAYPOINT_MARK, tr("현재위치에 중요지점 생성(&M)"));
    AddItem(menu, ID_MAP_EDIT_THIS, tr("이 중요지점 수정(&E)"));
    AddItem(menu, ID_MAP_DELETE_THIS, tr("이 중요지점 삭제(&D)"));
    AddItem(menu, ID_MAP_GOTO_THIS, tr("이 중요지점으로 이동(&T)"));
    AddItem(menu, ID_WAYPOINT_CANCEL_GOTO, tr("이동 취소(&C)"));
    AddItem(menu, ID_MAP_PROJECT_WAYPOINT, tr("프로젝트 중요지점 생성(&R)"));
    QMenu* geocaching = menu->addMenu(tr("지오캐싱(&G)"));
    QAction* found = AddItem(geocaching, ID_MAP_FOUND, tr("찾았음(&F)"));
    QAction* notFound = AddItem(geocaching, ID_MAP_NOT_FOUND, tr("못찾음(&N)"));
    CWaypoint single;
    const bool one = m_tapHits.size() == 1 && m_view->Store().GetByID(m_tapHits.front(), single);
    found->setEnabled(one);
    notFound->setEnabled(one);
    found->setCheckable(true);
    notFound->setCheckable(true);
    found->setChecked(one && (single.nGeocacheState == kStateFound ||
                              single.nGeocacheState == kStateFoundAndLogged));
    notFound->setChecked(one && single.nGeocacheState == kStateNotFound);
    menu->addSeparator();
    AddItem(menu, ID_TRACK_CLEAR, tr("현재 경로 지우기(&E)"));
    AddItem(menu, ID_MAP_PROPERTIES, tr("지도 속성(&M)"));
    return menu;
}
