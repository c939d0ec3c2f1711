#include "views/ui/GaugePanelWnd.h"

#include "app/ui/ViewContext.h"
#include "geo/Units.h"
#include "gps/NMEAParser.h"
#include "map/ui/MapWnd.h"
#include "nav/ui/PanelGridWnd.h"
#include "platform/ui/DialogSeam.h"
#include "platform/ui/PopupMenu.h"
#include "views/PixelMath.h"
#include "views/ViewCommandIds.h"
#include "views/ui/GaugeColors.h"
#include "views/ui/PanelTint.h"
#include "views/ui/SpeedSetupDlg.h"

namespace {

struct GaugeCommand {
    int id;
    int gauge;
    const char* text;
};
const GaugeCommand kGaugeCommands[] = {
    {ID_GAUGE_ALTIMETER, kGaugeAltimeter, QT_TRANSLATE_NOOP("CGaugePanelWnd", "고도계(&A)")},
    {ID_GAUGE_COMPASS, kGaugeCompass, QT_TRANSLATE_NOOP("CGaugePanelWnd", "나침반(&O)")},
    {ID_GAUGE_SPEEDOMETER, kGaugeSpeedometer, QT_TRANSLATE_NOOP("CGaugePanelWnd", "속도계(&P)")},
    {ID_GAUGE_VERTICAL_SPEED, kGaugeVerticalSpeed,
     QT_TRANSLATE_NOOP("CGaugePanelWnd", "수직속도계(&V)")},
};

} // namespace

CGaugePanelWnd::CGaugePanelWnd(ViewContext& context, QWidget* parent)
    : CBufferedView(QStringLiteral("Panel"), parent), m_context(context),
      m_navStrip(new CPanelGridWnd(context, QStringLiteral("NavWnd"), QStringLiteral("PanelView"),
                                   CPanelGridWnd::kGaugeStripMenu, this))
{
    m_navStrip->SetLayout(1, 3, false);
    m_navStrip->SetCommandFilter(
        [this](int id) { return id == ID_PANEL_CHANGE_FIELD && ChangeStripField(); });
    m_navStrip->setVisible(m_state.IsNavStripShown());
    m_secondTimer.setInterval(kSecondMs);
    connect(&m_secondTimer, &QTimer::timeout, this, &CGaugePanelWnd::OnSecondTimer);
    m_secondTimer.start();
    m_smoothTimer.setInterval(kSmoothMs);
    connect(&m_smoothTimer, &QTimer::timeout, this, &CGaugePanelWnd::OnSmoothTimer);
    SyncSmoothTimer();
}

GaugeReadings CGaugePanelWnd::RawReadings() const
{
    GaugeReadings raw;
    raw.course = m_context.map ? m_context.map->Processor().DisplayedCourse() : 0.0;
    raw.altitude = m_context.fix.Gga().altitude;
    raw.speed = m_context.fix.Rmc().speed;
    raw.verticalSpeed = m_context.fix.Gga().verticalSpeed;
    return raw;
}

void CGaugePanelWnd::SyncSmoothTimer()
{
    if (m_state.IsFastTimerRunning() && !m_smoothTimer.isActive())
        m_smoothTimer.start();
    else if (!m_state.IsFastTimerRunning())
        m_smoothTimer.stop();
}

void CGaugePanelWnd::OnSecondTimer()
{
    m_state.OnSecondTick(RawReadings());
    SyncSmoothTimer();
    if (isVisible())
        update();
}

void CGaugePanelWnd::OnSmoothTimer()
{
    m_state.OnFastTick(RawReadings());
    if (isVisible())
        update();
}

void CGaugePanelWnd::RunTimersOnce()
{
    OnSecondTimer();
    if (m_smoothTimer.isActive())
        OnSmoothTimer();
}

void CGaugePanelWnd::resizeEvent(QResizeEvent* event)
{
    CBufferedView::resizeEvent(event);
    ApplyLayout();
}

void CGaugePanelWnd::ApplyLayout()
{
    const GaugePanelLayout layout = m_state.Layout(rect());
    m_navStrip->setVisible(m_state.IsNavStripShown());
    if (!m_state.IsNavStripShown())
        return;
    m_navStrip->setGeometry(layout.strip);
    if (layout.stripAtRight)
        m_navStrip->SetLayout(3, 1, false);
    else
        m_navStrip->SetLayout(1, 3, false);
}

void CGaugePanelWnd::SetColors()
{
    const GaugeColors colors = ReadGaugeColors();
    for (CDialGauge* gauge : std::initializer_list<CDialGauge*>{&m_compass, &m_altimeter,
                                                                &m_speedometer, &m_verticalSpeed})
        gauge->SetColors(colors.indicator, colors.text, colors.background);
}

