#include "MapFixture.h"
#include "app/CommandIds.h"
#include "app/SettingsStore.h"
#include "geo/Geodesy.h"
#include "map/MapCommandIds.h"
#include "map/ui/WaypointEditor.h"
#include "platform/Clock.h"
#include "platform/StringTable.h"
#include "support/ScriptedDialogs.h"
#include "support/ScriptedPrompts.h"

#include <QComboBox>
#include <QDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QMenu>

#include <gtest/gtest.h>

namespace {

// Plays the edit sheet: each step edits the copy (or cancels by returning false).
class CScriptedEditor : public IWaypointEditor {
public:
    using Step = std::function<bool(CWaypoint&)>;
    explicit CScriptedEditor(QList<Step> steps) : m_steps(std::move(steps))
    {
        SetWaypointEditor(this);
    }
    ~CScriptedEditor() override { SetWaypointEditor(nullptr); }
    bool EditWaypoint(CWaypoint& waypoint, int startPage, QWidget*) override
    {
        pages.append(startPage);
        return !m_steps.isEmpty() && m_steps.takeFirst()(waypoint);
    }
    QList<int> pages;

private:
    QList<Step> m_steps;
};

class MapCommands : public ::testing::Test {
protected:
    void SetUp() override
    {
        database = f.settings.Directory() + QStringLiteral("/db.wpt");
        WriteTextSetting(QStringLiteral("Settings"), QStringLiteral("Database File"), database);
        f.map.Navigation().SetCurrentPosition(GeoPositionFromDegrees(37.0, 127.0));
        f.view.SetNorthUp(true);
        f.Render(480, 536);
    }
    QPoint ScreenOf(int id)
    {
        CWaypoint waypoint;
        f.view.Store().GetByID(id, waypoint);
        return ToPixel(f.view.Frame().ToScreen(waypoint.position));
    }
    bool Saved() const { return QFileInfo::exists(database); }

    CMapFixture f;
    QString database;
    CScriptedPrompts prompts;
    CScriptedDialogs dialogs;
};

} // namespace

TEST_F(MapCommands, ZoomStopsAtTheTableEnds)
{
    for (int i = 0; i < 30; ++i)
        f.map.OnArrowKey(true);
    EXPECT_EQ(f.view.Scale(), 0.01);
    for (int i = 0; i < 30; ++i)
        f.map.OnArrowKey(false);
    EXPECT_EQ(f.view.Scale(), 500.0);
    f.map.OnArrowKey(true);
    EXPECT_EQ(f.view.Scale(), 300.0);
}

TEST_F(MapCommands, DragPansFromTheFifthMoveAndExitPanReturns)
{
    const GeoPosition before = f.view.Frame().ToWorld({240, 268});
    f.map.OnMapStylusDown({240, 268});
    for (int i = 1; i <= 4; ++i)
        f.map.OnMapStylusMove({240 + i, 268});
    EXPECT_EQ(f.view.Centre().GetMode(), CMapCentre::CurrentPosition);
    f.map.OnMapStylusMove({300, 268});
    f.map.OnMapStylusUp({300, 268});
    ASSERT_EQ(f.view.Centre().GetMode(), CMapCentre::Pan);
    EXPECT_LT(f.view.Centre().PanCentre().longitude, before.longitude); // dragged east, map west
    const GdiRect exit = f.view.ExitPanBox();
    f.map.OnMapStylusDown({exit.left + 5, 5});
    f.map.OnMapStylusUp({exit.left + 5, 5});
    EXPECT_EQ(f.view.Centre().GetMode(), CMapCentre::CurrentPosition);
}

TEST_F(MapCommands, OverlappingIconsAsk270AndNoDeletesNothing)
{
    const GeoPosition at = GeoPositionFromDegrees(37.001, 127.001);
    const int a = f.AddWaypoint(QStringLiteral("A"), at);
    f.AddWaypoint(QStringLiteral("B"), at);
    f.map.OnMapStylusDown(ScreenOf(a));
    ASSERT_EQ(f.map.TapHits().size(), 2u);
    prompts.Script({PromptAnswer::No});
    f.map.HandleCommand(ID_MAP_DELETE_THIS);
    ASSERT_EQ(prompts.Asked().size(), 1);
    EXPECT_EQ(prompts.Asked()[0].text, LoadString(270));
    EXPECT_EQ(f.view.Store().GetCount(), 2);
    EXPECT_TRUE(f.map.TapHits().empty());
    EXPECT_FALSE(Saved());

    // Yes, then the list of the two: the chosen one goes.
    f.map.OnMapStylusDown(ScreenOf(a));
    prompts.Script({PromptAnswer::Yes});
    dialogs.Script({[](QDialog& d) {
        d.resize(240, 268);
        CMapFixture::Keep(d.grab().toImage(), QStringLiteral("select-waypoint"));
        EXPECT_EQ(d.findChild<QObject*>(QStringLiteral("Count"))->property("text").toString(),
                  QStringLiteral("Count: 2"));
        return int(QDialog::Accepted);
    }});
    f.map.HandleCommand(ID_MAP_DELETE_THIS);
    EXPECT_EQ(f.view.Store().GetCount(), 1);
    EXPECT_TRUE(Saved());
}

