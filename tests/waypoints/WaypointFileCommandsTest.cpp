#include "WaypointFileBytes.h"

#include "app/SettingsStore.h"
#include "platform/Locations.h"
#include "platform/StringTable.h"
#include "support/ScriptedPrompts.h"
#include "waypoints/WaypointDB.h"
#include "waypoints/WaypointFileCommands.h"
#include "waypoints/WaypointImportMerge.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

const QString kSettings = QStringLiteral("Settings");
const QString kDatabaseFile = QStringLiteral("Database File");

class WaypointFileCommandsTest : public ::testing::Test {
protected:
    QString Path(const char* name) const { return m_dir.filePath(QString::fromLatin1(name)); }

    // A saved database of `count` records, made the database file.
    QString MakeDatabase(const char* name, int count)
    {
        CWaypointDB db;
        for (int n = 0; n < count; ++n)
            db.AddByPosition(FullWaypoint(n));
        const QString path = Path(name);
        EXPECT_EQ(db.Save(path), 1);
        WriteTextSetting(kSettings, kDatabaseFile, path);
        return path;
    }

    static QString DatabaseSetting() { return ReadTextSetting(kSettings, kDatabaseFile, {}); }

    QTemporaryDir m_dir;
    CScriptedPrompts m_prompts;
};

TEST_F(WaypointFileCommandsTest, FailedSaveAsksUntilAFileIsWritten)
{
    WriteTestFile(Path("plain"), "a file, not a folder");
    const QString unreachable = Path("plain") + "/db.wpt";
    WriteTextSetting(kSettings, kDatabaseFile, unreachable);
    CWaypointDB db;
    db.AddByPosition(FullWaypoint(1));

    m_prompts.Script({PromptAnswer::Yes, PromptAnswer::Yes, PromptAnswer::Yes});
    m_prompts.ScriptFileNames({QString(), Path("plain") + "/other.wpt", Path("good.wpt")});
    EXPECT_TRUE(SaveDatabase(db));

    ASSERT_EQ(m_prompts.Asked().size(), 3);
    for (const auto& question : m_prompts.Asked()) {
        EXPECT_EQ(question.text, LoadString(288));
        EXPECT_EQ(question.buttons, PromptButtons::YesNo);
        EXPECT_EQ(question.icon, PromptIcon::Error);
    }
    ASSERT_EQ(m_prompts.FileDialogs().size(), 3);
    const FileDialogRequest& dialog = m_prompts.FileDialogs().first();
    EXPECT_EQ(dialog.kind, FileDialogKind::Save);
    EXPECT_EQ(dialog.defaultSuffix, QStringLiteral("wpt"));
    EXPECT_EQ(dialog.filter, QStringLiteral("Waypoint Files (*.wpt);;All Files (*)"));
    EXPECT_TRUE(dialog.confirmOverwrite);
    EXPECT_TRUE(dialog.startPath.endsWith(QStringLiteral("Untitled")));

    EXPECT_EQ(DatabaseSetting(), Path("good.wpt"));
    EXPECT_FALSE(db.IsModified());
    CWaypointDB reloaded;
    EXPECT_EQ(reloaded.Load(Path("good.wpt")).status, WaypointLoadStatus::Loaded);
    EXPECT_EQ(reloaded.GetCount(), 1);
}

TEST_F(WaypointFileCommandsTest, GivingUpLeavesTheSettingAsItWas)
{
    const QString unreachable = Path("missing-folder") + "/db.wpt";
    WriteTextSetting(kSettings, kDatabaseFile, unreachable);
    CWaypointDB db;
    db.AddByPosition(FullWaypoint(1));
    m_prompts.Script({PromptAnswer::Yes, PromptAnswer::No});
    m_prompts.ScriptFileNames({Path("missing-folder") + "/also.wpt"});
    EXPECT_FALSE(SaveDatabase(db));
    EXPECT_EQ(m_prompts.Asked().size(), 2);
    EXPECT_EQ(DatabaseSetting(), unreachable);
    EXPECT_TRUE(db.IsModified());
}

TEST_F(WaypointFileCommandsTest, DefaultDatabaseGoesToTheUserDataFolder)
{
    WriteTextSetting(kSettings, kDatabaseFile,
                     QStringLiteral("\\My Documents\\Wendrift\\WDWaypoint.wpt"));
    const QString expected =
        QDir(Locations::UserDataDir()).filePath(QStringLiteral("WDWaypoint.wpt"));
    EXPECT_EQ(DatabaseFilePath(), expected);
    CWaypointDB db;
    db.AddByPosition(FullWaypoint(2));
    EXPECT_TRUE(SaveDatabase(db));
    EXPECT_TRUE(m_prompts.Asked().isEmpty());
    CWaypointDB loaded;
    EXPECT_EQ(LoadDatabase(loaded).status, WaypointLoadStatus::Loaded);
    EXPECT_EQ(loaded.GetCount(), 1);
}

TEST_F(WaypointFileCommandsTest, OpeningAFileThatCannotBeLoadedReturnsToThePreviousOne)
{
    const QString previous = MakeDatabase("previous.wpt", 2);
    const QByteArray newer = CFileBytes().Header(6, 0).Bytes();
    WriteTestFile(Path("newer.wpt"), newer);
    CWaypointDB db;
    LoadDatabase(db);

    for (const char* chosen : {"missing.wpt", "newer.wpt"}) {
        CScriptedPrompts prompts;
        prompts.ScriptFileNames({Path(chosen)});
        EXPECT_TRUE(OpenDatabase(db));
        ASSERT_EQ(prompts.Asked().size(), 1) << chosen;
        EXPECT_EQ(prompts.Asked()[0].text, LoadString(223));
        EXPECT_EQ(prompts.Asked()[0].buttons, PromptButtons::Ok);
        EXPECT_EQ(prompts.FileDialogs()[0].kind, FileDialogKind::Open);
        EXPECT_EQ(prompts.FileDialogs()[0].startPath, previous);
        EXPECT_EQ(DatabaseSetting(), previous);
        EXPECT_EQ(db.GetCount(), 2);
    }
    EXPECT_EQ(ReadTestFile(Path("newer.wpt")), newer);
    EXPECT_FALSE(QFile::exists(Path("missing.wpt")));
}

