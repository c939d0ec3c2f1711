#include "nav/ui/PanelGridWnd.h"

#include "app/ui/ViewContext.h"
#include "map/ui/MapWnd.h"
#include "nav/ui/ChangeFieldDlg.h"
#include "platform/ui/DialogSeam.h"
#include "platform/ui/PopupMenu.h"
#include "views/ViewCommandIds.h"
#include "views/ui/PanelTint.h"

#include <QFontMetrics>

void DrawPanelCell(CDrawContext& dc, const GdiRect& cell, const PanelItemTexts& texts,
                   const PanelCellStyle& style, const GdiFont& valueFont, const GdiFont& smallFont)
{
    const int k = style.corner;
    dc.SelectPen(QColor(192, 192, 192));
    dc.SelectBrush(Qt::black);
    dc.RoundRect(cell, k, k);
    dc.SetTextColor(Qt::white);
    dc.SetBkMode(BackgroundMode::Transparent);
    dc.SelectFont(valueFont);
    dc.DrawText(texts.value, cell, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    const GdiRect inner{cell.left + k / 2, cell.top, cell.right - k / 2, cell.bottom};
    dc.SelectFont(smallFont);
    dc.DrawText(texts.label, inner, DT_LEFT | DT_TOP | DT_SINGLELINE);
    dc.DrawText(texts.units, inner, DT_RIGHT | DT_TOP | DT_SINGLELINE);
    dc.DrawText(texts.detail, inner, DT_LEFT | DT_BOTTOM | DT_SINGLELINE);
}

CPanelGridWnd::CPanelGridWnd(ViewContext& context, const QString& windowName, const QString& suffix,
                             int popupMenuId, QWidget* parent)
    : CBufferedView(windowName, parent), m_context(context), m_grid(suffix),
      m_popupMenuId(popupMenuId)
{
    m_refresh.setInterval(kRefreshMs);
    connect(&m_refresh, &QTimer::timeout, this, &CPanelGridWnd::OnRefreshTimer);
    m_refresh.start();
}

void CPanelGridWnd::SetLayout(int rows, int columns, bool store)
{
    m_grid.SetLayout(rows, columns, store);
    update();
}

void CPanelGridWnd::OnRefreshTimer()
{
    if (isVisible())
        update();
}

void CPanelGridWnd::RunTimersOnce()
{
    OnRefreshTimer();
}

PanelItemTexts CPanelGridWnd::CellTexts(int kind) const
{
    if (m_context.map == nullptr)
        return {};
    CMapWnd& map = *m_context.map;
    const PanelItemSources sources{m_context.fix, map.Navigation(), map.TripComputer(),
                                   map.Processor().DisplayedCourse()};
    return FormatPanelItem(kind, sources);
}

void CPanelGridWnd::Draw(CDrawContext& dc, const GdiRect& client)
{
    const QColor tint = PanelTint();
    dc.SelectPen(tint);
    dc.SelectBrush(tint);
    dc.Rectangle(client);

    const QSize size(client.Width(), client.Height());
    const QSize cell = m_grid.CellSize(size);
    const PanelCellStyle style = PanelCellStyleFor(cell.width(), cell.height(), Dpi());
    const GdiFont valueFont =
        CreatePixelFont(style.valueHeight, QStringLiteral("Tahoma"), style.valueBold);
    const GdiFont smallFont = CreatePointFont(style.smallTenths, Dpi());
    for (int x = 0; x < m_grid.Columns(); ++x) {
        for (int y = 0; y < m_grid.Rows(); ++y) {
            const QRect rect = m_grid.CellRect(x, y, size);
            const int kind = m_grid.CellKind(m_grid.Columns() * y + x);
            DrawPanelCell(dc, GdiRect::FromQRect(rect), CellTexts(kind), style, valueFont,
                          smallFont);
        }
    }
}

void CPanelGridWnd::SetTappedCell(QPoint point)
{
    const int index = m_grid.CellIndexAt(point, ClientPixels());
    if (index >= 0)
        m_tappedCell = index;
}

void CPanelGridWnd::OnStylusDown(QPoint point)
{
    SetTappedCell(point);
}

void CPanelGridWnd::OnPopupMenu(QPoint point, QPoint global)
{
    SetTappedCell(point);
    if (const int id = ShowPopupMenu(PopupItems(), global, this))
        HandleCommand(id);
}

std::vector<PopupItem> CPanelGridWnd::PopupItems() const
{
    std::vector<PopupItem> items;
    items.push_back({ID_PANEL_CHANGE_FIELD, tr("이 영역 변경"), false, true, {}});
    if (m_popupMenuId != kDigitalPanelMenu) {
        items.insert(items.end(), m_ownerItems.begin(), m_ownerItems.end());
        return items;
    }
    PopupItem screen{0, tr("화면 설정(&S)"), false, true, {}};
    const char* const columnMenus[] = {QT_TR_NOOP("1 열"), QT_TR_NOOP("2 열"), QT_TR_NOOP("3 열"),
                                       QT_TR_NOOP("4 열")};
    for (int columns = 1; columns <= 4; ++columns) {
        PopupItem sub{0, tr(columnMenus[columns - 1]), false, true, {}};
        for (size_t i = 0; i < kPanelLayouts.size(); ++i) {
            const PanelLayoutChoice& layout = kPanelLayouts[i];
            if (layout.columns != columns)
                continue;
            const bool current = layout.rows == m_grid.Rows() && layout.columns == m_grid.Columns();
            sub.children.push_back({ID_PANEL_LAYOUT_FIRST + static_cast<int>(i),
                                    QString::fromLatin1(layout.text),
                                    current,
                                    true,
                                    {}});
        }
        screen.children.push_back(std::move(sub));
    }
    items.insert(items.begin(), std::move(screen));
    items.push_back({ID_PANEL_RESET_VALUES, tr("값 초기화(&R)"), false, true, {}});
    return items;
}

bool CPanelGridWnd::HandleCommand(int id)
{
    if (m_commandFilter && m_commandFilter(id))
        return true;
    if (id == ID_PANEL_CHANGE_FIELD) {
        ChangeCell();
        return true;
    }
    const int layout = id - ID_PANEL_LAYOUT_FIRST;
    if (layout >= 0 && layout < static_cast<int>(kPanelLayouts.size())) {
        SetLayout(kPanelLayouts[layout].rows, kPanelLayouts[layout].columns, true);
        return true;
    }
    if (id == ID_PANEL_RESET_VALUES && m_context.map != nullptr) {
        m_context.map->TripComputer().Reset();
        update();
        return true;
    }
    return false;
}

bool CPanelGridWnd::ChangeCell()
{
    CChangeFieldDlg dialog(m_grid.CellKind(m_tappedCell), this);
    if (ExecDialog(dialog) != QDialog::Accepted)
        return false;
    m_grid.StoreCellKind(m_tappedCell, dialog.Kind());
    update();
    return true;
}
