#include "WidgetDriving.h"

#include "app/SettingsStore.h"
#include "geo/Geodesy.h"
#include "nav/Navigation.h"
#include "support/RecordingUrlOpener.h"
#include "support/ScriptedDialogs.h"
#include "support/ScriptedPrompts.h"
#include "waypoints/WaypointDB.h"
#include "waypoints/ui/WaypointManagerDialog.h"

#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTableView>
#include <QUrl>

namespace {

const GeoPosition kHome{37500000, 127000000, 0.0f};

// The map side of the manager's commands, as the map window would carry them out.
class RecordingMap : public IWaypointMapActions {
public:
    void ShowOnMap(const CWaypoint& waypoint) override { shown.append(waypoint.strName); }
    void SetCurrentPosition(const GeoPosition& position) override { current = position; }
    QStringList shown;
    GeoPosition current;
};

// A point `km` due north of home, as the list measures it.
GeoPosition NorthOfHome(double km)
{
    GeoPosition p = kHome;
    while (PositionDistance(kHome, p) < km)
        p.latitude += 1;
    return p;
}

class WaypointManagerDialogTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        WriteIntSetting("Settings", "Distance-SpeedUnits", 2); // km
        for (const auto& [name, km] : {std::pair{"Bravo", 1.0},
                                       {"alpha", 2.0},
                                       {"Charlie", 3.0},
                                       {"delta", 9.9},
                                       {"Echo", 10.1}}) {
            CWaypoint wp;
            wp.strName = QString::fromLatin1(name);
            wp.position = NorthOfHome(km);
            m_db.AddByPosition(wp);
        }
    }
    void TearDown() override { WriteIntSetting("Settings", "Distance-SpeedUnits", 0); }

    std::unique_ptr<CWaypointManagerDialog> Open()
    {
        return std::make_unique<CWaypointManagerDialog>(m_db, m_navigation, m_map, kHome);
    }
    static QTableView& Table(QDialog& dialog)
    {
        return Control<QTableView>(dialog, "waypointList");
    }
    static QStringList Column(QDialog& dialog, int column)
    {
        QStringList texts;
        QAbstractItemModel* model = Table(dialog).model();
        for (int r = 0; r < model->rowCount(); ++r)
            texts.append(model->index(r, column).data().toString());
        return texts;
    }
    static void SelectRows(QDialog& dialog, std::initializer_list<int> rows)
    {
        QTableView& table = Table(dialog);
        table.clearSelection();
        for (const int r : rows)
            table.selectionModel()->select(table.model()->index(r, 0),
                                           QItemSelectionModel::Select | QItemSelectionModel::Rows);
    }
    static void Click(QDialog& dialog, const char* button)
    {
        Control<QPushButton>(dialog, button).click();
    }

    CWaypointDB m_db;
    CNavigation m_navigation{m_db};
    RecordingMap m_map;
    CScriptedPrompts m_prompts;
    CScriptedDialogs m_dialogs;
};

TEST_F(WaypointManagerDialogTest, OpensOnTheNearestSortedByNameWithDistances)
{
    UseMapIconStrips();
    auto dialog = Open();
    EXPECT_EQ(Column(*dialog, 0), (QStringList{"alpha", "Bravo", "Charlie", "delta"}));
    EXPECT_EQ(Column(*dialog, 1), (QStringList{"2.00 km", "1.00 km", "3.00 km", "9.90 km"}));
    EXPECT_EQ(Control<QLabel>(*dialog, "itemCount").text(), QStringLiteral("4"));
    Control<QComboBox>(*dialog, "listMode").setCurrentIndex(0); // All
    Click(*dialog, "refreshButton");
    EXPECT_EQ(Column(*dialog, 0).size(), 5);
    Table(*dialog).horizontalHeader()->sectionClicked(1); // sort by distance
    EXPECT_EQ(Column(*dialog, 0), (QStringList{"Bravo", "alpha", "Charlie", "delta", "Echo"}));
    SavePicture(*dialog, QStringLiteral("waypoint-manager"));
}

