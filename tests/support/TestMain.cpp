// Test entry point: a QCoreApplication for the Qt parts (a QApplication with the Fusion style
// and the program's fonts for window tests), and each test program gets its own empty settings
// store and data folders, so no test sees a user's files or another program's.

#include "app/SettingsStore.h"

#include <QTemporaryDir>

#ifdef WENDRIFT_TEST_WIDGETS
#include "platform/ui/AppFonts.h"

#include <QApplication>
#include <QStyle>
#include <QStyleFactory>
#else
#include <QCoreApplication>
#endif

#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
#ifdef WENDRIFT_TEST_WIDGETS
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    QApplication::setPalette(QApplication::style()->standardPalette());
    LoadApplicationFonts();
#else
    QCoreApplication app(argc, argv);
#endif
    QTemporaryDir configDir;
    QTemporaryDir homeDir; // data and cache folders, away from the user's own
    qputenv("WENDRIFT_CONFIG_DIR", configDir.path().toUtf8());
    qputenv("XDG_DATA_HOME", (homeDir.path() + QStringLiteral("/data")).toUtf8());
    qputenv("XDG_CACHE_HOME", (homeDir.path() + QStringLiteral("/cache")).toUtf8());
    OpenSettingsStore(configDir.path());
    return RUN_ALL_TESTS();
}
