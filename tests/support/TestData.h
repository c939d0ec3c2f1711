#pragma once

#include <QString>

// The shared test data folder (receiver captures, files from other programs).
QString TestDataDir();
// The path of a file in it, e.g. TestDataPath("nmea/bu353s4.log").
QString TestDataPath(const QString& relative);
// True when the shared test data is there; tests that need it skip otherwise.
bool HaveTestData();
// The demo recording the build generates.
QString DemoLogPath();
// The built wendrift-cli, for tests that run the tool as a user would.
QString CliPath();

// Skips the current test with a clear message when the shared test data is absent.
#define REQUIRE_TESTDATA()                                                                         \
    do {                                                                                           \
        if (!HaveTestData())                                                                       \
            GTEST_SKIP() << "shared test data not found at " << TestDataDir().toStdString()        \
                         << " (set WENDRIFT_TESTDATA_DIR when configuring)";                       \
    } while (0)