TEST_F(WaypointManagerDialogTest, DeletingThreeSelectedRowsRemovesAllThree)
{
    auto dialog = Open();
    Click(*dialog, "deleteButton");
    SelectRows(*dialog, {0, 1, 3});
    m_prompts.Script({PromptAnswer::Yes});
    Click(*dialog, "deleteButton");
    ASSERT_EQ(m_prompts.Asked().size(), 2);
    EXPECT_TRUE(m_prompts.Asked()[0].text.startsWith(QStringLiteral("오류 - 지울 수 없습니다")));
    EXPECT_EQ(m_prompts.Asked()[1].text, QStringLiteral("3 지점을 삭제 하시겠습니까?"));
    EXPECT_EQ(m_db.GetCount(), 2);
    EXPECT_EQ(Column(*dialog, 0), (QStringList{"Charlie"}));
    EXPECT_FALSE(m_db.IsModified()); // saved
}

TEST_F(WaypointManagerDialogTest, AFailedSaveAsksAgainAndKeepsTheChangeInMemory)
{
    WriteTextSetting("Settings", "Database File", QStringLiteral("/nonexistent-dir/db.wpt"));
    auto dialog = Open();
    SelectRows(*dialog, {0});
    m_prompts.Script({PromptAnswer::Yes, PromptAnswer::No});
    Click(*dialog, "deleteButton");
    ASSERT_EQ(m_prompts.Asked().size(), 2);
    EXPECT_TRUE(
        m_prompts.Asked()[1].text.startsWith(QStringLiteral("중요지점 database 파일을 저장")));
    EXPECT_EQ(m_db.GetCount(), 4);
    EXPECT_TRUE(m_db.IsModified()); // still to be saved, by the next command or at exit
    WriteTextSetting("Settings", "Database File",
                     QStringLiteral("\\My Documents\\Wendrift\\WDWaypoint.wpt"));
}

TEST_F(WaypointManagerDialogTest, GotoShowAndMakeCurrentNeedExactlyOneRow)
{
    struct Case {
        std::initializer_list<int> rows;
        const char* message; // nullptr: the command runs
    };
    for (const Case& c : {Case{{}, "중요지점이 선택되지 않았습니다."}, Case{{0, 2}, "하나의"}}) {
        auto dialog = Open();
        for (const char* button : {"gotoButton", "showButton"}) {
            const qsizetype asked = m_prompts.Asked().size();
            SelectRows(*dialog, c.rows);
            Click(*dialog, button);
            ASSERT_EQ(m_prompts.Asked().size(), asked + 1);
            EXPECT_TRUE(m_prompts.Asked().last().text.startsWith(QString::fromUtf8(c.message)));
            EXPECT_EQ(m_prompts.Asked().last().icon,
                      c.rows.size() == 0 ? PromptIcon::Error : PromptIcon::Warning);
        }
        EXPECT_FALSE(m_db.IsNavigating());
    }
    auto dialog = Open();
    SelectRows(*dialog, {2});
    Click(*dialog, "gotoButton");
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_EQ(m_db.NavigationTarget().strName, QStringLiteral("Charlie"));

    dialog = Open();
    SelectRows(*dialog, {3});
    m_prompts.Script({PromptAnswer::Yes});
    dialog->MakeCurrentPosition();
    EXPECT_EQ(m_map.current.latitude, NorthOfHome(9.9).latitude);
    EXPECT_EQ(m_prompts.Asked().last().text,
              QStringLiteral("중요지점 목록을 새로고침 하시겠습니까?"));
    EXPECT_EQ(Column(*dialog, 0).last(), QStringLiteral("Echo")); // now 0.2 km away
}

TEST_F(WaypointManagerDialogTest, GeocacheInformationOpensTheWaypointsPage)
{
    CRecordingUrlOpener opener;
    auto dialog = Open();
    SelectRows(*dialog, {2});
    dialog->ShowGeocacheInformation();
    ASSERT_EQ(opener.opened.size(), 1);
    QFile page(opener.opened[0].toLocalFile());
    ASSERT_TRUE(page.open(QIODevice::ReadOnly));
    EXPECT_TRUE(page.readAll().contains("Charlie"));
    EXPECT_EQ(dialog->result(), QDialog::Rejected); // the dialog stays
}

