#include "StoreContents.h"

#include "app/SettingsStore.h"
#include "support/ScriptedPrompts.h"
#include "waypoints/WaypointImport.h"
#include "waypoints/WaypointImportMerge.h"

#include <QFile>

#include <gtest/gtest.h>

namespace {

class ImportCommandTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        WriteTextSetting(QStringLiteral("Settings"), QStringLiteral("Database File"), DbPath());
        WriteImportMode(kImportKeepExisting);
    }
    void TearDown() override { WriteImportMode(kImportKeepExisting); }
    QString DbPath() const { return m_dir.filePath(QStringLiteral("db.wpt")); }
    QString Gpx(const char* name, const QByteArray& body)
    {
        return WriteFileIn(m_dir, QString::fromLatin1(name), "<gpx>" + body + "</gpx>\n");
    }

    QTemporaryDir m_dir;
    CScriptedPrompts m_prompts;
    CWaypointDB m_db;
};

TEST_F(ImportCommandTest, SavesTheStoreAndReportsTheCounts)
{
    const QString path = Gpx("a.gpx", "<wpt lat=\"1\" lon=\"1\"><name>A</name></wpt>");
    RunImportCommand(m_db, path);
    ASSERT_EQ(m_prompts.Asked().size(), 1);
    EXPECT_EQ(m_prompts.Asked()[0].text,
              QStringLiteral("1 새 중요지점이 추가됩니다.  0 중요지점을 대체합니다."));
    EXPECT_EQ(m_prompts.Asked()[0].icon, PromptIcon::Question);
    EXPECT_FALSE(m_db.IsModified());
    CWaypointDB saved;
    ASSERT_TRUE(saved.Load(DbPath(), false).Succeeded());
    EXPECT_TRUE(saved.NameExists(QStringLiteral("A")));

    WriteImportMode(kImportReplaceExisting);
    const WaypointImportResult again = RunImportCommand(m_db, path);
    EXPECT_EQ(again.replacedCount, 1);
}

TEST_F(ImportCommandTest, ProblemsAreToldBeforeTheSummary)
{
    const QString broken = Gpx("b.gpx", "<wpt lat=\"1\" lon=\"1\"><name>A</name></wpt>\n<wpt>");
    RunImportCommand(m_db, broken);
    ASSERT_EQ(m_prompts.Asked().size(), 2);
    EXPECT_TRUE(m_prompts.Asked()[0].text.startsWith(QStringLiteral("XML Parse Error: ")));
    EXPECT_EQ(m_prompts.Asked()[0].icon, PromptIcon::Error);
    EXPECT_TRUE(m_prompts.Asked()[1].text.startsWith(QStringLiteral("1 ")));
    EXPECT_TRUE(QFile::exists(DbPath()));

    RunImportCommand(m_db, WriteFileIn(m_dir, QStringLiteral("c.txt"), "x"));
    ASSERT_EQ(m_prompts.Asked().size(), 3); // an unsupported file gets no summary
    EXPECT_EQ(m_prompts.Asked()[2].text,
              QStringLiteral("오류 - 지원되지 않는 중요지점 파일입니다."));
}

} // namespace
