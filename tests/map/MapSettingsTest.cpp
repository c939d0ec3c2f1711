#include "map/MapSettings.h"
#include "MapFixture.h"
#include "app/CommandIds.h"
#include "app/SettingsStore.h"
#include "map/AltitudeProfile.h"
#include "map/ui/AlertWnd.h"
#include "map/ui/AltitudeProfileWnd.h"
#include "nav/ui/PanelGridWnd.h"
#include "platform/StringTable.h"
#include "support/ScriptedDialogs.h"
#include "support/ScriptedPrompts.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QDialog>
#include <QFile>
#include <QLineEdit>
#include <QMouseEvent>
#include <QTabWidget>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

QString Setting(const char* key)
{
    return ReadTextSetting(QStringLiteral("Map"), QString::fromLatin1(key), QString());
}

CScriptedDialogs::Step SetFilterDistance(const QString& text, int* pageAfter = nullptr)
{
    return [text, pageAfter](QDialog& d) {
        d.findChild<QLineEdit*>(QStringLiteral("FilterDistance"))->setText(text);
        d.accept();
        if (pageAfter)
            *pageAfter = d.findChild<QTabWidget*>(QStringLiteral("Pages"))->currentIndex();
        return d.result() == QDialog::Accepted ? int(QDialog::Accepted) : int(QDialog::Rejected);
    };
}

} // namespace

TEST(MapSettingsSheet, TenMetresStoreOneHundredthOfAKilometre)
{
    CMapFixture f;
    CScriptedPrompts prompts;
    CScriptedDialogs dialogs;
    QString shown;
    dialogs.Script(
        {SetFilterDistance(QStringLiteral("10")), [&shown](QDialog& d) {
             d.resize(240, 268);
             for (int page = 0; page < 3; ++page) {
                 d.findChild<QTabWidget*>(QStringLiteral("Pages"))->setCurrentIndex(page);
                 CMapFixture::Keep(d.grab().toImage(), QStringLiteral("settings-%1").arg(page));
             }
             shown = d.findChild<QLineEdit*>(QStringLiteral("FilterDistance"))->text();
             return int(QDialog::Rejected);
         }});
    f.map.HandleCommand(ID_MAP_PROPERTIES);
    EXPECT_EQ(Setting("Pos Filter Dist Threshold").toDouble(), 0.01);
    EXPECT_DOUBLE_EQ(f.map.Processor().Settings().posFilterDistThreshold, 0.01);
    f.map.HandleCommand(ID_MAP_PROPERTIES);
    EXPECT_EQ(shown, QStringLiteral("10"));
    EXPECT_TRUE(prompts.Asked().isEmpty());
}

TEST(MapSettingsSheet, ZeroOrTextIsRefusedWith276AndTheSheetStaysOpen)
{
    for (const QString& entry :
         {QStringLiteral("0"), QStringLiteral("-3"), QStringLiteral("ten")}) {
        CMapFixture f;
        CScriptedPrompts prompts;
        CScriptedDialogs dialogs;
        int page = -1;
        dialogs.Script({SetFilterDistance(entry, &page)});
        f.map.HandleCommand(ID_MAP_PROPERTIES);
        ASSERT_EQ(prompts.Asked().size(), 1) << entry.toStdString();
        EXPECT_EQ(prompts.Asked()[0].text, LoadString(276));
        EXPECT_EQ(page, 2);
        EXPECT_TRUE(Setting("Pos Filter Dist Threshold").isEmpty());
    }
}

TEST(MapSettingsSheet, ViewSwitchesApplyToTheWindow)
{
    CMapFixture f;
    CScriptedDialogs dialogs;
    dialogs.Script({[](QDialog& d) {
        d.findChild<QCheckBox*>(QStringLiteral("ViewAltitude"))->setChecked(true);
        d.findChild<QCheckBox*>(QStringLiteral("LargeWaypoints"))->setChecked(true);
        d.accept();
        return d.result();
    }});
    f.map.resize(480, 500);
    f.map.HandleCommand(ID_MAP_PROPERTIES);
    EXPECT_TRUE(f.view.LargeWaypointIcons());
    EXPECT_TRUE(f.map.AltitudeProfile().isVisible());
    EXPECT_EQ(f.view.height(), 400); // the profile takes the bottom fifth
    f.map.HandleCommand(32808);      // hide the profile
    EXPECT_EQ(f.view.height(), 500);
    EXPECT_EQ(ReadIntSetting(QStringLiteral("Map"), QStringLiteral("View Altitude Profile"), -1),
              0);
}

TEST(MapWindowLayout, NavigationStripOnTopUntilHidden)
{
    CMapFixture f;
    WriteIntSetting(QStringLiteral("Map"), QStringLiteral("View Navigation Window"), 1);
    f.map.ApplyViewSettings();
    f.map.resize(240, 268);
    CPanelGridWnd& strip = f.map.NavigationStrip();
    EXPECT_TRUE(strip.isVisible());
    EXPECT_EQ(strip.geometry(), QRect(0, 0, 240, 240 * 2 / 9));
    EXPECT_EQ(f.view.geometry(), QRect(0, 240 * 2 / 9, 240, 268 - 240 * 2 / 9));
    EXPECT_EQ(f.map.NavigationStrip().Grid().Columns(), 3);
    CMapFixture::Keep(f.map.grab().toImage(), QStringLiteral("map-with-strip"));
    // The strip's own menu (175) hides it.
    const std::vector<PopupItem> menu = strip.PopupItems();
    ASSERT_EQ(menu.size(), 2u);
    EXPECT_EQ(menu[1].id, 32809);
    EXPECT_EQ(menu[1].text, QStringLiteral("표시 안함(&H)"));
    EXPECT_TRUE(strip.HandleCommand(32809));
    EXPECT_FALSE(strip.isVisible());
    EXPECT_EQ(f.view.geometry(), QRect(0, 0, 240, 268));
    EXPECT_EQ(ReadIntSetting(QStringLiteral("Map"), QStringLiteral("View Navigation Window"), -1),
              0);
}