TEST_F(MapCommands, RenameClashShows215AndKeepsTheRecord)
{
    const int a = f.AddWaypoint(QStringLiteral("Alpha"), GeoPositionFromDegrees(37.001, 127.001));
    f.AddWaypoint(QStringLiteral("Beta"), GeoPositionFromDegrees(37.002, 127.003));
    CScriptedEditor editor({[](CWaypoint& w) {
                                w.strName = QStringLiteral("Beta");
                                return true;
                            },
                            [](CWaypoint&) { return false; }});
    f.map.OnMapStylusDown(ScreenOf(a));
    f.map.HandleCommand(ID_MAP_EDIT_THIS);
    ASSERT_EQ(prompts.Asked().size(), 1);
    EXPECT_EQ(prompts.Asked()[0].text, LoadString(215));
    EXPECT_EQ(editor.pages.size(), 2);
    EXPECT_EQ(f.view.Store().GetCount(), 2);
    EXPECT_TRUE(f.view.Store().NameExists(QStringLiteral("Alpha")));
    CWaypoint old;
    EXPECT_FALSE(f.view.Store().GetByID(a, old)); // back under a new id
    EXPECT_TRUE(Saved());
}

TEST_F(MapCommands, FoundLeavesStateFiveAndTwoHitsAlone)
{
    CWaypoint cache;
    cache.strName = QStringLiteral("GC1");
    cache.position = GeoPositionFromDegrees(37.001, 127.001);
    cache.nGeocacheState = 5;
    const int id = f.view.Store().AddByPosition(cache);
    f.map.OnMapStylusDown(ScreenOf(id));
    QMenu* menu = f.map.CreatePopupMenu(nullptr);
    const auto actions = menu->findChildren<QAction*>();
    const auto found = std::find_if(actions.begin(), actions.end(),
                                    [](QAction* a) { return a->data().toInt() == ID_MAP_FOUND; });
    ASSERT_NE(found, actions.end());
    EXPECT_TRUE((*found)->isEnabled());
    EXPECT_TRUE((*found)->isChecked());
    delete menu;
    f.map.HandleCommand(ID_MAP_FOUND);
    f.view.Store().GetByID(id, cache);
    EXPECT_EQ(cache.nGeocacheState, 5);
    EXPECT_TRUE(prompts.Asked().isEmpty());
    EXPECT_FALSE(Saved());

    // Two caches under the stylus: nothing.
    CWaypoint second = cache;
    second.strName = QStringLiteral("GC2");
    second.nGeocacheState = 0;
    f.view.Store().AddByPosition(second);
    f.map.OnMapStylusDown(ScreenOf(id));
    f.map.HandleCommand(ID_MAP_FOUND);
    EXPECT_FALSE(f.view.Store().NameExists(QStringLiteral("GC2")) && Saved());
    EXPECT_TRUE(prompts.Asked().isEmpty());

    // One cache in state 0: found, message 210, the field notes page on Yes.
    f.view.Store().DeleteByID(id);
    Clock::Pin(1700000000);
    prompts.Script({PromptAnswer::Yes});
    CScriptedEditor editor({[](CWaypoint&) { return true; }});
    f.map.OnMapStylusDown(ScreenOf(id + 1));
    f.map.HandleCommand(ID_MAP_FOUND);
    Clock::Unpin();
    ASSERT_EQ(prompts.Asked().size(), 1);
    EXPECT_EQ(prompts.Asked()[0].text, LoadString(210));
    EXPECT_EQ(editor.pages, QList<int>{IWaypointEditor::kFieldNotesPage});
    EXPECT_TRUE(Saved());
}

TEST_F(MapCommands, ProjectedWaypoint)
{
    f.map.Navigation().SetCurrentPosition(GeoPositionFromDegrees(0.0, 0.0));
    f.view.Render();
    const int from = f.AddWaypoint(QStringLiteral("Origin"), GeoPositionFromDegrees(0.0, 0.0));
    WriteIntSetting(QStringLiteral("Settings"), QStringLiteral("Distance-SpeedUnits"), 0);
    const auto fill = [](const char* bearing) {
        return [bearing](QDialog& d) {
            d.findChild<QLineEdit*>(QStringLiteral("Distance"))->setText(QStringLiteral("1"));
            d.findChild<QComboBox*>(QStringLiteral("Unit"))->setCurrentIndex(1); // "mi"
            d.findChild<QLineEdit*>(QStringLiteral("Bearing"))
                ->setText(QString::fromLatin1(bearing));
            d.resize(240, 120);
            CMapFixture::Keep(d.grab().toImage(), QStringLiteral("project-waypoint"));
            d.accept();
            return d.result();
        };
    };
    // 361 is refused and the dialog stays open: Cancel then ends it.
    dialogs.Script({fill("361")});
    f.map.OnMapStylusDown(ScreenOf(from));
    f.map.HandleCommand(ID_MAP_PROJECT_WAYPOINT);
    EXPECT_EQ(prompts.Asked().size(), 1);
    EXPECT_EQ(f.view.Store().GetCount(), 1);

    CScriptedEditor editor({[](CWaypoint&) { return true; }});
    dialogs.Script({fill("90")});
    f.map.OnMapStylusDown(ScreenOf(from));
    f.map.HandleCommand(ID_MAP_PROJECT_WAYPOINT);
    ASSERT_EQ(f.view.Store().GetCount(), 2);
    CWaypoint made;
    for (int cell = 0; cell < CWaypointDB::kCellCount; ++cell)
        for (const CWaypoint& w : f.view.Store().CellWaypoints(cell))
            if (w.nID != from)
                made = w;
    EXPECT_EQ(made.icon, 129);
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^WPT \\d{5}$")).match(made.strName).hasMatch())
        << made.strName.toStdString();
    EXPECT_EQ(made.position.latitude, 0);
    EXPECT_NEAR(PositionDistance(made.position, GeoPositionFromDegrees(0, 0)), 1.609344, 0.003);
    EXPECT_GT(made.position.longitude, 0);
    EXPECT_TRUE(Saved());
}