TEST_F(WaypointManagerDialogTest, EditRefusesATakenNameAndMovesAnEditedRecord)
{
    auto dialog = Open();
    Click(*dialog, "editButton");
    EXPECT_TRUE(m_prompts.Asked().last().text.startsWith(QStringLiteral("편집할 중요지점이")));
    SelectRows(*dialog, {0}); // alpha
    m_dialogs.Script({[](QDialog& sheet) {
        Control<QLineEdit>(sheet, "nameEdit").setText(QStringLiteral("Bravo"));
        return int(QDialog::Accepted);
    }});
    Click(*dialog, "editButton");
    EXPECT_TRUE(m_prompts.Asked().last().text.startsWith(QStringLiteral("오류 - 같은 이름이")));
    EXPECT_EQ(m_db.GetCount(), 5);
    SelectRows(*dialog, {0});
    m_dialogs.Script({[](QDialog& sheet) {
        Control<QLineEdit>(sheet, "nameEdit").setText(QStringLiteral("Alpha 2"));
        return int(QDialog::Accepted);
    }});
    Click(*dialog, "editButton");
    EXPECT_EQ(Column(*dialog, 0).first(), QStringLiteral("Alpha 2"));
    EXPECT_TRUE(m_db.NameExists(QStringLiteral("Alpha 2")));
    EXPECT_FALSE(m_db.NameExists(QStringLiteral("alpha")));
    EXPECT_EQ(m_db.GetCount(), 5);
}

TEST_F(WaypointManagerDialogTest, MultipleEditChangesTheSelectedAndReportsVanishedRows)
{
    auto dialog = Open();
    SelectRows(*dialog, {0, 1});
    const auto tickIcon = [](QDialog& sheet) {
        Control<QGroupBox>(sheet, "changeIconBox").setChecked(true);
        Control<QComboBox>(sheet, "iconList").setCurrentIndex(7);
        return int(QDialog::Accepted);
    };
    m_dialogs.Script({tickIcon});
    Click(*dialog, "editButton");
    EXPECT_TRUE(m_prompts.Asked().last().text.startsWith(QStringLiteral("여러개의")));
    CWaypoint alpha;
    m_db.GetByID(2, alpha);
    EXPECT_EQ(alpha.icon, 7);
    // Rows whose records went away meanwhile are not used: the user is told, nothing changes.
    SelectRows(*dialog, {0, 1});
    for (const auto& row : dialog->List().Rows())
        m_db.DeleteByID(row.id);
    m_dialogs.Script({tickIcon});
    Click(*dialog, "editButton");
    EXPECT_EQ(m_prompts.Asked().last().text, QStringLiteral("Cannot modify -- unknown error"));
}

TEST_F(WaypointManagerDialogTest, ColumnsAndWidthsAreWrittenWhenTheDialogEnds)
{
    auto dialog = Open();
    m_dialogs.Script({[](QDialog& arrange) {
        auto& list = Control<QListWidget>(arrange, "columnList");
        list.item(2)->setCheckState(Qt::Unchecked); // hide Icon
        list.setCurrentRow(4);
        Control<QPushButton>(arrange, "upButton").click(); // Field Notes before Notes
        SavePicture(arrange, QStringLiteral("arrange-columns"));
        return int(QDialog::Accepted);
    }});
    Click(*dialog, "arrangeButton");
    QHeaderView& header = *Table(*dialog).horizontalHeader();
    ASSERT_EQ(header.count(), 5);
    EXPECT_EQ(Table(*dialog).model()->headerData(2, Qt::Horizontal).toString(),
              QStringLiteral("Field Notes"));
    for (int c = 0; c < 4; ++c)
        header.resizeSection(c, 40 + c);
    dialog->reject();
    const QString section = QStringLiteral("Waypoint Manager Column ID");
    EXPECT_EQ(ReadIntSetting(section, "Show_2", 1), 0);
    EXPECT_EQ(ReadIntSetting(section, "WMColID_3", -1), 4);
    EXPECT_EQ(ReadIntSetting(section, "WMColID_4", -1), 3);
    for (int c = 0; c < 4; ++c) // list columns, shifted past the hidden position
        EXPECT_EQ(ReadIntSetting(section, QStringLiteral("WMColWidth_%1").arg(c), -1), 40 + c);
    for (int p = 0; p < 6; ++p) { // back to the defaults for the other tests
        WriteIntSetting(section, QStringLiteral("WMColID_%1").arg(p), p);
        WriteIntSetting(section, QStringLiteral("Show_%1").arg(p), 1);
    }
}

} // namespace
