// The real program under a real X server: it starts on a receiver's pseudo-terminal, its window
// maps, SIGTERM closes it the normal way and the track it recorded is on disk.

#include "gps/ReceiverSimulator.h"
#include "nav/TrackFileCommands.h"
#include "nav/TrackLog.h"
#include "support/TestData.h"

#include <QDir>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

#include <unistd.h>

namespace {

bool WindowMapped(const QString& display)
{
    QProcess tree;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("DISPLAY"), display);
    tree.setProcessEnvironment(environment);
    tree.start(QStringLiteral("xwininfo"), {QStringLiteral("-root"), QStringLiteral("-tree")});
    tree.waitForFinished(5000);
    return QString::fromUtf8(tree.readAllStandardOutput()).contains(QStringLiteral("\"Wendrift\""));
}

bool Eventually(const std::function<bool()>& condition, int timeoutMs)
{
    for (int waited = 0; waited < timeoutMs; waited += 100) {
        if (condition())
            return true;
        QThread::msleep(100);
    }
    return condition();
}

TEST(XvfbEndToEnd, WindowMapsOnAReceiverAndSigtermSavesTheTrack)
{
    if (QStandardPaths::findExecutable(QStringLiteral("Xvfb")).isEmpty() ||
        QStandardPaths::findExecutable(QStringLiteral("xwininfo")).isEmpty())
        GTEST_SKIP() << "Xvfb and xwininfo are needed (packages xvfb, x11-utils)";

    const QString display = QStringLiteral(":%1").arg(90 + getpid() % 400);
    QProcess xvfb;
    xvfb.start(QStringLiteral("Xvfb"),
               {display, QStringLiteral("-screen"), QStringLiteral("0"),
                QStringLiteral("800x600x24"), QStringLiteral("-nolisten"), QStringLiteral("tcp")});
    ASSERT_TRUE(xvfb.waitForStarted(5000));
    ASSERT_TRUE(Eventually(
        [&] { return QFile::exists(QStringLiteral("/tmp/.X11-unix/X") + display.mid(1)); }, 5000));

    CReceiverSimulator::Options simulatorOptions;
    QString error;
    ASSERT_TRUE(CReceiverSimulator::LoadLog(DemoLogPath(), &simulatorOptions.log, &error));
    simulatorOptions.bytesPerSecond = 4000;
    CReceiverSimulator receiver(simulatorOptions);
    ASSERT_TRUE(receiver.Open());
    receiver.Start();

    QTemporaryDir home;
    QDir(home.path()).mkpath(QStringLiteral("config"));
    QFile ini(home.filePath(QStringLiteral("config/Wendrift.ini")));
    ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
    ini.write("[Settings]\nNoDisclaimer=2\nFirst%20Time%20Communication%20Setup=0\n");
    ini.close();

    QProcess wendrift;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("DISPLAY"), display);
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    environment.insert(QStringLiteral("XDG_DATA_HOME"), home.filePath(QStringLiteral("data")));
    wendrift.setProcessEnvironment(environment);
    wendrift.start(QStringLiteral(WENDRIFT_APP_PATH),
                   {QStringLiteral("--config-dir"), home.filePath(QStringLiteral("config")),
                    QStringLiteral("--port"), receiver.DevicePath()});
    ASSERT_TRUE(wendrift.waitForStarted(5000));
    ASSERT_TRUE(Eventually([&] { return WindowMapped(display); }, 60000)) << "the window never mapped";
    QThread::msleep(3000); // a few fixes into the track

    wendrift.terminate(); // SIGTERM
    EXPECT_TRUE(wendrift.waitForFinished(60000));
    EXPECT_EQ(wendrift.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(wendrift.exitCode(), 0) << wendrift.readAllStandardError().toStdString();
    receiver.Stop();
    xvfb.terminate();
    xvfb.waitForFinished(5000);

    CTrackLog track;
    EXPECT_EQ(LoadTrack(track, home.filePath(QStringLiteral("data/Wendrift/track.trk"))), 1);
    EXPECT_GT(track.GetCount(), 0);
}

} // namespace
