#include "app/ui/CommandBar.h"

#include "app/CommandIds.h"
#include "app/ui/ToolbarIcons.h"
#include "platform/StringTable.h"
#include "platform/ui/ScreenMetrics.h"

#include <QAction>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>

CCommandBar::CCommandBar(QMainWindow& frame, Handlers handlers)
    : QObject(&frame), m_handlers(std::move(handlers))
{
    BuildMenus(frame);
    BuildToolBar(frame);
}

QAction* CCommandBar::AddItem(QMenu* menu, int id, const QString& text, bool checkable)
{
    QAction* action = menu->addAction(text);
    action->setObjectName(QString::number(id));
    action->setCheckable(checkable);
    connect(action, &QAction::triggered, this, [this, id] { m_handlers.run(id); });
    m_actions.insert(id, action);
    return action;
}

void CCommandBar::BuildMenus(QMainWindow& frame)
{
    QMenuBar* bar = frame.menuBar();

    QMenu* file = bar->addMenu(tr("파일(&F)"));
    QMenu* track = file->addMenu(tr("경로 파일(&T)"));
    AddItem(track, ID_TRACK_NEW, tr("새 파일(&N)"));
    AddItem(track, ID_TRACK_OPEN, tr("열기(&O)"));
    AddItem(file, ID_TRACK_CLEAR, tr("현재 경로 지우기(&E)"));
    QMenu* exportTrack = file->addMenu(tr("경로 내보내기(&x)"));
    AddItem(exportTrack, ID_TRACK_EXPORT_CSV, tr("CSV로 내보내기"));
    AddItem(exportTrack, ID_TRACK_EXPORT_KML, tr("KML로 내보내기"));
    AddItem(exportTrack, ID_TRACK_EXPORT_GPX, tr("GPX로 내보내기"));
    file->addSeparator();
    AddItem(file, ID_APP_EXIT, tr("종료(&x)"));

    QMenu* waypoint = bar->addMenu(tr("&Waypoint"));
    AddItem(waypoint, ID_WAYPOINT_GOTO, tr("중요지점으로 이동(&G)"));
    AddItem(waypoint, ID_WAYPOINT_CANCEL_GOTO, tr("이동 취소(&C)"));
    waypoint->addSeparator();
    AddItem(waypoint, ID_WAYPOINT_MARK, tr("현재위치에 중요지점 생성(&M)"));
    AddItem(waypoint, ID_WAYPOINT_NEW, tr("새 중요지점 생성(&N)"));
    AddItem(waypoint, ID_WAYPOINT_EDIT, tr("중요지점 편집(&E)"));
    AddItem(waypoint, ID_WAYPOINT_DELETE, tr("중요지점 삭제(&D)"));
    AddItem(waypoint, ID_WAYPOINT_SHOW_ON_MAP, tr("지도에 중요지점 표시(&S)"));
    waypoint->addSeparator();
    AddItem(waypoint, ID_AVERAGING_START, tr("평균값 중요지점 생성(&W)"));
    AddItem(waypoint, ID_AVERAGING_FINISH, tr("평균값 중요지점 완료(&F)"));
    AddItem(waypoint, ID_AVERAGING_CANCEL, tr("평균값 중요지점 취소(&L)"));
    waypoint->addSeparator();
    AddItem(waypoint, ID_WAYPOINT_MANAGER, tr("중요지점 관리(&A)"));
    AddItem(waypoint, ID_WAYPOINT_IMPORT, tr("중요지점 들여오기(&I)"));
    AddItem(waypoint, ID_WAYPOINT_EXPORT, tr("GPX로 중요지점 내보내기(&X)"));
    AddItem(waypoint, ID_DATABASE_OPEN, tr("중요지점 파일 열기(&O)"));
    AddItem(waypoint, ID_DATABASE_NEW, tr("새 중요지점 파일(&B)"));

    QMenu* gps = bar->addMenu(tr("GPS"));
    AddItem(gps, ID_FIND_GPS, tr("포트 자동 설정(&A)"));
    AddItem(gps, ID_MANUAL_PORT_SETUP, tr("포트 수동 설정(&S)"), true);
    AddItem(gps, ID_CONNECT_DISCONNECT, LoadString(260));
    gps->addSeparator();
    QMenu* record = gps->addMenu(tr("로그 기록(&R)"));
    AddItem(record, ID_LOG_RECORD_START, tr("시작(&S)"));
    AddItem(record, ID_LOG_RECORD_STOP, tr("멈춤(&T)"));
    AddItem(gps, ID_LOG_PLAYBACK, tr("로그 재생(&P)"), true);
    gps->addSeparator();
    AddItem(gps, ID_GNSS_TALKERS, tr("모든 GNSS 위성 시스템 사용(&G)"), true);
    gps->addSeparator();
    AddItem(gps, ID_SIRF_OUTPUT, tr("SiRF 출력 설정"));
    AddItem(gps, ID_SIRF_PARAMETERS, tr("SiRF 파라미터 설정"));

    QMenu* settings = bar->addMenu(tr("설정(&S)"));
    AddItem(settings, ID_MAP_PROPERTIES, tr("지도 속성(&M)"));
    AddItem(settings, ID_IMPORT_SETTINGS, tr("중요지점 들여오기 방법(&I)"));
    AddItem(settings, ID_UNITS, tr("표시 단위(&U)"));
    AddItem(settings, ID_MISC_SETTINGS, tr("기타 설정(&S)"));

    QMenu* view = bar->addMenu(tr("보기(&V)"));
    AddItem(view, ID_VIEW_STATUS_BAR, tr("상태 표시(&S)"), true);
    AddItem(view, ID_VIEW_TABS, tr("탭 선택(&W)"), true);

    QMenu* help = bar->addMenu(tr("도움말(&H)"));
    AddItem(help, ID_HELP, tr("도움말(&H)"));
    AddItem(help, ID_APP_ABOUT, tr("Wendrift은?"));

    for (QMenu* menu : {file, waypoint, gps, settings, view, help})
        connect(menu, &QMenu::aboutToShow, this, &CCommandBar::Refresh);
}

