#include "WidgetDriving.h"

#include "app/CommandIds.h"
#include "nav/Navigation.h"
#include "support/ScriptedDialogs.h"
#include "support/ScriptedPrompts.h"
#include "support/TestData.h"
#include "waypoints/WaypointAveraging.h"
#include "waypoints/WaypointDB.h"
#include "waypoints/WaypointFileCommands.h"
#include "waypoints/ui/ImportProgressWindow.h"
#include "waypoints/ui/WPAverageStatusWnd.h"
#include "waypoints/ui/WaypointCommands.h"
#include "waypoints/ui/WaypointManagerDialog.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>

namespace {

class WaypointCommandsTest : public ::testing::Test {
protected:
    CWaypointDB m_db;
    CScriptedPrompts m_prompts;
    CScriptedDialogs m_dialogs;
    QWidget m_parent;
};

// Presses the progress window's Cancel once the import has gone past half of the file.
void CancelHalfWay(QWidget& parent)
{
    QTimer::singleShot(0, &parent, [&parent] {
        auto* window = parent.findChild<CImportProgressWindow*>();
        ASSERT_NE(window, nullptr);
        QObject::connect(window, &CImportProgressWindow::Stepped, window,
                         [window](int done, int range) {
                             if (done * 2 < range || window->WasCancelled())
                                 return;
                             SavePicture(*window, QStringLiteral("import-progress"));
                             Control<QPushButton>(*window, "cancelButton").click();
                         });
    });
}

TEST_F(WaypointCommandsTest, ImportCancelledHalfWayKeepsWhatCameBefore)
{
    REQUIRE_TESTDATA();
    const QString gpx = TestDataPath(QStringLiteral("gpx/garmin_symbols.gpx"));
    CWaypointDB whole;
    m_prompts.ScriptFileNames({gpx});
    RunImportCommand(whole, &m_parent);
    const int all = whole.GetCount();
    ASSERT_GT(all, 100);

    m_prompts.ScriptFileNames({gpx});
    CancelHalfWay(m_parent);
    RunImportCommand(m_db, &m_parent);
    EXPECT_GT(m_db.GetCount(), 0);
    EXPECT_LT(m_db.GetCount(), all);
    // Saved and summed up with what was imported.
    EXPECT_FALSE(m_db.IsModified());
    EXPECT_EQ(m_prompts.Asked().last().text,
              QStringLiteral("%1 새 중요지점이 추가됩니다.  0 중요지점을 대체합니다.")
                  .arg(m_db.GetCount()));
}

TEST_F(WaypointCommandsTest, CsvImportAsksItsSettingsFirst)
{
    REQUIRE_TESTDATA();
    const QString csv = TestDataPath(QStringLiteral("csv/csvb.csv"));
    m_prompts.ScriptFileNames({csv, csv});
    m_dialogs.Script({RejectDialog, [](QDialog& sheet) {
                          EXPECT_TRUE(Control<QCheckBox>(sheet, "alarmOnCheck").isChecked());
                          EXPECT_EQ(Control<QComboBox>(sheet, "iconList").currentData(), 55);
                          EXPECT_EQ(Control<QComboBox>(sheet, "formatList").currentData(), 205);
                          SavePicture(sheet, QStringLiteral("csv-import-sheet"));
                          Control<QComboBox>(sheet, "iconList").setCurrentIndex(3);
                          return int(QDialog::Accepted);
                      }});
    RunImportCommand(m_db, &m_parent); // cancelled at the sheet: nothing
    EXPECT_EQ(m_db.GetCount(), 0);
    RunImportCommand(m_db, &m_parent);
    ASSERT_EQ(m_db.GetCount(), 9);
    for (int cell = 0; cell < CWaypointDB::kCellCount; ++cell)
        for (const CWaypoint& wp : m_db.CellWaypoints(cell)) {
            EXPECT_EQ(wp.icon, 3);
            EXPECT_DOUBLE_EQ(wp.dActiveWPDistance, 0.3048);
        }
}

TEST_F(WaypointCommandsTest, ExportWritesTheFileOrSaysItCouldNot)
{
    QTemporaryDir dir;
    CWaypoint wp;
    wp.strName = QStringLiteral("One");
    m_db.AddByPosition(wp);
    const QString path = dir.filePath(QStringLiteral("out.gpx"));
    m_prompts.ScriptFileNames({path, dir.filePath(QStringLiteral("missing/out.gpx"))});
    RunExportCommand(m_db, &m_parent);
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.readAll().contains("<![CDATA[One]]>"));
    EXPECT_TRUE(m_prompts.Asked().isEmpty());
    RunExportCommand(m_db, &m_parent);
    ASSERT_EQ(m_prompts.Asked().size(), 1);
    EXPECT_EQ(m_prompts.Asked()[0].icon, PromptIcon::Error);
}