TEST(AltitudeProfile, FlatAndEmptyProfilesDrawWithoutDividingByZero)
{
    CAltitudeProfile profile;
    EXPECT_TRUE(profile.Layout(100, 50).empty());
    for (int i = 0; i < 10; ++i)
        profile.Add(120.0f);
    EXPECT_EQ(profile.Layout(100, 50), std::vector<int>(10, 25));
    profile.Add(220.0f);
    const std::vector<int> bars = profile.Layout(3, 50);
    EXPECT_EQ(bars, (std::vector<int>{50, 0, 0}));
    // Narrowed to the shown samples; the ring keeps the newest 4096.
    for (int i = 0; i < CAltitudeProfile::kCapacity; ++i)
        profile.Add(float(i));
    EXPECT_EQ(profile.Count(), CAltitudeProfile::kCapacity);
    EXPECT_EQ(profile.Sample(0), float(CAltitudeProfile::kCapacity - 1));
}

TEST(AlertWindow, ShownAndHiddenByItsTimerAndPlaysOnlyRealFiles)
{
    CMapFixture f;
    qint64 now = 1000;
    CAlertWnd alert(f.parser, f.map.Navigation(), f.map.Processor(), &f.map);
    alert.setAttribute(Qt::WA_DontShowOnScreen);
    alert.SetClock([&now] { return now; });
    CWaypoint waypoint;
    waypoint.strName = QStringLiteral("Near");
    waypoint.strSoundFile = QStringLiteral("http://example.invalid/alarm.wav");
    alert.ShowAlert(LoadString(271), waypoint, 3, 60000);
    EXPECT_TRUE(alert.isVisible());
    for (int type = 0; type < 6; type += 1) {
        alert.ShowAlert(LoadString(271), waypoint, type, 60000);
        alert.resize(240, 268);
        CMapFixture::Keep(alert.Render(), QStringLiteral("alert-%1").arg(type));
    }
    EXPECT_TRUE(alert.PlayedSound().isEmpty());
    now += 59000;
    alert.RunTimersOnce();
    EXPECT_TRUE(alert.isVisible());
    now += 1000;
    alert.RunTimersOnce();
    EXPECT_FALSE(alert.isVisible());

    QTemporaryDir dir;
    const QString wav = dir.filePath(QStringLiteral("a.wav"));
    QFile file(wav);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("RIFF");
    file.close();
    for (const auto& [name, played] :
         {std::pair{wav, true}, {dir.path(), false}, {QStringLiteral("Alarm1.wav"), false}}) {
        waypoint.strSoundFile = name;
        alert.ShowAlert(QStringLiteral("x"), waypoint, 0, 1000);
        EXPECT_EQ(!alert.PlayedSound().isEmpty(), played) << name.toStdString();
        QMouseEvent tap(QEvent::MouseButtonPress, QPointF(10, 10), QPointF(10, 10), Qt::LeftButton,
                        Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(&alert, &tap);
        EXPECT_FALSE(alert.isVisible());
    }
}

TEST(MapSettingsTexts, DistancesShowInTheirUnitsAndOnlyNumbersComeBack)
{
    CFreshSettings settings;
    struct Case {
        int units; // "Distance-SpeedUnits"
        double km;
        QString arrival;
    };
    for (const Case& c : {Case{0, 0.03048, QStringLiteral("100.000000")},
                          Case{2, 0.03048, QStringLiteral("30.480000")}}) {
        WriteIntSetting(QStringLiteral("Settings"), QStringLiteral("Distance-SpeedUnits"), c.units);
        EXPECT_EQ(ArrivalDistanceText(c.km), c.arrival);
        EXPECT_NEAR(*ArrivalDistanceFromText(c.arrival), c.km, 1e-9);
    }
    EXPECT_EQ(ThresholdText(0.005), QStringLiteral("5"));
    EXPECT_EQ(ThresholdText(0.0005), QStringLiteral("0.5"));
    EXPECT_EQ(*ThresholdFromText(QStringLiteral(" 10 ")), 0.01);
    EXPECT_EQ(HdopText(50), QStringLiteral("5.0"));
    EXPECT_EQ(*HdopFromText(QStringLiteral("2.5")), 25);
    for (const QString& bad : {QString(), QStringLiteral("ten"), QStringLiteral("5m"),
                               QStringLiteral("nan"), QStringLiteral("inf")}) {
        EXPECT_FALSE(ArrivalDistanceFromText(bad)) << bad.toStdString();
        EXPECT_FALSE(ThresholdFromText(bad)) << bad.toStdString();
        EXPECT_FALSE(HdopFromText(bad)) << bad.toStdString();
    }
    EXPECT_FALSE(HdopFromText(QStringLiteral("-1")));
}
