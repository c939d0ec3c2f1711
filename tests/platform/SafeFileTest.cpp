// Safe replacement of files: a failed write never costs the previous contents.

#include "platform/SafeFile.h"
#include "support/FileSizeLimit.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

namespace {

QByteArray ReadAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

TEST(SafeFile, ReplacesTheFileOnlyWhenComplete)
{
    QTemporaryDir dir;
    const QString path = QDir(dir.path()).filePath(QStringLiteral("data.bin"));
    ASSERT_TRUE(WriteFileSafely(path, "old contents"));
    ASSERT_TRUE(WriteFileSafely(path, "new contents"));
    EXPECT_EQ(ReadAll(path), "new contents");
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 1) << "no temporary file left";
}

TEST(SafeFile, ShortWritesOfAFullDiskFailAndKeepTheOldFile)
{
    QTemporaryDir dir;
    const QString path = QDir(dir.path()).filePath(QStringLiteral("data.bin"));
    ASSERT_TRUE(WriteFileSafely(path, "precious"));
    // Small and large writes: a small one used to vanish into the buffer flushed on commit.
    for (const qsizetype size : {qsizetype(3000), qsizetype(300000)}) {
        CFileSizeLimit limit(1024);
        QString error;
        EXPECT_FALSE(WriteFileSafely(path, QByteArray(size, 'x'), &error)) << size;
        EXPECT_FALSE(error.isEmpty());
    }
    EXPECT_EQ(ReadAll(path), "precious");
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 1);
}

// A process that no longer runs: a writer killed in the middle of a save had such a pid.
pid_t DeadPid()
{
    const pid_t child = fork();
    if (child == 0)
        _exit(0);
    waitpid(child, nullptr, 0);
    return child;
}

TEST(SafeFile, NextSaveRemovesOnlyPartialFilesOfGoneWriters)
{
    QTemporaryDir dir;
    const QDir folder(dir.path());
    const QString path = folder.filePath(QStringLiteral("db.wpt"));
    ASSERT_TRUE(WriteFileSafely(path, "old"));
    const QString abandoned = QStringLiteral("db.wpt.wendrift-partial-%1-aB3dE9").arg(DeadPid());
    const QString live = QStringLiteral("db.wpt.wendrift-partial-1-aB3dE9"); // init never dies
    const QStringList kept = {live, QStringLiteral("db.wpt.backup"),
                              QStringLiteral("other.wpt.wendrift-partial-%1-x").arg(DeadPid())};
    for (const QString& name : kept + QStringList{abandoned})
        ASSERT_TRUE(WriteFileSafely(folder.filePath(name), "partial"));

    ASSERT_TRUE(WriteFileSafely(path, "new"));
    EXPECT_EQ(ReadAll(path), "new");
    EXPECT_FALSE(folder.exists(abandoned));
    for (const QString& name : kept)
        EXPECT_TRUE(folder.exists(name)) << name.toStdString();
}

TEST(SafeFile, ReplacementKeepsThePermissionsOfTheOldFile)
{
    QTemporaryDir dir;
    const QString path = QDir(dir.path()).filePath(QStringLiteral("settings.bin"));
    ASSERT_TRUE(WriteFileSafely(path, "old"));
    ASSERT_TRUE(QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner));
    ASSERT_TRUE(WriteFileSafely(path, "new"));
    EXPECT_EQ(QFile::permissions(path),
              QFile::ReadOwner | QFile::WriteOwner | QFile::ReadUser | QFile::WriteUser);
}

TEST(SafeFile, MissingFolderFailsWithoutCreatingAnything)
{
    QTemporaryDir dir;
    const QString path = QDir(dir.path()).filePath(QStringLiteral("no/such/folder/data.bin"));
    EXPECT_FALSE(WriteFileSafely(path, "x"));
    EXPECT_FALSE(QFile::exists(path));
}

TEST(SafeFile, KeepCopyBesideReplacesAnOlderCopy)
{
    QTemporaryDir dir;
    const QString path = QDir(dir.path()).filePath(QStringLiteral("db.wpt"));
    ASSERT_TRUE(WriteFileSafely(path, "first"));
    ASSERT_TRUE(KeepCopyBeside(path, QStringLiteral(".bak")));
    ASSERT_TRUE(WriteFileSafely(path, "second"));
    ASSERT_TRUE(KeepCopyBeside(path, QStringLiteral(".bak")));
    EXPECT_EQ(ReadAll(path + QStringLiteral(".bak")), "second");
}

} // namespace