void CGaugePanelWnd::FeedGauges()
{
    const GaugeDisplay& shown = m_state.Display();
    m_altimeter.SetValue(AltitudeToDisplay(shown.altitude), AltitudeUnitName());
    m_speedometer.SetFullScale(CGaugePanelState::ReadMaxSpeed());
    m_speedometer.SetValue(SpeedToDisplay(shown.speed), SpeedUnitName());
    m_verticalSpeed.SetFullScale(AltitudeElevationUnits() == 0 ? 2000 : 5);
    m_verticalSpeed.SetValue(VerticalSpeedToDisplay(shown.verticalSpeed), VerticalSpeedUnitName());

    int bearing = 0;
    QString name;
    double distance = 0;
    if (m_context.map != nullptr && m_context.map->Navigation().IsNavigating()) {
        const CNavigation& navigation = m_context.map->Navigation();
        bearing = TruncToPixel(navigation.BearingToTarget());
        name = navigation.Target().strName;
        distance = KmToLong(navigation.DistanceToTarget());
    }
    m_compass.SetCompass(TruncToPixel(shown.heading), bearing, name, distance,
                         LongDistanceUnitName());
}

void CGaugePanelWnd::Draw(CDrawContext& dc, const GdiRect& client)
{
    dc.SelectPen(Qt::white);
    dc.SelectBrush(Qt::white);
    dc.Rectangle(client);
    dc.SelectBrush(PanelTint());
    dc.RoundRect(client, 15, 15);

    SetColors();
    FeedGauges();
    const GaugePanelLayout layout = m_state.Layout(client.ToQRect());
    CDialGauge* const gauges[kGaugeCount] = {&m_altimeter, &m_compass, &m_speedometer,
                                             &m_verticalSpeed};
    for (const int id : m_state.GaugesToDraw())
        gauges[id]->Draw(dc, GdiRect::FromQRect(layout.gauges[id]), Dpi());
}

void CGaugePanelWnd::OnPopupMenu(QPoint, QPoint global)
{
    if (const int id = ShowPopupMenu(PopupItems(), global, this))
        HandleCommand(id);
}

std::vector<PopupItem> CGaugePanelWnd::PopupItems() const
{
    std::vector<PopupItem> items;
    items.push_back({ID_GAUGE_CYCLE, tr("계기판 순환(&C)"), m_state.IsCycling(), true, {}});
    items.push_back({});
    const bool lastOne = m_state.EnabledCount() == 1;
    for (const GaugeCommand& command : kGaugeCommands) {
        const bool on = m_state.IsEnabled(command.gauge);
        items.push_back({command.id, tr(command.text), on, !(on && lastOne), {}});
    }
    items.push_back({});
    items.push_back({0,
                     tr("계기판 설정(&S)"),
                     false,
                     true,
                     {{ID_GAUGE_SPEED_SETUP, tr("속도(&S)"), false, true, {}}}});
    items.push_back({ID_GAUGE_SMOOTH,
                     tr("부드럽게 표시 켜기(&E)"),
                     m_state.IsSmoothMode(),
                     m_state.IsSmoothMenuEnabled(),
                     {}});
    items.push_back({0,
                     tr("색 설정(&E)"),
                     false,
                     true,
                     {{ID_GAUGE_COLORS_DEFAULT, tr("기본값(&U)"), false, true, {}},
                      {ID_GAUGE_COLORS_BLACK, tr("검은색(&N)"), false, true, {}},
                      {ID_GAUGE_COLORS_GREY, tr("회색(&G)"), false, true, {}}}});
    items.push_back({ID_GAUGE_NAV_STRIP, tr("Nav 표시"), m_state.IsNavStripShown(), true, {}});
    return items;
}

bool CGaugePanelWnd::HandleCommand(int id)
{
    for (const GaugeCommand& command : kGaugeCommands) {
        if (command.id == id) {
            m_state.ToggleGauge(command.gauge);
            ApplyLayout();
            update();
            return true;
        }
    }
    switch (id) {
    case ID_GAUGE_CYCLE:
        m_state.ToggleCycling();
        break;
    case ID_GAUGE_SPEED_SETUP:
        SpeedSetup();
        break;
    case ID_GAUGE_SMOOTH:
        m_state.SetSmoothMode(!m_state.IsSmoothMode(), true);
        SyncSmoothTimer();
        break;
    case ID_GAUGE_COLORS_DEFAULT:
        WriteGaugeColors(DefaultGaugeColors());
        break;
    case ID_GAUGE_COLORS_BLACK:
        WriteGaugeColors(BlackGaugeColors());
        break;
    case ID_GAUGE_COLORS_GREY:
        WriteGaugeColors(GreyGaugeColors());
        break;
    case ID_GAUGE_NAV_STRIP:
        m_state.ToggleNavStrip();
        break;
    default:
        return false;
    }
    ApplyLayout();
    update();
    return true;
}

void CGaugePanelWnd::SpeedSetup()
{
    CSpeedSetupDlg dialog(CGaugePanelState::ReadMaxSpeed(), this);
    if (ExecDialog(dialog) == QDialog::Accepted)
        CGaugePanelState::WriteMaxSpeed(dialog.MaxSpeed());
}

void CGaugePanelWnd::RunWithoutSmoothing(const std::function<void()>& work)
{
    m_state.SetSmoothMode(false, false);
    SyncSmoothTimer();
    work();
    m_state.ApplyStoredSmoothMode();
    SyncSmoothTimer();
}

bool CGaugePanelWnd::ChangeStripField()
{
    RunWithoutSmoothing([this] { m_navStrip->ChangeCell(); });
    return true;
}
