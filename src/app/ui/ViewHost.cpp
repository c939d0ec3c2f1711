#include "app/ui/ViewHost.h"

#include "app/SettingsStore.h"
#include "app/ui/ViewTabCtrl.h"
#include "gps/NMEAParser.h"
#include "map/ui/MapWnd.h"
#include "nav/ui/DigitalPanelWnd.h"
#include "platform/MessageSink.h"
#include "platform/Messages.h"
#include "views/ui/AnalysisWnd.h"
#include "views/ui/GPSStatusWnd.h"
#include "views/ui/GaugePanelWnd.h"

#include <QCoreApplication>
#include <QKeyEvent>

namespace {
const QString kSettings = QStringLiteral("Settings");
const QString kTabsEnabled = QStringLiteral("Window Tabs Enabled");
} // namespace

CViewHost::CViewHost(ViewContext& context, QWidget* parent)
    : QWidget(parent), m_context(context), m_tabs(nullptr)
{
    setObjectName(QStringLiteral("ViewHost"));
    setFocusPolicy(Qt::StrongFocus);
    // Created in this order; the map window comes third and the views before it find it later.
    m_status = new CGPSStatusWnd(context, this);
    m_gaugePanel = new CGaugePanelWnd(context, this);
    m_map = new CMapWnd(context, this);
    context.map = m_map;
    m_digitalPanel = new CDigitalPanelWnd(context, this);
    m_analysis = new CAnalysisWnd(context, this);

    m_tabs = new CViewTabCtrl(this);
    m_tabs->AddPage(m_status, tr("GPS"));
    m_tabs->AddPage(m_gaugePanel, tr("Panel"));
    m_tabs->AddPage(m_digitalPanel, tr("Trip"));
    m_tabs->AddPage(m_map, tr("Map"));
    m_tabs->AddPage(m_analysis, tr("Analysis"));
    m_tabs->SetTabsVisible(ReadIntSetting(kSettings, kTabsEnabled, 1) == 1);
    m_tabs->SelectPage(TabGps);
}

QWidget* CViewHost::TabWindow(int tab) const
{
    return m_tabs->PageWindow(tab);
}

void CViewHost::SelectTab(int tab)
{
    m_tabs->SelectPage(tab);
}

void CViewHost::StepTab(int step)
{
    const int count = m_tabs->PageCount();
    if (count == 0)
        return;
    m_tabs->SelectPage((m_tabs->CurrentPage() + step + count) % count);
}

void CViewHost::ToggleTabs()
{
    const bool visible = !m_tabs->TabsVisible();
    m_tabs->SetTabsVisible(visible);
    WriteIntSetting(kSettings, kTabsEnabled, visible ? 1 : 0);
    update();
}

bool CViewHost::TabsVisible() const
{
    return m_tabs->TabsVisible();
}

void CViewHost::RunViewTimersOnce()
{
    m_status->RunTimersOnce();
    m_gaugePanel->RunTimersOnce();
    m_map->RunTimersOnce();
    m_digitalPanel->RunTimersOnce();
    m_analysis->RunTimersOnce();
}

bool CViewHost::event(QEvent* event)
{
    if (event->type() != CPostedMessageEvent::EventType())
        return QWidget::event(event);
    switch (static_cast<CPostedMessageEvent*>(event)->Message()) {
    case WM_GPS_GGA:
        OnGpsGGA();
        break;
    case WM_GPS_RMC:
        OnGpsRMC();
        break;
    default: // GSV: the satellite views refresh on the next GGA
        break;
    }
    return true;
}

void CViewHost::OnGpsGGA()
{
    QCoreApplication::postEvent(m_map, new CPostedMessageEvent(WM_GPS_GGA));
    if (m_digitalPanel->isVisible())
        m_digitalPanel->update();
    const CNMEAParser& fix = m_context.fix;
    m_analysis->AddFixValues(fix.Rmc().speed, fix.Gga().altitude, fix.Gga().verticalSpeed,
                             m_map->CurrentCrossTrack());
    if (m_gaugePanel->isVisible())
        m_gaugePanel->update();
    if (m_status->isVisible())
        m_status->update();
}

void CViewHost::OnGpsRMC()
{
    m_analysis->AddAcceleration(m_context.fix.Rmc().acceleration);
}

void CViewHost::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Right:
        StepTab(1);
        break;
    case Qt::Key_Left:
        StepTab(-1);
        break;
    case Qt::Key_Up:
    case Qt::Key_Down:
        if (m_map->isVisible())
            m_map->OnArrowKey(event->key() == Qt::Key_Up);
        else if (m_analysis->isVisible())
            m_analysis->OnArrowKey(event->key() == Qt::Key_Up);
        break;
    default:
        QWidget::keyPressEvent(event);
        return;
    }
    event->accept();
}

void CViewHost::resizeEvent(QResizeEvent*)
{
    m_tabs->setGeometry(rect());
}
