#include "map/ui/AltitudeProfileWnd.h"

#include "app/CommandIds.h"
#include "geo/Units.h"
#include "map/MapCommandIds.h"

#include <QMenu>

CAltitudeProfileWnd::CAltitudeProfileWnd(QWidget* parent)
    : CBufferedView(QStringLiteral("AltProfileWnd"), parent)
{}

void CAltitudeProfileWnd::Draw(CDrawContext& dc, const GdiRect& client)
{
    dc.SelectPen(Qt::black);
    dc.SelectBrush(Qt::white);
    dc.Rectangle(client);
    const std::vector<int> bars = m_profile.Layout(client.Width(), client.Height());
    m_lines.clear();
    for (size_t i = 0; i < bars.size(); ++i) {
        const int x = client.right - 1 - int(i);
        m_lines.emplace_back(x, client.bottom - 1 - bars[i], x, client.bottom - 1);
    }
    dc.SelectPen(QColor(128, 128, 255));
    dc.Lines(m_lines);
    if (bars.empty())
        return;
    dc.SelectFont(CreatePointFont(70, Dpi()));
    dc.SetTextColor(Qt::black);
    dc.SetBkMode(BackgroundMode::Transparent);
    const QString unit = AltitudeUnitName();
    const auto label = [&unit](double metres) {
        return QString::asprintf("%.02f %s", AltitudeToDisplay(metres), qPrintable(unit));
    };
    dc.SetTextAlign(TA_LEFT | TA_TOP);
    dc.ExtTextOut(client.left + 3, client.top + 3, label(m_profile.Maximum()));
    dc.SetTextAlign(TA_LEFT | TA_BOTTOM);
    dc.ExtTextOut(client.left + 3, client.bottom - 3, label(m_profile.Minimum()));
}

QMenu* CAltitudeProfileWnd::CreatePopupMenu(QWidget* parent)
{
    auto* menu = new QMenu(parent);
    menu->setObjectName(QStringLiteral("IDR_ALT_PROFILE_POPUP"));
    const std::pair<int, QString> items[] = {{ID_ALTITUDE_CLEAR, tr("고도 그래프 지우기(&C)")},
                                             {ID_ALTITUDE_HIDE, tr("표시 안함(&H)")},
                                             {ID_MAP_PROPERTIES, tr("지도 속성(&M)")}};
    for (const auto& [id, text] : items)
        menu->addAction(text, this, [this, id = id] { Q_EMIT Command(id); })->setData(id);
    return menu;
}

void CAltitudeProfileWnd::OnPopupMenu(QPoint, QPoint global)
{
    QMenu* menu = CreatePopupMenu(this);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(global);
}
