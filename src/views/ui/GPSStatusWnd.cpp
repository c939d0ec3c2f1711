#include "views/ui/GPSStatusWnd.h"

#include "app/ui/ViewContext.h"
#include "geo/Units.h"
#include "gps/NMEAParser.h"
#include "platform/StringTable.h"
#include "views/ui/PanelTint.h"
#include "views/ui/StatusDrawing.h"

namespace {

GdiRect Moved(GdiRect box, int dy)
{
    box.top += dy;
    box.bottom += dy;
    return box;
}

} // namespace

CGPSStatusWnd::CGPSStatusWnd(ViewContext& context, QWidget* parent)
    : CBufferedView(QStringLiteral("GPSStatusWnd"), parent), m_context(context)
{
    m_sky.SetSkyColors(QColor(235, 235, 255), QColor(0, 0, 255));
    m_sky.SetGridColor(QColor(0, 0, 255));
    m_sky.SetSatelliteBitmaps(kUsedSatelliteBitmap, kNotUsedSatelliteBitmap);
    m_refresh.setInterval(kRefreshMs);
    connect(&m_refresh, &QTimer::timeout, this, [this] { update(); });
    m_refresh.start();
}

void CGPSStatusWnd::RunTimersOnce()
{
    update();
}

void CGPSStatusWnd::OnStylusDown(QPoint)
{
    m_pages.Advance();
    update();
}

void CGPSStatusWnd::Draw(CDrawContext& dc, const GdiRect& client)
{
    const SignalTable table = ReadSignalTable(m_context.fix);
    const QColor tint = PanelTint();

    dc.SelectPen(Qt::white);
    dc.SelectBrush(Qt::white);
    dc.Rectangle(client);

    const GdiRect top{client.left, client.top, client.right,
                      client.top + (client.bottom - client.top) / 3};
    dc.SelectBrush(tint);
    dc.RoundRect(top, 15, 15);
    DrawSignalBars(dc, {top.left + 3, top.top + 3, top.right - 3, top.bottom - 3}, table);

    const GdiRect lower{client.left, top.bottom + 3, client.right, client.bottom};
    dc.SelectPen(Qt::white);
    dc.SelectBrush(tint);
    dc.RoundRect(lower, 15, 15);

    dc.SelectBrush(QColor(224, 224, 224));
    dc.SelectPen(Qt::white);
    dc.SetTextColor(Qt::black);
    dc.SetBkMode(BackgroundMode::Transparent);
    const int lh = lower.Height();
    const GdiRect first{lower.left + 5, lower.top + 5, lower.right - 5, lower.top + 5 + lh / 4};
    switch (m_pages.Page()) {
    case 0:
        DrawPositionPage(dc, first, lh / 3);
        break;
    case 1:
        DrawPrecisionPage(dc, first, lh / 3);
        break;
    default:
        DrawSkyPage(dc, lower, first, table);
        break;
    }
}

void CGPSStatusWnd::DrawPositionPage(CDrawContext& dc, const GdiRect& first, int step)
{
    const GgaState& gga = m_context.fix.Gga();
    const int dpi = Dpi();
    DrawLabeledValue(dc, FormatLatitude(gga.latitude), LoadString(263), QStringLiteral("1/3"),
                     first, dpi);
    DrawLabeledValue(dc, FormatLongitude(gga.longitude), LoadString(266), QString(),
                     Moved(first, step), dpi);
    DrawLabeledValue(
        dc, QString::asprintf("%.01f ", AltitudeToDisplay(gga.altitude)) + AltitudeUnitName(),
        LoadString(196), QString(), Moved(first, 2 * step), dpi);
}

void CGPSStatusWnd::DrawPrecisionPage(CDrawContext& dc, const GdiRect& first, int step)
{
    const GsaState& gsa = m_context.fix.Gsa();
    const int dpi = Dpi();
    GdiRect left = first;
    left.right = left.left + (left.right - left.left) / 2 - 2;
    GdiRect right = first;
    right.left = right.left + (right.right - right.left) / 2 + 2;
    const auto dop = [](double value) { return QString::asprintf("%.01f", value); };
    DrawLabeledValue(dc, dop(gsa.hdop), LoadString(261), QString(), left, dpi);
    DrawLabeledValue(dc, dop(gsa.vdop), LoadString(284), QString(), Moved(left, step), dpi);
    DrawLabeledValue(dc, dop(gsa.pdop), LoadString(275), QString(), Moved(left, 2 * step), dpi);
    DrawLabeledValue(dc, QString::number(m_context.fix.Gga().satellitesUsed), LoadString(290),
                     QStringLiteral("2/3"), right, dpi);
    DrawLabeledValue(dc, QString::number(m_context.fix.Gsv().satellitesInView), LoadString(291),
                     QString(), Moved(right, step), dpi);
}

void CGPSStatusWnd::DrawSkyPage(CDrawContext& dc, const GdiRect& lower, const GdiRect& first,
                                const SignalTable& table)
{
    std::vector<SkySatellite> slots(table.records.size());
    const int n = table.ShownCount();
    for (int i = 0; i < n; ++i) {
        const SignalRecord& record = table.records[static_cast<size_t>(i)];
        slots[static_cast<size_t>(i)] = {record.prn, static_cast<double>(record.azimuth),
                                         static_cast<double>(record.elevation), record.used,
                                         record.constellation};
    }
    m_sky.SetSatellites(std::move(slots));
    const GdiRect sky{lower.left + 3, lower.top + 3, lower.right - 3, lower.bottom - 3};
    m_sky.DrawSky(dc, sky);
    dc.SelectFont(LabelFontFor(first.Height(), Dpi()));
    dc.SetTextColor(Qt::black);
    dc.SetBkMode(BackgroundMode::Transparent);
    dc.DrawText(QStringLiteral("3/3"), sky, DT_RIGHT | DT_TOP | DT_SINGLELINE);
}