TEST_F(MapCommands, NorthUpAndCourseUpAreStoredAndChecked)
{
    f.map.HandleCommand(ID_MAP_COURSE_UP);
    EXPECT_EQ(ReadIntSetting(QStringLiteral("Map"), QStringLiteral("North Up"), -1), 0);
    EXPECT_FALSE(f.view.NorthUp());
    f.map.HandleCommand(ID_MAP_NORTH_UP);
    EXPECT_EQ(ReadIntSetting(QStringLiteral("Map"), QStringLiteral("North Up"), -1), 1);
    std::unique_ptr<QMenu> menu(f.map.CreatePopupMenu(nullptr));
    for (QAction* action : menu->actions()) {
        if (action->data().toInt() == ID_MAP_NORTH_UP) {
            EXPECT_TRUE(action->isChecked());
        }
        if (action->data().toInt() == ID_MAP_COURSE_UP) {
            EXPECT_FALSE(action->isChecked());
        }
    }
}

TEST_F(MapCommands, ShowOnMapPansToTheChosenWaypointAndNewWaypointIsTimed)
{
    const GeoPosition there = GeoPositionFromDegrees(37.2, 127.3);
    f.AddWaypoint(QStringLiteral("There"), there);
    dialogs.Script({AcceptDialog});
    f.map.HandleCommand(ID_WAYPOINT_SHOW_ON_MAP);
    EXPECT_EQ(f.view.Centre().GetMode(), CMapCentre::Pan);
    EXPECT_EQ(f.view.Centre().PanCentre().latitude, there.latitude);
    EXPECT_FALSE(Saved());

    Clock::Pin(1700000000);
    CScriptedEditor editor({[](CWaypoint& w) {
        w.position = GeoPositionFromDegrees(37.01, 127.01);
        return true;
    }});
    f.map.HandleCommand(ID_WAYPOINT_NEW);
    Clock::Unpin();
    ASSERT_TRUE(f.view.Store().NameExists(QStringLiteral("WPT 00000")));
    CWaypoint made;
    for (const CWaypoint& w : f.view.Store().CellWaypoints(
             CWaypointDB::CellIndex(GeoPositionFromDegrees(37.01, 127.01))))
        made = w;
    EXPECT_EQ(made.timeWaypoint, 1700000000);
    EXPECT_TRUE(Saved());
}

TEST_F(MapCommands, CreatingBeyondThePoleShows222AndCreatingHereTakesTheFixAltitude)
{
    CScriptedEditor editor({[](CWaypoint&) { return true; }});
    f.Feed(QByteArray("$GPGGA,120000.00,3700.0000,N,12700.0000,E,1,08,1.0,123.4,M,0.0,M,,*52\n"));
    f.map.Navigation().SetCurrentPosition(GeoPositionFromDegrees(37.0, 127.0));
    f.map.OnMapStylusDown({240, 268});
    f.map.HandleCommand(ID_MAP_CREATE_HERE);
    ASSERT_EQ(f.view.Store().GetCount(), 1);
    CWaypoint made;
    for (const CWaypoint& w :
         f.view.Store().CellWaypoints(CWaypointDB::CellIndex(f.view.Frame().ToWorld({240, 268}))))
        made = w;
    EXPECT_FLOAT_EQ(made.position.altitude, 123.4f);
    EXPECT_TRUE(Saved());

    // Below the south pole the store has no cell: message 222, nothing added.
    f.map.Navigation().SetCurrentPosition(GeoPositionFromDegrees(-89.9, 0.0));
    f.view.SetScale(500.0);
    f.map.OnMapStylusDown({0, 535});
    f.map.HandleCommand(ID_MAP_CREATE_HERE);
    ASSERT_EQ(prompts.Asked().size(), 1);
    EXPECT_EQ(prompts.Asked()[0].text, LoadString(222));
    EXPECT_EQ(f.view.Store().GetCount(), 1);
}
