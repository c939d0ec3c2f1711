#include "map/ui/AlertWnd.h"

#include "geo/Geodesy.h"
#include "geo/Units.h"
#include "gps/NMEAParser.h"
#include "map/AlarmSoundFile.h"
#include "nav/Navigation.h"
#include "nav/PositionProcessor.h"
#include "views/ui/DialGauges.h"

#include <QElapsedTimer>
#include <QUrl>

#include <cmath>

namespace {

constexpr int kBorder = 5;

qint64 SteadyMilliseconds()
{
    static QElapsedTimer timer;
    if (!timer.isValid())
        timer.start();
    return timer.elapsed();
}

} // namespace

CAlertWnd::CAlertWnd(const CNMEAParser& fix, const CNavigation& navigation,
                     const CPositionProcessor& processor, QWidget* over)
    : CBufferedView(QStringLiteral("MsgWnd"), nullptr), m_fix(fix), m_navigation(navigation),
      m_processor(processor), m_over(over), m_clock(SteadyMilliseconds)
{
    setWindowFlags(Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
    m_refresh.setInterval(kRefreshMs);
    connect(&m_refresh, &QTimer::timeout, this, &CAlertWnd::RunTimersOnce);
}

void CAlertWnd::ShowAlert(const QString& message, const CWaypoint& waypoint, int type,
                          int displayMs)
{
    m_message = message;
    m_waypoint = waypoint;
    m_type = std::clamp(type, 0, 5);
    m_hideAt = m_clock() + displayMs;
    if (m_over)
        setGeometry(m_over->window()->geometry());
    PlaySound(waypoint.strSoundFile);
    m_refresh.start();
    show();
    raise();
    update();
}

void CAlertWnd::HideAlert()
{
    m_refresh.stop();
    if (m_sound)
        m_sound->stop();
    hide();
}

void CAlertWnd::RunTimersOnce()
{
    if (m_clock() >= m_hideAt)
        HideAlert();
    else
        update();
}

void CAlertWnd::OnStylusDown(QPoint)
{
    HideAlert();
}

void CAlertWnd::PlaySound(const QString& soundName)
{
    m_playedSound = PlayableSoundFile(soundName);
    if (m_playedSound.isEmpty())
        return;
    if (!m_sound)
        m_sound = new QSoundEffect(this);
    m_sound->setSource(QUrl::fromLocalFile(m_playedSound));
    m_sound->play();
}

void CAlertWnd::Draw(CDrawContext& dc, const GdiRect& client)
{
    dc.FillRect(client, Qt::white);
    dc.SelectPen(m_type <= 2 ? QColor(Qt::black) : QColor(255, 0, 0), kBorder);
    dc.SelectHollowBrush();
    dc.Rectangle({client.left + kBorder / 2, client.top + kBorder / 2, client.right - kBorder / 2,
                  client.bottom - kBorder / 2});
    dc.SetTextColor(Qt::black);
    dc.SetBkMode(BackgroundMode::Transparent);
    dc.SelectFont(CreatePointFont(110, Dpi(), QStringLiteral("Tahoma"), true));
    const int line = dc.GetTextMetrics().height;
    GdiRect text{client.left + 10, client.top + 10, client.right - 10, client.top + 10 + line};
    dc.DrawText(m_message, text, DT_CENTER | DT_SINGLELINE);
    dc.SelectFont(CreatePointFont(90, Dpi()));
    text = {text.left, text.bottom + 2, text.right, text.bottom + 2 + line};
    dc.DrawText(m_waypoint.strName, text, DT_CENTER | DT_SINGLELINE);
    const GdiRect area{client.left + 10, text.bottom + 10, client.right - 10, client.bottom - 10};
    if (area.IsEmpty())
        return;
    switch (m_type % 3) {
    case 0:
        DrawCompass(dc, area);
        break;
    case 1:
        DrawSpeedometer(dc, area);
        break;
    default:
        DrawDigitalSpeed(dc, area);
        break;
    }
}

void CAlertWnd::DrawCompass(CDrawContext& dc, const GdiRect& area) const
{
    const GeoPosition& here = m_navigation.CurrentPosition();
    CCompassWnd compass;
    compass.SetCompass(int(std::lround(m_processor.DisplayedCourse())),
                       int(std::lround(PositionBearing(m_waypoint.position, here))),
                       m_waypoint.strName, KmToLong(PositionDistance(m_waypoint.position, here)),
                       LongDistanceUnitName());
    compass.Draw(dc, area, Dpi());
}

void CAlertWnd::DrawSpeedometer(CDrawContext& dc, const GdiRect& area) const
{
    CSpeedometerWnd speedometer;
    speedometer.SetValue(SpeedToDisplay(m_fix.Rmc().speed), SpeedUnitName());
    speedometer.Draw(dc, area, Dpi());
}

void CAlertWnd::DrawDigitalSpeed(CDrawContext& dc, const GdiRect& area) const
{
    dc.SelectPen(Qt::black, 2);
    dc.SelectBrush(Qt::white);
    dc.RoundRect(area, 20, 20);
    dc.SelectFont(CreatePixelFont(std::max(12, area.Height() / 2), QStringLiteral("Tahoma"), true));
    const int big = dc.GetTextMetrics().height;
    const int top = area.top + (area.Height() - big) / 3;
    dc.DrawText(QString::asprintf("%.0f", SpeedToDisplay(m_fix.Rmc().speed)),
                {area.left, top, area.right, top + big}, DT_CENTER | DT_SINGLELINE);
    dc.SelectFont(CreatePointFont(110, Dpi()));
    dc.DrawText(SpeedUnitName(), {area.left, top + big, area.right, area.bottom},
                DT_CENTER | DT_SINGLELINE);
}
