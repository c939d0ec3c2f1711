#pragma once

#include "nav/PanelGridLayout.h"
#include "nav/PanelItems.h"
#include "platform/PopupItems.h"
#include "platform/ui/BufferedView.h"

#include <QTimer>

#include <functional>
#include <vector>

struct ViewContext;

// One cell: value large in the middle, label top-left, units top-right, detail bottom-left, in
// white on a black rounded box.
void DrawPanelCell(CDrawContext& dc, const GdiRect& cell, const PanelItemTexts& texts,
                   const PanelCellStyle& style, const GdiFont& valueFont, const GdiFont& smallFont);

// A grid of trip-computer cells: the digital panel tab and the navigation strips ("NavWnd") of
// the map and the gauge panel. Layout and cell kinds live in "Digital Panel" + suffix; the cells
// refresh once a second while visible; tap-and-hold opens the instance's pop-up menu.
class CPanelGridWnd : public CBufferedView {
    Q_OBJECT
public:
    static constexpr int kRefreshMs = 1000;
    static constexpr int kDigitalPanelMenu = 172;
    static constexpr int kMapStripMenu = 175;
    static constexpr int kGaugeStripMenu = 183;

    CPanelGridWnd(ViewContext& context, const QString& windowName, const QString& suffix,
                  int popupMenuId, QWidget* parent);

    CPanelGridState& Grid() { return m_grid; }
    void SetLayout(int rows, int columns, bool store);
    int SetCellKind(int index, int kind) { return m_grid.SetCellKind(index, kind); }
    // The change-this-field dialog for the cell last pressed; true when a kind was chosen.
    bool ChangeCell();
    // The cell the next ChangeCell works on, as a press there would set it.
    void SetTappedCell(QPoint point);
    int TappedCell() const { return m_tappedCell; }

    // The pop-up menu of this instance, as shown on tap-and-hold.
    std::vector<PopupItem> PopupItems() const;
    // Runs a command of the pop-up menu; false when it is none of the grid's.
    bool HandleCommand(int id);
    // The owner sees each command first (the gauge panel wraps the field change); true = done.
    void SetCommandFilter(std::function<bool(int)> filter) { m_commandFilter = std::move(filter); }
    // Items the owner adds after the grid's own (the map's strip can hide itself); their
    // commands reach the owner through the command filter.
    void SetOwnerPopupItems(std::vector<PopupItem> items) { m_ownerItems = std::move(items); }

    void RunTimersOnce() override;

protected:
    void Draw(CDrawContext& dc, const GdiRect& client) override;
    void OnStylusDown(QPoint point) override;
    void OnPopupMenu(QPoint point, QPoint global) override;

private:
    PanelItemTexts CellTexts(int kind) const;
    void OnRefreshTimer();

    ViewContext& m_context;
    CPanelGridState m_grid;
    int m_popupMenuId;
    int m_tappedCell = 0;
    QTimer m_refresh;
    std::function<bool(int)> m_commandFilter;
    std::vector<PopupItem> m_ownerItems;
};
