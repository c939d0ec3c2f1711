#include "map/ui/AlertWnd.h"

#include "geo/Geodesy.h"
#include "geo/Units.h"
#include "gps/NMEAParser.h"
#include "map/AlarmSoundFile.h"
#include "map/ui/MapMarkers.h"
#include "nav/Navigation.h"
#include "nav/PositionProcessor.h"

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

QPoint OnCircle(QPoint centre, int radius, double degrees)
{
    const double radians = degrees * 0.017453292519943295;
    return {centre.x() + int(std::lround(radius * std::sin(radians))),
            centre.y() - int(std::lround(radius * std::cos(radians)))};
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
    dc.SelectFont(CreatePointFont(90, Dpi()));
    const int line = dc.GetTextMetrics().height;
    const int radius = std::max(10, std::min(area.Width(), area.Height() - line - 6) / 2 - 4);
    const QPoint centre(area.left + area.Width() / 2, area.top + radius + 2);
    const double course = m_processor.DisplayedCourse();
    dc.SelectPen(Qt::black, 2);
    dc.SelectBrush(QColor(240, 240, 240));
    dc.Ellipse({centre.x() - radius, centre.y() - radius, centre.x() + radius + 1,
                centre.y() + radius + 1});
    // The rose turns with the course, so the letters show where each direction lies.
    const QString letters[] = {QStringLiteral("N"), QStringLiteral("E"), QStringLiteral("S"),
                               QStringLiteral("W")};
    for (int i = 0; i < 4; ++i) {
        const QPoint at = OnCircle(centre, radius - line, i * 90.0 - course);
        dc.DrawText(letters[i], {at.x() - line, at.y() - line / 2, at.x() + line, at.y() + line},
                    DT_CENTER | DT_SINGLELINE);
    }
    const double bearing = PositionBearing(m_waypoint.position, m_navigation.CurrentPosition());
    MapMarkers::DrawWaypointPointer(dc, centre, bearing - course, radius - 4);
    const double km = PositionDistance(m_waypoint.position, m_navigation.CurrentPosition());
    dc.DrawText(QString::asprintf("%.2f %s", KmToLong(km), qPrintable(LongDistanceUnitName())),
                {area.left, centre.y() + radius + 4, area.right, area.bottom},
                DT_CENTER | DT_SINGLELINE);
}

void CAlertWnd::DrawSpeedometer(CDrawContext& dc, const GdiRect& area) const
{
    const double speed = SpeedToDisplay(m_fix.Rmc().speed);
    const double full = std::max(60.0, std::ceil(speed / 20.0) * 20.0);
    const int radius = std::max(10, std::min(area.Width(), area.Height()) / 2 - 4);
    const QPoint centre(area.left + area.Width() / 2, area.top + area.Height() / 2);
    dc.SelectPen(Qt::black, 2);
    dc.SelectBrush(QColor(240, 240, 240));
    dc.Ellipse({centre.x() - radius, centre.y() - radius, centre.x() + radius + 1,
                centre.y() + radius + 1});
    // A 270° scale from the lower left, clockwise, with a mark every sixth of it.
    dc.SelectFont(CreatePointFont(70, Dpi()));
    for (int i = 0; i <= 6; ++i) {
        const double angle = -135.0 + i * 45.0;
        dc.MoveTo(OnCircle(centre, radius, angle));
        dc.LineTo(OnCircle(centre, radius - 8, angle));
        const QPoint label = OnCircle(centre, radius - 20, angle);
        dc.DrawText(QString::number(full * i / 6, 'f', 0),
                    {label.x() - 20, label.y() - 8, label.x() + 20, label.y() + 8},
                    DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    }
    dc.SelectPen(QColor(255, 0, 0), 3);
    dc.MoveTo(centre);
    dc.LineTo(OnCircle(centre, radius - 12, -135.0 + 270.0 * std::min(speed, full) / full));
    dc.SelectPen(Qt::black);
    dc.DrawText(
        SpeedUnitName(),
        {centre.x() - 40, centre.y() + radius / 3, centre.x() + 40, centre.y() + radius / 3 + 20},
        DT_CENTER | DT_SINGLELINE);
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
