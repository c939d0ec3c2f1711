// The gauge panel window: its menu states, the Speed Setup dialog, the strip placement and a
// colour scheme on screen.

#include "views/ui/GaugePanelWnd.h"

#include "app/SettingsStore.h"
#include "app/ui/ViewContext.h"
#include "gps/NMEAParser.h"
#include "nav/FreshSettings.h"
#include "nav/ui/PanelGridWnd.h"
#include "support/ScriptedDialogs.h"
#include "support/ScriptedPrompts.h"
#include "views/ViewCommandIds.h"

#include <QComboBox>
#include <QDialog>

#include <gtest/gtest.h>

namespace {

struct PanelFixture {
    CFreshSettings settings;
    CNMEAParser parser;
    ViewContext context{parser};
};

TEST(GaugePanelWnd, TheOnlyGaugeIsGreyedAndTogglesAreStored)
{
    PanelFixture f;
    CGaugePanelWnd panel(f.context, nullptr);
    const std::vector<PopupItem> items = panel.PopupItems();
    const PopupItem* compass = FindPopupItem(items, ID_GAUGE_COMPASS);
    ASSERT_NE(compass, nullptr);
    EXPECT_EQ(compass->text, QStringLiteral("나침반(&O)"));
    EXPECT_TRUE(compass->checked);
    EXPECT_FALSE(compass->enabled);
    EXPECT_TRUE(FindPopupItem(panel.PopupItems(), ID_GAUGE_CYCLE)->checked);

    EXPECT_TRUE(panel.HandleCommand(ID_GAUGE_SPEEDOMETER));
    EXPECT_TRUE(panel.HandleCommand(ID_GAUGE_CYCLE));
    EXPECT_TRUE(FindPopupItem(panel.PopupItems(), ID_GAUGE_COMPASS)->enabled);
    EXPECT_EQ(ReadIntSetting(QStringLiteral("Panel"), QStringLiteral("Enable Speedometer"), 0), 1);
    EXPECT_EQ(ReadIntSetting(QStringLiteral("Panel"), QStringLiteral("Cycle Gauges"), 1), 0);

    // Two gauges in quadrants: smoothing stops and its item greys.
    panel.HandleCommand(ID_GAUGE_SMOOTH);
    EXPECT_TRUE(panel.IsSmoothTimerActive());
    panel.RunTimersOnce();
    panel.RunTimersOnce();
    EXPECT_FALSE(panel.IsSmoothTimerActive());
    EXPECT_FALSE(FindPopupItem(panel.PopupItems(), ID_GAUGE_SMOOTH)->enabled);
}

TEST(GaugePanelWnd, SpeedSetupRefusesFullScalesBelowOne)
{
    PanelFixture f;
    CGaugePanelWnd panel(f.context, nullptr);
    CScriptedPrompts prompts;
    CScriptedDialogs dialogs;
    const auto typing = [](const QString& text) {
        return [text](QDialog& dialog) {
            dialog.findChild<QComboBox*>(QStringLiteral("maxSpeed"))->setEditText(text);
            return int(QDialog::Accepted);
        };
    };
    dialogs.Script(
        {typing(QStringLiteral("0")), typing(QStringLiteral("abc")), typing(QStringLiteral("80"))});
    for (int run = 0; run < 3; ++run)
        panel.HandleCommand(ID_GAUGE_SPEED_SETUP);
    EXPECT_EQ(prompts.Asked().size(), 2);
    EXPECT_EQ(ReadIntSetting(QStringLiteral("Panel"), QStringLiteral("Max Speed"), 0), 80);
}

TEST(GaugePanelWnd, StripTakesTheRightQuarterOrABottomBand)
{
    PanelFixture f;
    CGaugePanelWnd panel(f.context, nullptr);
    panel.show(); // a hidden widget gets its resize events only when shown
    struct Case {
        QSize size;
        QRect strip;
        int rows;
    };
    const Case cases[] = {{{480, 536}, {0, 429, 480, 107}, 1},
                          {{240, 268}, {0, 215, 240, 53}, 1},
                          {{800, 480}, {600, 0, 200, 480}, 3}};
    for (const Case& c : cases) {
        panel.resize(c.size);
        EXPECT_EQ(panel.NavStrip().geometry(), c.strip) << c.size.width();
        EXPECT_EQ(panel.NavStrip().Grid().Rows(), c.rows);
    }
    panel.HandleCommand(ID_GAUGE_NAV_STRIP);
    EXPECT_TRUE(panel.NavStrip().isHidden());
    EXPECT_EQ(ReadIntSetting(QStringLiteral("Panel"), QStringLiteral("Enable Nav Wnd"), 1), 0);
}

TEST(GaugePanelWnd, BlackSchemeGivesABlackFaceAndYellowNeedles)
{
    PanelFixture f;
    CGaugePanelWnd panel(f.context, nullptr);
    panel.resize(480, 536);
    panel.HandleCommand(ID_GAUGE_COLORS_BLACK);
    const QImage image = panel.Render();
    // The compass fills the area above the strip: centre (240, 214.5), radius 213.5.
    EXPECT_EQ(image.pixelColor(240, 214), QColor(255, 255, 0)) << "hub";
    EXPECT_EQ(image.pixelColor(140, 214), QColor(0, 0, 0)) << "face";
    EXPECT_EQ(image.pixelColor(240, 214 - 60), QColor(255, 255, 0)) << "needle to the north";
}

} // namespace