class NoMap : public IWaypointMapActions {
public:
    void ShowOnMap(const CWaypoint&) override {}
    void SetCurrentPosition(const GeoPosition&) override {}
};

TEST_F(WaypointCommandsTest, FinishedAveragingIsEditedAddedAndSaved)
{
    CWaypointAveraging averaging;
    CNavigation navigation(m_db);
    NoMap map;
    const WaypointCommandContext context{m_db, navigation, averaging, map, {}, &m_parent};
    CWPAverageStatusWnd status(&m_parent);
    averaging.AddDisplay(&status);
    EXPECT_FALSE(RunWaypointMenuCommand(ID_WAYPOINT_GOTO, context)); // the map's own
    ASSERT_TRUE(RunWaypointMenuCommand(ID_AVERAGING_START, context));
    EXPECT_TRUE(status.isVisibleTo(&m_parent));
    averaging.AddSample(37.5, 127.0, 30.0, 1.2);
    averaging.AddSample(37.5001, 127.0001, 32.0, 1.2);
    status.resize(status.sizeHint());
    status.Render().save(QStringLiteral("/tmp/wpui-png/averaging-status.png"));

    CWaypoint taken;
    taken.strName = QStringLiteral("WPT 00000");
    m_db.AddByPosition(taken);
    m_db.AddByPosition([] {
        CWaypoint wp;
        wp.strName = QStringLiteral("Home");
        return wp;
    }());
    // The first name offered is free; the user types one that exists, is told, and renames.
    m_dialogs.Script({[](QDialog& sheet) {
                          EXPECT_EQ(Control<QLineEdit>(sheet, "nameEdit").text(),
                                    QStringLiteral("WPT 00001"));
                          Control<QLineEdit>(sheet, "nameEdit").setText(QStringLiteral("Home"));
                          return int(QDialog::Accepted);
                      },
                      [](QDialog& sheet) {
                          Control<QLineEdit>(sheet, "nameEdit").setText(QStringLiteral("Spring"));
                          return int(QDialog::Accepted);
                      }});
    RunWaypointMenuCommand(ID_AVERAGING_FINISH, context);
    EXPECT_FALSE(status.isVisibleTo(&m_parent));
    ASSERT_EQ(m_prompts.Asked().size(), 1);
    EXPECT_TRUE(m_prompts.Asked()[0].text.startsWith(QStringLiteral("오류 - 같은 이름이")));
    EXPECT_EQ(m_db.GetCount(), 3);
    EXPECT_FALSE(m_db.IsModified());
    CWaypointDB saved;
    saved.Load(DatabaseFilePath());
    EXPECT_TRUE(saved.NameExists(QStringLiteral("Spring")));

    RunWaypointMenuCommand(ID_AVERAGING_START, context);
    averaging.AddSample(1.0, 1.0, 1.0, 1.0);
    RunWaypointMenuCommand(ID_AVERAGING_CANCEL, context);
    EXPECT_EQ(m_db.GetCount(), 3);
    EXPECT_EQ(m_dialogs.Shown().size(), 2);
}

} // namespace
