// The panel grid window: its cells on screen, its pop-up menus and the change-this-field dialog.

#include "nav/ui/DigitalPanelWnd.h"

#include "app/SettingsStore.h"
#include "app/ui/ViewContext.h"
#include "gps/NMEAParser.h"
#include "nav/FreshSettings.h"
#include "support/ScriptedDialogs.h"
#include "views/ExpectedGeometry.h"
#include "views/ViewCommandIds.h"

#include <QDialog>
#include <QListWidget>

#include <gtest/gtest.h>

namespace {

struct GridFixture {
    CFreshSettings settings;
    CNMEAParser parser;
    ViewContext context{parser};
};

TEST(PanelGridWnd, CellsAreBlackRoundedBoxesOnTheTint)
{
    GridFixture f;
    CDigitalPanelWnd panel(f.context, nullptr);
    panel.resize(480, 536);
    const QImage image = panel.Render();
    // Two cells of 480 x 268; corner k = 60 rounds the box, the middle is black.
    EXPECT_EQ(image.pixelColor(240, 134), QColor(Qt::black));
    EXPECT_EQ(image.pixelColor(240, 268 + 134), QColor(Qt::black));
    EXPECT_NE(image.pixelColor(2, 2), QColor(Qt::black));
    EXPECT_EQ(image.pixelColor(2, 2), image.pixelColor(0, 0)) << "corner shows the tint";
    EXPECT_EQ(image.pixelColor(240, 1), QColor(192, 192, 192)) << "cell outline";
}

TEST(PanelGridWnd, DigitalPanelMenuOffersLayoutsWithTheCurrentOneChecked)
{
    GridFixture f;
    CDigitalPanelWnd panel(f.context, nullptr);
    const std::vector<PopupItem> items = panel.PopupItems();
    ASSERT_EQ(items.size(), 3u);
    EXPECT_EQ(items[0].text, QStringLiteral("화면 설정(&S)"));
    ASSERT_EQ(items[0].children.size(), 4u);
    EXPECT_EQ(items[0].children[3].text, QStringLiteral("4 열"));
    EXPECT_EQ(items[2].text, QStringLiteral("값 초기화(&R)"));
    const PopupItem* oneByTwo = FindPopupItem(items, ID_PANEL_LAYOUT_FIRST + 1);
    ASSERT_NE(oneByTwo, nullptr);
    EXPECT_EQ(oneByTwo->text, QStringLiteral("1X2"));
    EXPECT_TRUE(oneByTwo->checked) << "2 rows x 1 column is the first start";

    EXPECT_TRUE(panel.HandleCommand(ID_PANEL_LAYOUT_FIRST + 15)); // "4X5"
    EXPECT_EQ(ReadIntSetting(QStringLiteral("Digital Panel"), QStringLiteral("Screen Rows"), 0), 5);
    EXPECT_EQ(ReadIntSetting(QStringLiteral("Digital Panel"), QStringLiteral("Screen Cols"), 0), 4);
    EXPECT_TRUE(FindPopupItem(panel.PopupItems(), ID_PANEL_LAYOUT_FIRST + 15)->checked);

    CPanelGridWnd strip(f.context, QStringLiteral("NavWnd"), QStringLiteral("MapView"),
                        CPanelGridWnd::kMapStripMenu, nullptr);
    ASSERT_EQ(strip.PopupItems().size(), 1u);
    EXPECT_EQ(strip.PopupItems()[0].id, ID_PANEL_CHANGE_FIELD);
}

TEST(PanelGridWnd, ChangeFieldListsTheItemsSortedWithTheCurrentOneSelected)
{
    GridFixture f;
    CDigitalPanelWnd panel(f.context, nullptr);
    panel.resize(480, 536);
    panel.SetTappedCell(QPoint(100, 300)); // cell 1: distance to target
    CScriptedDialogs dialogs;
    QStringList names;
    int preselected = -1;
    dialogs.Script({[&](QDialog& dialog) {
        auto* list = dialog.findChild<QListWidget*>(QStringLiteral("fieldList"));
        for (int row = 0; row < list->count(); ++row)
            names << list->item(row)->text();
        preselected = list->currentItem()->data(Qt::UserRole).toInt();
        EXPECT_EQ(dialog.windowTitle(), QStringLiteral("이 영역 변경"));
        for (int row = 0; row < list->count(); ++row)
            if (list->item(row)->data(Qt::UserRole).toInt() == 4)
                list->setCurrentRow(row);
        return int(QDialog::Accepted);
    }});
    EXPECT_TRUE(panel.HandleCommand(ID_PANEL_CHANGE_FIELD));
    EXPECT_EQ(names.size(), 31);
    QStringList sorted = names;
    sorted.sort();
    EXPECT_EQ(names, sorted);
    EXPECT_EQ(preselected, 2);
    EXPECT_EQ(panel.Grid().CellKind(1), 4);
    EXPECT_EQ(ReadIntSetting(QStringLiteral("Digital Panel"), QStringLiteral("Panel Type 1"), 0),
              4);
}

} // namespace
