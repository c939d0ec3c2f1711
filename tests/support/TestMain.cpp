// Test entry point: a QCoreApplication for the Qt parts, and each test program gets its own
// empty settings store and data folders, so no test sees a user's files or another program's.

#include "app/SettingsStore.h"

#include <QCoreApplication>
#include <QTemporaryDir>

#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    QCoreApplication app(argc, argv);
    QTemporaryDir configDir;
    QTemporaryDir homeDir; // data and cache folders, away from the user's own
    qputenv("WENDRIFT_CONFIG_DIR", configDir.path().toUtf8());
    qputenv("XDG_DATA_HOME", (homeDir.path() + QStringLiteral("/data")).toUtf8());
    qputenv("XDG_CACHE_HOME", (homeDir.path() + QStringLiteral("/cache")).toUtf8());
    OpenSettingsStore(configDir.path());
    return RUN_ALL_TESTS();
}