TEST_F(WaypointFileCommandsTest, OpeningSavesTheModifiedStoreFirst)
{
    const QString previous = MakeDatabase("previous.wpt", 1);
    CWaypointDB other;
    other.AddByPosition(FullWaypoint(10));
    other.AddByPosition(FullWaypoint(11));
    other.AddByPosition(FullWaypoint(12));
    ASSERT_EQ(other.Save(Path("other.wpt")), 1);

    CWaypointDB db;
    LoadDatabase(db);
    db.AddByPosition(FullWaypoint(5));
    m_prompts.ScriptFileNames({Path("other.wpt")});
    EXPECT_TRUE(OpenDatabase(db));
    EXPECT_TRUE(m_prompts.Asked().isEmpty());
    EXPECT_EQ(DatabaseSetting(), Path("other.wpt"));
    EXPECT_EQ(db.GetCount(), 3);
    CWaypointDB saved;
    saved.Load(previous);
    EXPECT_EQ(saved.GetCount(), 2);

    CScriptedPrompts cancelled;
    EXPECT_FALSE(OpenDatabase(db));
    EXPECT_EQ(db.GetCount(), 3);
}

TEST_F(WaypointFileCommandsTest, DamagedDatabaseIsReported)
{
    const QByteArray bytes = CFileBytes().Header(5, 4).Record(FullWaypoint(1)).Bytes();
    WriteTestFile(Path("damaged.wpt"), bytes + QByteArray(5, '\0'));
    WriteTextSetting(kSettings, kDatabaseFile, Path("damaged.wpt"));
    CWaypointDB db;
    const WaypointLoadResult result = LoadDatabase(db);
    EXPECT_EQ(result.status, WaypointLoadStatus::Damaged);
    EXPECT_EQ(db.GetCount(), 1);
    ASSERT_EQ(m_prompts.Asked().size(), 1);
    const QString text = m_prompts.Asked()[0].text;
    EXPECT_EQ(text, DamagedDatabaseText(Path("damaged.wpt"), result));
    EXPECT_TRUE(text.contains(QStringLiteral(" 1 of 4 ")));
    EXPECT_TRUE(text.contains(QStringLiteral("damaged.wpt.damaged")));
}

TEST_F(WaypointFileCommandsTest, NewDatabaseStartsEmpty)
{
    const QString previous = MakeDatabase("previous.wpt", 1);
    WriteTestFile(Path("fresh.wpt"), "old contents");
    CWaypointDB db;
    LoadDatabase(db);
    db.AddByPosition(FullWaypoint(3));
    m_prompts.ScriptFileNames({Path("fresh.wpt")});
    EXPECT_TRUE(NewDatabase(db));
    EXPECT_EQ(m_prompts.FileDialogs()[0].kind, FileDialogKind::Save);
    EXPECT_EQ(db.GetCount(), 0);
    EXPECT_FALSE(QFile::exists(Path("fresh.wpt")));
    EXPECT_EQ(DatabaseSetting(), Path("fresh.wpt"));
    CWaypointDB saved;
    saved.Load(previous);
    EXPECT_EQ(saved.GetCount(), 2);

    db.AddByPosition(FullWaypoint(4));
    EXPECT_TRUE(SaveDatabase(db));
    EXPECT_TRUE(QFile::exists(Path("fresh.wpt")));
}

TEST_F(WaypointFileCommandsTest, ImportMergeByMode)
{
    CWaypointDB db;
    db.AddByPosition(FullWaypoint(1));
    db.AddByPosition(FullWaypoint(2));

    CWaypointImportMerge keep(db, kImportKeepExisting);
    keep.Offer(FullWaypoint(1));
    keep.Offer(FullWaypoint(2));
    EXPECT_EQ(keep.Added(), 0);
    EXPECT_EQ(keep.Replaced(), 0);
    EXPECT_EQ(keep.SummaryText(),
              QStringLiteral("0 새 중요지점이 추가됩니다.  0 중요지점을 대체합니다."));

    WriteImportMode(kImportReplaceExisting);
    CWaypointImportMerge replace(db); // the mode comes from "Waypoint Inport Mode"
    CWaypoint changed = FullWaypoint(1);
    changed.strDescription = QStringLiteral("updated");
    replace.Offer(changed);
    replace.Offer(FullWaypoint(3));
    CWaypoint offGrid = FullWaypoint(4);
    offGrid.position.latitude = -95000000;
    replace.Offer(offGrid);
    EXPECT_EQ(replace.Added(), 1);
    EXPECT_EQ(replace.Replaced(), 1);
    EXPECT_EQ(replace.SummaryText(),
              QStringLiteral("1 새 중요지점이 추가됩니다.  1 중요지점을 대체합니다."));
    EXPECT_EQ(db.GetCount(), 3);
    CWaypoint out;
    db.GetByID(1, out);
    EXPECT_EQ(out.strDescription, QStringLiteral("updated"));
    WriteImportMode(kImportKeepExisting);
    EXPECT_EQ(ReadImportMode(), 0);
    EXPECT_EQ(ImportModeChoices(),
              (QStringList{QStringLiteral("덮어쓰지 않기"), QStringLiteral("덮어쓰기")}));
}

} // namespace
