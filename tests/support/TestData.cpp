#include "support/TestData.h"

#include <QDir>
#include <QFileInfo>

QString TestDataDir()
{
    return QDir::cleanPath(QStringLiteral(WENDRIFT_TESTDATA_DIR));
}

QString TestDataPath(const QString& relative)
{
    return QDir(TestDataDir()).filePath(relative);
}

bool HaveTestData()
{
    return QFileInfo(TestDataPath(QStringLiteral("README.md"))).isFile();
}

QString CliPath()
{
    return QStringLiteral(WENDRIFT_CLI_PATH);
}

QString DemoLogPath()
{
    return QStringLiteral(WENDRIFT_DEMO_LOG);
}
