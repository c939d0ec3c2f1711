#include "WaypointFileBytes.h"

#include "support/ScriptedPrompts.h"
#include "waypoints/WaypointDB.h"
#include "waypoints/WaypointFile.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <csignal>
#include <sys/resource.h>
#include <vector>

namespace {

class WaypointFileTest : public ::testing::Test {
protected:
    QString Path(const char* name) const { return m_dir.filePath(QString::fromLatin1(name)); }

    // Loads `bytes` from a file into a fresh store, without rewriting text files.
    WaypointLoadResult LoadBytes(const QByteArray& bytes, CWaypointDB& db)
    {
        const QString path = Path("in.wpt");
        WriteTestFile(path, bytes);
        return db.Load(path, false);
    }

    static std::vector<CWaypoint> StoreOrder(const CWaypointDB& db)
    {
        std::vector<CWaypoint> all;
        for (int cell = 0; cell < CWaypointDB::kCellCount; ++cell)
            for (const CWaypoint& wp : db.CellWaypoints(cell))
                all.push_back(wp);
        return all;
    }

    QTemporaryDir m_dir;
};

TEST_F(WaypointFileTest, EmptyStoreIsMagicVersionAndZeroCount)
{
    CWaypointDB db;
    ASSERT_EQ(db.Save(Path("empty.wpt")), 1);
    EXPECT_EQ(ReadTestFile(Path("empty.wpt")), QByteArray("ORVSWP\x05\0\0\0\0", 11));
}

TEST_F(WaypointFileTest, WriterLaysOutEveryFieldInFileOrder)
{
    CWaypointDB db;
    CWaypoint first = FullWaypoint(1), second = FullWaypoint(2);
    first.nReserved = 77; // never written
    ASSERT_EQ(CWaypointDB::CellIndex(first.position), CWaypointDB::CellIndex(second.position));
    db.AddByPosition(first);
    db.AddByPosition(second);
    ASSERT_EQ(db.Save(Path("two.wpt")), 1);
    const QByteArray expected = CFileBytes().Header(5, 2).Record(first).Record(second).Bytes();
    EXPECT_EQ(ReadTestFile(Path("two.wpt")).toHex(), expected.toHex());
    EXPECT_FALSE(db.IsModified());
}

TEST_F(WaypointFileTest, RoundTripKeepsEveryFieldAndUnicodeText)
{
    CWaypointDB db;
    CWaypoint korean = FullWaypoint(5);
    korean.strName = QStringLiteral("남산 타워");
    korean.geocache.strEncodedHints = QStringLiteral("Ünïcödé ☃");
    CWaypoint astral = FullWaypoint(6);
    astral.strName = QString::fromUtf8("Smile \xF0\x9F\x98\x80 \xF0\x90\x8D\x88");
    astral.position.latitude = -33865000; // another cell
    astral.position.longitude = 151209000;
    CWaypoint plain;
    plain.strName.clear();
    plain.strSoundFile.clear();
    plain.strURL.clear();
    for (const CWaypoint& wp : {korean, astral, plain})
        db.AddByPosition(wp);
    ASSERT_EQ(db.Save(Path("rt.wpt")), 1);

    CWaypointDB loaded;
    const WaypointLoadResult result = loaded.Load(Path("rt.wpt"));
    EXPECT_EQ(result.status, WaypointLoadStatus::Loaded);
    EXPECT_EQ(result.version, 5);
    EXPECT_EQ(result.statedCount, 3u);
    EXPECT_FALSE(result.olderFormat);
    const std::vector<CWaypoint> before = StoreOrder(db), after = StoreOrder(loaded);
    ASSERT_EQ(after.size(), 3u);
    for (size_t i = 0; i < before.size(); ++i)
        EXPECT_TRUE(SameStoredFields(before[i], after[i])) << before[i].strName.toStdString();
}

TEST_F(WaypointFileTest, LongStringsAreCutAtTheLimitWithoutSplittingAPair)
{
    CWaypoint exact, longer, pairAtCut;
    exact.strName = QString(32767, u'x');
    longer.strName = QString(40000, u'y');
    // 32,766 units and a pair: cutting at 32,767 would leave half of the pair.
    pairAtCut.strName = QString(32766, u'z') + QString::fromUtf8("\xF0\x9F\x98\x80");
    exact.strDescription = QString(65535, u'd');
    CWaypointDB db;
    for (const CWaypoint& wp : {exact, longer, pairAtCut})
        db.AddByPosition(wp);
    ASSERT_EQ(db.Save(Path("long.wpt")), 1);
    CWaypointDB loaded;
    ASSERT_EQ(loaded.Load(Path("long.wpt")).status, WaypointLoadStatus::Loaded);
    const std::vector<CWaypoint> all = StoreOrder(loaded);
    ASSERT_EQ(all.size(), 3u);
    EXPECT_EQ(all[0].strName, exact.strName);
    EXPECT_EQ(all[0].strDescription, QString(32767, u'd'));
    EXPECT_EQ(all[1].strName, QString(32767, u'y'));
    EXPECT_EQ(all[2].strName, QString(32766, u'z'));
}

TEST_F(WaypointFileTest, OlderBinaryVersions)
{
    CWaypoint wp = FullWaypoint(4);
    wp.strName = QStringLiteral("Cafe"); // 8-bit names are written as Latin-1 by the builder
    CFileBytes v4 = CFileBytes().Header(4, 1).Record(wp, 4);
    CWaypointDB db;
    CScriptedPrompts prompts;
    WaypointLoadResult result = LoadBytes(v4.Bytes(), db);
    EXPECT_EQ(result.status, WaypointLoadStatus::Loaded);
    EXPECT_TRUE(result.olderFormat);
    EXPECT_EQ(prompts.Beeps(), 1); // the user hears that an old file was read
    ASSERT_EQ(db.GetCount(), 1);
    EXPECT_TRUE(SameStoredFields(StoreOrder(db)[0], wp));

    // Version 3 has neither nReserved nor the logs.
    result = LoadBytes(CFileBytes().Header(3, 1).Record(wp, 3).Bytes(), db);
    EXPECT_EQ(result.status, WaypointLoadStatus::Loaded);
    ASSERT_EQ(db.GetCount(), 1);
    CWaypoint withoutLogs = wp;
    withoutLogs.geocache.logs = CWaypoint().geocache.logs;
    EXPECT_TRUE(SameStoredFields(StoreOrder(db)[0], withoutLogs));

    // Version 2 keeps the altitude in hundredths of a metre.
    CFileBytes v2 = CFileBytes().Header(2, 1).I32(1000000).I32(2000000).I32(12345);
    const QByteArray v3Tail = CFileBytes().Record(CWaypoint(), 3).Bytes().mid(12);
    result = LoadBytes(v2.Raw(v3Tail).Bytes(), db);
    EXPECT_EQ(result.status, WaypointLoadStatus::Loaded);
    ASSERT_EQ(db.GetCount(), 1);
    EXPECT_FLOAT_EQ(StoreOrder(db)[0].position.altitude, 123.45f);
    EXPECT_EQ(StoreOrder(db)[0].position.latitude, 1000000);
}

TEST_F(WaypointFileTest, EightBitTextIsCodePage949)
{
    CWaypoint wp;
    const QByteArray hangul("\xC7\xD1\xB1\xDB \xC1\xDF\xBF\xE4\xC1\xF6\xC1\xA1"); // 한글 중요지점
    CFileBytes file = CFileBytes().Header(4, 1).I32(0).I32(0).F32(0).Narrow(hangul);
    const QByteArray rest = CFileBytes().Record(wp, 4).Bytes().mid(12 + 2 + 8);
    CWaypointDB db;
    ASSERT_EQ(LoadBytes(file.Raw(rest).Bytes(), db).status, WaypointLoadStatus::Loaded);
    ASSERT_EQ(db.GetCount(), 1);
    EXPECT_EQ(StoreOrder(db)[0].strName, QStringLiteral("한글 중요지점"));

    // A cut-off double-byte character does not swallow the text around it.
    CFileBytes broken = CFileBytes().Header(4, 1).I32(0).I32(0).F32(0).Narrow("A\xC7");
    ASSERT_EQ(LoadBytes(broken.Raw(rest).Bytes(), db).status, WaypointLoadStatus::Loaded);
    EXPECT_EQ(StoreOrder(db)[0].strName, QStringLiteral("A\uFFFD"));
}

TEST_F(WaypointFileTest, VersionBytes)
{
    const CWaypoint wp = FullWaypoint(0);
    CWaypointDB db;
    for (const uint8_t version : {0, 1}) {
        const QByteArray bytes = CFileBytes().Header(version, 1).Record(wp).Bytes();
        EXPECT_EQ(LoadBytes(bytes, db).status, WaypointLoadStatus::Loaded) << int(version);
        EXPECT_EQ(db.GetCount(), 1);
    }
    db.AddByPosition(wp);
    const WaypointLoadResult six = LoadBytes(CFileBytes().Header(6, 1).Record(wp).Bytes(), db);
    EXPECT_EQ(six.status, WaypointLoadStatus::UnsupportedVersion);
    EXPECT_FALSE(six.Succeeded());
    EXPECT_EQ(db.GetCount(), 0); // a failed load leaves the store empty
    EXPECT_EQ(db.Load(Path("missing.wpt")).status, WaypointLoadStatus::CannotOpen);
}

TEST_F(WaypointFileTest, RecordsOutsideTheGridAreNotTaken)
{
    CWaypoint south = FullWaypoint(1), farWest = FullWaypoint(2), ok = FullWaypoint(3);
    south.position.latitude = -90200000;
    farWest.position.longitude = -180200000;
    const QByteArray bytes =
        CFileBytes().Header(5, 3).Record(south).Record(farWest).Record(ok).Bytes();
    CWaypointDB db;
    const WaypointLoadResult result = LoadBytes(bytes, db);
    EXPECT_EQ(result.recordsRead, 3);
    ASSERT_EQ(db.GetCount(), 1);
    EXPECT_EQ(StoreOrder(db)[0].strName, ok.strName);
}

TEST_F(WaypointFileTest, CutOffFilesKeepTheCompleteRecords)
{
    // Small records (every field, short texts), so that every cut point can be tried.
    CFileBytes file = CFileBytes().Header(5, 3);
    std::vector<qsizetype> recordEnds;
    for (int n = 0; n < 3; ++n) {
        CWaypoint wp;
        wp.strName = QString::number(n);
        wp.geocache.logs[4].strLogFinder = QStringLiteral("f");
        file.Record(wp);
        recordEnds.push_back(file.Size());
    }
    for (qsizetype cut = 1; cut < file.Size(); ++cut) {
        const QString path = Path("cut.wpt");
        WriteTestFile(path, file.Bytes().left(cut));
        int seen = 0;
        const WaypointLoadResult result = ReadWaypointFile(path, [&](CWaypoint&&) { ++seen; });
        int complete = 0;
        for (const qsizetype end : recordEnds)
            complete += end <= cut ? 1 : 0;
        ASSERT_EQ(result.status, WaypointLoadStatus::Damaged) << "cut at " << cut;
        ASSERT_EQ(result.recordsRead, complete) << "cut at " << cut;
        ASSERT_EQ(seen, complete);
    }

    // A count far beyond what the file holds.
    CWaypointDB db;
    const WaypointLoadResult huge =
        LoadBytes(CFileBytes().Header(5, 0xFFFFFFFF).Record(FullWaypoint(1)).Bytes(), db);
    EXPECT_EQ(huge.status, WaypointLoadStatus::Damaged);
    EXPECT_EQ(huge.statedCount, 0xFFFFFFFFu);
    EXPECT_EQ(db.GetCount(), 1);
    // A string whose count runs past the end of the file.
    const QByteArray runaway = CFileBytes().Header(5, 1).I32(0).I32(0).F32(0).U16(60000).Bytes();
    EXPECT_EQ(LoadBytes(runaway + "abc", db).status, WaypointLoadStatus::Damaged);
    EXPECT_EQ(db.GetCount(), 0);
}

TEST_F(WaypointFileTest, DamagedFileIsKeptBesideBeforeItIsSavedOver)
{
    const QString path = Path("damaged.wpt");
    const QByteArray original =
        CFileBytes().Header(5, 2).Record(FullWaypoint(1)).Bytes() + QByteArray("\x03\x00", 2);
    WriteTestFile(path, original);
    CWaypointDB db;
    const WaypointLoadResult result = db.Load(path);
    EXPECT_EQ(result.status, WaypointLoadStatus::Damaged);
    EXPECT_EQ(result.recordsRead, 1);
    EXPECT_EQ(ReadTestFile(path), original); // loading alone changes nothing
    EXPECT_FALSE(QFile::exists(path + ".damaged"));

    db.AddByPosition(FullWaypoint(2));
    ASSERT_EQ(db.Save(path), 1);
    EXPECT_EQ(ReadTestFile(path + ".damaged"), original);
    CWaypointDB reloaded;
    EXPECT_EQ(reloaded.Load(path).status, WaypointLoadStatus::Loaded);
    EXPECT_EQ(reloaded.GetCount(), 2);

    // Later saves write over the repaired file only; the kept copy stays as it was.
    db.AddByPosition(FullWaypoint(3));
    ASSERT_EQ(db.Save(path), 1);
    EXPECT_EQ(ReadTestFile(path + ".damaged"), original);
}

TEST_F(WaypointFileTest, LegacyTextIsReadAndRewrittenWithTheOriginalKept)
{
    const QByteArray original = "1.5\x1f"
                                "2.5\x1f"
                                "10\x1fHome\x1f"
                                "3\x1f"
                                "x\x1f"
                                "1\x1f"
                                "0.5\x1f"
                                "bell.wav\x1f\xC1\xFD\x1f"
                                "1\x1f"
                                "2\x1f"
                                "1234\x1f"
                                "1\x1fhttp://home\x1f"
                                "5678\x1f"
                                "4\r\n"
                                "\n"
                                "-37.25\x1f-12.000001\x1f-3.5\r\n"
                                "abc\n";
    const QString path = Path("legacy.wpt");
    WriteTestFile(path, original);
    CWaypointDB db;
    const WaypointLoadResult result = db.Load(path);
    EXPECT_EQ(result.status, WaypointLoadStatus::Loaded);
    EXPECT_EQ(result.version, kLegacyWaypointFileVersion);
    EXPECT_TRUE(result.olderFormat);
    EXPECT_EQ(result.recordsRead, 3);
    EXPECT_TRUE(result.legacyRewritten);
    EXPECT_FALSE(db.IsModified());
    EXPECT_EQ(ReadTestFile(path + ".bak"), original);
    EXPECT_TRUE(ReadTestFile(path).startsWith(QByteArray("ORVSWP\x05\x03\0\0\0", 11)));

    CWaypointDB reread;
    ASSERT_EQ(reread.Load(path).version, 5);
    ASSERT_EQ(reread.GetCount(), 3);
    CWaypoint home, partial, junk;
    for (const CWaypoint& wp : StoreOrder(reread)) {
        if (wp.strName == QStringLiteral("Home"))
            home = wp;
        else if (wp.position.latitude != 0)
            partial = wp;
        else
            junk = wp;
    }
    EXPECT_EQ(home.position.latitude, 1500000);
    EXPECT_EQ(home.position.longitude, 2500000);
    EXPECT_EQ(home.position.altitude, 10.0f);
    EXPECT_EQ(home.icon, 3);
    EXPECT_TRUE(home.bActiveWaypoint);
    EXPECT_EQ(home.dActiveWPDistance, 0.5);
    EXPECT_EQ(home.strSoundFile, QStringLiteral("bell.wav"));
    EXPECT_EQ(home.strDescription, QStringLiteral("집"));
    EXPECT_EQ(home.nType, 1);
    EXPECT_EQ(home.nGeocacheState, 2);
    EXPECT_EQ(home.timeGeochacheFound, 1234);
    EXPECT_TRUE(home.bUseGeocacheStateForIconID);
    EXPECT_EQ(home.strURL, QStringLiteral("http://home"));
    EXPECT_EQ(home.timeWaypoint, 5678);
    EXPECT_EQ(home.nActiveWaypointMessageType, 4);
    EXPECT_TRUE(home.geocache.bAvailable);

    // Truncated toward zero; a missing name is "Untitled", missing texts are empty.
    EXPECT_EQ(partial.position.latitude, -37250000);
    EXPECT_EQ(partial.position.longitude, -12000001);
    EXPECT_EQ(partial.position.altitude, -3.5f);
    EXPECT_EQ(partial.strName, QStringLiteral("Untitled"));
    EXPECT_TRUE(partial.strSoundFile.isEmpty());
    EXPECT_TRUE(partial.strURL.isEmpty());
    EXPECT_EQ(partial.dActiveWPDistance, 0.3048);
    // A field without a number reads as 0.
    EXPECT_EQ(junk.position.longitude, 0);
    EXPECT_EQ(junk.strName, QStringLiteral("Untitled"));
}

TEST_F(WaypointFileTest, LegacyFileIsLeftAloneWhenNotAskedToRewrite)
{
    const QByteArray original = "1\x1f"
                                "2\x1f"
                                "3\x1fOne\n";
    const QString path = Path("legacy.wpt");
    WriteTestFile(path, original);
    CWaypointDB db;
    const WaypointLoadResult result = db.Load(path, false);
    EXPECT_FALSE(result.legacyRewritten);
    EXPECT_EQ(db.GetCount(), 1);
    EXPECT_EQ(ReadTestFile(path), original);
    EXPECT_FALSE(QFile::exists(path + ".bak"));
    // Saving over it later still keeps the original first.
    ASSERT_EQ(db.Save(path), 1);
    EXPECT_EQ(ReadTestFile(path + ".bak"), original);
}

TEST_F(WaypointFileTest, SaveIntoAFolderThatIsAFileFails)
{
    WriteTestFile(Path("plain"), "not a folder");
    CWaypointDB db;
    db.AddByPosition(FullWaypoint(1));
    EXPECT_EQ(db.Save(Path("plain") + "/db.wpt"), 0);
    EXPECT_TRUE(db.IsModified());
}

TEST_F(WaypointFileTest, FailedWriteLeavesTheOldFileAsItWas)
{
    const QString path = Path("db.wpt");
    CWaypointDB small;
    small.AddByPosition(FullWaypoint(1));
    ASSERT_EQ(small.Save(path), 1);
    const QByteArray before = ReadTestFile(path);

    CWaypointDB big;
    for (int n = 0; n < 400; ++n)
        big.AddByPosition(FullWaypoint(n));

    // A disk that fills up after 64 KB: writes beyond it fail with EFBIG.
    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limited = saved;
    limited.rlim_cur = 64 * 1024;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limited), 0);
    const int saveResult = big.Save(path);
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);

    EXPECT_EQ(saveResult, 0);
    EXPECT_TRUE(big.IsModified());
    EXPECT_EQ(ReadTestFile(path), before);
    EXPECT_EQ(QDir(m_dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("db.wpt")});
}

} // namespace