void CCommandBar::BuildToolBar(QMainWindow& frame)
{
    m_toolBar = frame.addToolBar(tr("Tools"));
    m_toolBar->setObjectName(QStringLiteral("ToolBar"));
    m_toolBar->setMovable(false);
    const int size = ScreenMetrics::IsHighResolution(&frame) ? 32 : 16;
    m_toolBar->setIconSize(QSize(size, size));
    struct Button {
        int id;
        ToolbarPicture picture;
        QString tip;
    };
    const Button buttons[] = {
        {ID_WAYPOINT_MARK, ToolbarPicture::MarkWaypoint, tr("현재위치에 중요지점 생성")},
        {ID_WAYPOINT_GOTO, ToolbarPicture::GoTo, tr("중요지점으로 이동")},
        {ID_MAP_PROPERTIES, ToolbarPicture::MapProperties, tr("지도 속성")},
        {ID_CONNECT_DISCONNECT, ToolbarPicture::ConnectDisconnect, LoadString(260)},
        {ID_WAYPOINT_MANAGER, ToolbarPicture::WaypointManager, LoadString(287)},
    };
    for (const Button& button : buttons) {
        QAction* action = m_toolBar->addAction(MakeToolbarIcon(button.picture, size), button.tip);
        action->setToolTip(button.tip);
        action->setObjectName(QStringLiteral("tool-%1").arg(button.id));
        const int id = button.id;
        connect(action, &QAction::triggered, this, [this, id] { m_handlers.run(id); });
    }
}

void CCommandBar::Refresh()
{
    for (auto it = m_actions.cbegin(); it != m_actions.cend(); ++it) {
        if (it.value()->isCheckable())
            it.value()->setChecked(m_handlers.checked(it.key()));
        it.value()->setEnabled(m_handlers.enabled(it.key()));
    }
}
