// The panel grid's layout, cell kinds and their keys, and the cell drawing rules.

#include "nav/PanelGridLayout.h"

#include "app/SettingsStore.h"
#include "nav/FreshSettings.h"

#include <gtest/gtest.h>

namespace {

TEST(PanelGridLayout, FirstStartShowsSpeedAboveDistanceToTarget)
{
    CFreshSettings settings;
    const CPanelGridState grid;
    EXPECT_EQ(grid.Rows(), 2);
    EXPECT_EQ(grid.Columns(), 1);
    EXPECT_EQ(grid.CellKind(0), 1);
    EXPECT_EQ(grid.CellKind(1), 2);
    EXPECT_EQ(grid.CellKind(11), 12);
    EXPECT_EQ(grid.CellKind(12), 0);
}

TEST(PanelGridLayout, CellsAreStoredUnderTheirKeysPerSection)
{
    CFreshSettings settings;
    CPanelGridState grid(QStringLiteral("PanelView"));
    grid.SetLayout(5, 4, true); // "4X5"
    EXPECT_EQ(grid.StoreCellKind(19, 7), 1);
    EXPECT_EQ(grid.StoreCellKind(3, 9), 1);
    EXPECT_EQ(grid.StoreCellKind(25, 9), 0);
    EXPECT_EQ(grid.SetCellKind(-1, 9), 0);
    const QString section = QStringLiteral("Digital PanelPanelView");
    EXPECT_EQ(ReadIntSetting(section, QStringLiteral("Panel Type 29"), -1), 7);
    EXPECT_EQ(ReadIntSetting(section, QStringLiteral("Panel Type 19"), -1), -1);
    EXPECT_EQ(ReadIntSetting(section, QStringLiteral("Panel Type 3"), -1), 9);
    EXPECT_EQ(ReadIntSetting(section, QStringLiteral("Screen Rows"), -1), 5);
    EXPECT_EQ(ReadIntSetting(section, QStringLiteral("Screen Cols"), -1), 4);
    EXPECT_EQ(ReadIntSetting(QStringLiteral("Digital Panel"), QStringLiteral("Screen Rows"), -1),
              -1);

    // A smaller layout hides cells without forgetting them.
    grid.SetLayout(1, 1, true);
    const CPanelGridState reread(QStringLiteral("PanelView"));
    EXPECT_EQ(reread.Rows(), 1);
    EXPECT_EQ(reread.CellKind(19), 7);
    EXPECT_EQ(reread.CellKind(3), 9);
}

TEST(PanelGridLayout, DamagedLayoutSettingsStayWithinTheKeptCells)
{
    CFreshSettings settings;
    const std::pair<int, int> stored[] = {{0, 0}, {-3, 9}, {100, 100}};
    for (const auto& [rows, columns] : stored) {
        WriteIntSetting(QStringLiteral("Digital Panel"), QStringLiteral("Screen Rows"), rows);
        WriteIntSetting(QStringLiteral("Digital Panel"), QStringLiteral("Screen Cols"), columns);
        const CPanelGridState grid;
        EXPECT_GE(grid.Rows(), 1);
        EXPECT_GE(grid.Columns(), 1);
        EXPECT_LE(grid.Rows() * grid.Columns(), CPanelGridState::kCellCount);
    }
}

TEST(PanelGridLayout, CellRectanglesAndHits)
{
    CFreshSettings settings;
    CPanelGridState grid;
    grid.SetLayout(3, 2, false);
    const QSize client(480, 536); // cells of 240 x 178
    EXPECT_EQ(grid.CellRect(0, 0, client), QRect(1, 1, 238, 176));
    EXPECT_EQ(grid.CellRect(1, 2, client), QRect(241, 357, 238, 176));
    const std::pair<QPoint, int> hits[] = {{{0, 0}, 0},    {{239, 177}, 0}, {{240, 0}, 1},
                                           {{10, 178}, 2}, {{479, 533}, 5}, {{10, 534}, -1},
                                           {{-1, 5}, -1}}; // 3 x 178 = 534: the last rows are off
                                                           // the grid
    for (const auto& [point, index] : hits)
        EXPECT_EQ(grid.CellIndexAt(point, client), index) << point.x() << "," << point.y();
}

TEST(PanelGridLayout, CornerAndFontsFollowTheCellShapeAndDensity)
{
    struct Case {
        int w, h, dpi;
        PanelCellStyle style;
    };
    const Case cases[] = {
        {480, 268, 96, {60, 143, true, 320}},  // taller: width rules
        {400, 100, 96, {25, 62, true, 180}},   // wider than 2.5 heights: height rules
        {90, 60, 96, {11, 21, false, 70}},     // small size raised to 7 pt: value shrinks
        {480, 268, 192, {60, 137, true, 160}}, // other densities
        {400, 100, 192, {25, 55, true, 66}},   {120, 80, 192, {15, 28, false, 50}},
    };
    for (const Case& c : cases) {
        const PanelCellStyle style = PanelCellStyleFor(c.w, c.h, c.dpi);
        SCOPED_TRACE(testing::Message() << c.w << "x" << c.h << " at " << c.dpi);
        EXPECT_EQ(style.corner, c.style.corner);
        EXPECT_EQ(style.valueHeight, c.style.valueHeight);
        EXPECT_EQ(style.valueBold, c.style.valueBold);
        EXPECT_EQ(style.smallTenths, c.style.smallTenths);
    }
}

} // namespace
