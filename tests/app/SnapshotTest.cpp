// `wendrift --snapshot` as a user or a script runs it: exact picture sizes, exit codes, and a fed
// log that shows its fix.

#include "app/SnapshotOptions.h"
#include "support/TestData.h"

#include <QImage>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

struct SnapshotRun {
    int status;
    QString errors;
};

SnapshotRun Snapshot(const QStringList& arguments)
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove(QStringLiteral("QT_QPA_PLATFORM")); // the program sets offscreen itself
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral(WENDRIFT_APP_PATH), arguments);
    process.waitForFinished(60000);
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromUtf8(process.readAllStandardError())};
}

TEST(Snapshot, WritesTheViewAtExactlyTheAskedSize)
{
    QTemporaryDir dir;
    struct Case {
        const char* tab;
        const char* size;
        QSize expected;
    };
    for (const Case c : {Case{"GPS", "240x268", {240, 268}}, Case{"Map", "800x480", {800, 480}},
                         Case{"Analysis", "480x536", {480, 536}}}) {
        const QString out = dir.filePath(QStringLiteral("%1.png").arg(c.tab));
        const SnapshotRun run = Snapshot(
            {"--config-dir", dir.path(), "--snapshot", out, "--tab", c.tab, "--size", c.size});
        ASSERT_EQ(run.status, 0) << run.errors.toStdString();
        EXPECT_EQ(QImage(out).size(), c.expected) << c.tab;
    }
}

TEST(Snapshot, BadArgumentsAndUnreadableLogsExitWithTwo)
{
    QTemporaryDir dir;
    const QString out = dir.filePath(QStringLiteral("x.png"));
    const QList<QStringList> cases = {
        {"--snapshot", out, "--size", "wide"},
        {"--snapshot", out, "--tab", "Radar"},
        {"--snapshot", out, "--tap", "3"},
        {"--snapshot", out, "--feed", dir.filePath("missing.nmea")},
        {"--snapshot", out, "--key", "NoSuchKey!"},
    };
    for (QStringList arguments : cases) {
        arguments << "--config-dir" << dir.path();
        const SnapshotRun run = Snapshot(arguments);
        EXPECT_EQ(run.status, 2) << arguments.join(' ').toStdString();
        EXPECT_EQ(run.errors.count(QStringLiteral("wendrift: ")), 1) << run.errors.toStdString();
    }
}

// The indicator sits at the right end of the status bar: green with a fix, grey without.
bool IndicatorShowsAFix(const QImage& window)
{
    for (int y = window.height() - 30; y < window.height(); ++y)
        for (int x = window.width() - 30; x < window.width(); ++x) {
            const QColor c = window.pixelColor(x, y);
            if (c.green() > 120 && c.red() < 90 && c.blue() < 90)
                return true;
        }
    return false;
}

TEST(Snapshot, AFedLogShowsItsFixInTheWindow)
{
    QTemporaryDir dir;
    const QString view = dir.filePath(QStringLiteral("view.png"));
    const QString withFix = dir.filePath(QStringLiteral("fix.png"));
    const QString without = dir.filePath(QStringLiteral("nofix.png"));
    ASSERT_EQ(Snapshot({"--config-dir", dir.path(), "--snapshot", view, "--window-snapshot",
                        withFix, "--feed", DemoLogPath(), "--now", "1700000000"})
                  .status,
              0);
    ASSERT_EQ(
        Snapshot({"--config-dir", dir.path(), "--snapshot", view, "--window-snapshot", without})
            .status,
        0);
    EXPECT_TRUE(IndicatorShowsAFix(QImage(withFix)));
    EXPECT_FALSE(IndicatorShowsAFix(QImage(without)));
}

TEST(SnapshotOptions, ReadsEveryOptionInOrder)
{
    QString error;
    const auto options = ParseSnapshotOptions({"wendrift", "--snapshot", "a.png", "--tab", "trip",
                                               "--size", "240x268", "--dpi", "192", "--key", "Up",
                                               "--key", "Right", "--tap", "10,-3", "--now", "42"},
                                              error);
    ASSERT_TRUE(options) << error.toStdString();
    EXPECT_EQ(options->tab, 2);
    EXPECT_EQ(options->size, QSize(240, 268));
    EXPECT_EQ(options->dpi, 192);
    EXPECT_EQ(options->keys, (QStringList{"Up", "Right"}));
    EXPECT_EQ(options->taps, (QList<QPoint>{{10, -3}}));
    EXPECT_EQ(options->now, 42);
}

} // namespace

namespace {

TEST(Startup, NoWindowSystemEndsWithOneLineAndStatusOne)
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    environment.insert(QStringLiteral("DISPLAY"), QStringLiteral(":4441"));
    process.setProcessEnvironment(environment);
    QTemporaryDir dir;
    process.start(QStringLiteral(WENDRIFT_APP_PATH), {QStringLiteral("--config-dir"), dir.path()});
    ASSERT_TRUE(process.waitForFinished(30000));
    EXPECT_EQ(process.exitStatus(), QProcess::NormalExit); // not a crash
    EXPECT_EQ(process.exitCode(), 1);
    EXPECT_TRUE(process.readAllStandardError().contains("wendrift: cannot start the window"));
}

} // namespace
