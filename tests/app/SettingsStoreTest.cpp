#include "app/SettingsStore.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

QByteArray ReadAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void WriteAll(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

class SettingsStoreTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString IniPath() const { return QDir(dir.path()).filePath(QStringLiteral("Wendrift.ini")); }
};

TEST_F(SettingsStoreTest, FreshStoreReadsDefaultsAndWritesNothing)
{
    CSettingsStore store(dir.path());
    EXPECT_EQ(store.ReadIntSetting("Serial Port Commmunications", "Port", 1), 1);
    EXPECT_EQ(store.ReadIntSetting("Serial Port Commmunications", "Baud", 4800), 4800);
    EXPECT_EQ(store.ReadIntSetting("Settings", "Stay Alive", 1), 1);
    EXPECT_EQ(store.ReadTextSetting("Settings", "AppDir", "NULL"), "NULL");
    EXPECT_DOUBLE_EQ(store.ReadRealSetting("Map", "Pos Filter Dist Threshold", "0.005"), 0.005);
    EXPECT_FALSE(QFile::exists(IniPath()));
}

TEST_F(SettingsStoreTest, ValuesPersistAcrossStoresWithNamesExactlyAsGiven)
{
    {
        CSettingsStore store(dir.path());
        EXPECT_TRUE(store.WriteIntSetting("Serial Port Commmunications", "Baud", 38400));
        EXPECT_TRUE(store.WriteIntSetting("Settings", "Waypoint Inport Mode", -7));
        EXPECT_TRUE(store.WriteTextSetting("Settings", "Track File", "/tmp/트랙 file.trk"));
        EXPECT_TRUE(store.WriteTextSetting("Map", "Waypoint Arrival Distance", "0.25"));
        // The write is on disk before the call returns, without destroying the store.
        CSettingsStore other(dir.path());
        EXPECT_EQ(other.ReadIntSetting("Serial Port Commmunications", "Baud", 0), 38400);
    }
    CSettingsStore store(dir.path());
    EXPECT_EQ(store.ReadIntSetting("Serial Port Commmunications", "Baud", 4800), 38400);
    EXPECT_EQ(store.ReadIntSetting("Settings", "Waypoint Inport Mode", 0), -7);
    EXPECT_EQ(store.ReadTextSetting("Settings", "Track File", ""), "/tmp/트랙 file.trk");
    EXPECT_DOUBLE_EQ(store.ReadRealSetting("Map", "Waypoint Arrival Distance", "0.1"), 0.25);
    // Names are case-sensitive: a differently spelt key is another key.
    EXPECT_EQ(store.ReadIntSetting("Serial Port Communications", "Baud", 4800), 4800);
    EXPECT_EQ(store.ReadIntSetting("Serial Port Commmunications", "baud", 4800), 4800);
}

TEST_F(SettingsStoreTest, NonIntegerValueReadsAsDefault)
{
    CSettingsStore store(dir.path());
    store.WriteTextSetting("Settings", "RunCount", "twelve");
    EXPECT_EQ(store.ReadIntSetting("Settings", "RunCount", 3), 3);
    store.WriteTextSetting("Map", "Course Dist Threshold", "not a number");
    EXPECT_DOUBLE_EQ(store.ReadRealSetting("Map", "Course Dist Threshold", "0.005"), 0.005);
}

TEST_F(SettingsStoreTest, DamagedFileGivesDefaultsAndIsKeptBeforeBeingReplaced)
{
    const QByteArray garbage("[Settings\nStay Alive\x01\x02=\n[[[\n\xff\xfe garbage", 36);
    WriteAll(IniPath(), garbage);
    CSettingsStore store(dir.path());
    EXPECT_EQ(store.ReadIntSetting("Settings", "Stay Alive", 1), 1);
    EXPECT_EQ(ReadAll(IniPath()), garbage) << "reading must not touch the damaged file";

    EXPECT_TRUE(store.WriteIntSetting("Settings", "Stay Alive", 0));
    EXPECT_EQ(store.ReadIntSetting("Settings", "Stay Alive", 1), 0);
    const QStringList kept =
        QDir(dir.path()).entryList({QStringLiteral("Wendrift.ini.damaged-*")}, QDir::Files);
    ASSERT_EQ(kept.size(), 1);
    EXPECT_EQ(ReadAll(QDir(dir.path()).filePath(kept.first())), garbage);
}

TEST_F(SettingsStoreTest, UnreadableStoreGivesDefaultsAndRefusesWrites)
{
    // A folder where the file should be cannot be read as settings, even by root.
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("Wendrift.ini")));
    CSettingsStore store(dir.path());
    EXPECT_EQ(store.ReadIntSetting("Settings", "PositionFormat", 2), 2);
    EXPECT_FALSE(store.WriteIntSetting("Settings", "PositionFormat", 1));
    EXPECT_TRUE(QFileInfo(IniPath()).isDir());
}

TEST_F(SettingsStoreTest, UnwritableFolderFailsWritesWithoutCrashing)
{
    // The store's folder would have to be created below a regular file.
    const QString blocker = QDir(dir.path()).filePath(QStringLiteral("file"));
    WriteAll(blocker, "x");
    CSettingsStore store(QDir(blocker).filePath(QStringLiteral("ORVS")));
    EXPECT_FALSE(store.WriteIntSetting("Settings", "RunCount", 1));
    EXPECT_EQ(store.ReadIntSetting("Settings", "RunCount", 0), 0);
}

TEST(SettingsStoreLocation, OverrideThenEnvironmentThenXdg)
{
    EXPECT_EQ(CSettingsStore::DefaultDirectory("/some/dir"), "/some/dir");
    qputenv("WENDRIFT_CONFIG_DIR", "/from/env");
    EXPECT_EQ(CSettingsStore::DefaultDirectory(), "/from/env");
    const QByteArray saved = qgetenv("WENDRIFT_CONFIG_DIR");
    qunsetenv("WENDRIFT_CONFIG_DIR");
    qputenv("XDG_CONFIG_HOME", "/xdg");
    EXPECT_EQ(CSettingsStore::DefaultDirectory(), "/xdg/ORVS");
    qputenv("WENDRIFT_CONFIG_DIR", saved);
}

} // namespace
