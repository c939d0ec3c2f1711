#include "platform/Locations.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace {

QString Under(QStandardPaths::StandardLocation location)
{
    return QDir(QStandardPaths::writableLocation(location)).filePath(QStringLiteral("Wendrift"));
}

} // namespace

namespace Locations {

QString UserDataDir()
{
    return Under(QStandardPaths::GenericDataLocation);
}

QString UserCacheDir()
{
    return Under(QStandardPaths::GenericCacheLocation);
}

QString ShareDir()
{
    const QString fromEnvironment = qEnvironmentVariable("WENDRIFT_SHARE_DIR");
    if (!fromEnvironment.isEmpty())
        return fromEnvironment;
    if (QCoreApplication::instance()) {
        const QString installed = QDir(QCoreApplication::applicationDirPath())
                                      .filePath(QStringLiteral("../share/wendrift"));
        if (QFileInfo::exists(installed))
            return QDir::cleanPath(installed);
    }
    return QStringLiteral(WENDRIFT_SOURCE_RESOURCES);
}

QString MapHandheldPath(const QString& path)
{
    static const QString documents = QStringLiteral("\\My Documents\\Wendrift\\");
    static const QString html = QStringLiteral("\\HTML\\");
    auto rest = [&](const QString& prefix) { return path.mid(prefix.size()).replace(u'\\', u'/'); };
    if (path.startsWith(documents, Qt::CaseInsensitive))
        return QDir(UserDataDir()).filePath(rest(documents));
    if (path.startsWith(html, Qt::CaseInsensitive))
        return QDir(QDir(UserCacheDir()).filePath(QStringLiteral("HTML"))).filePath(rest(html));
    return path;
}

} // namespace Locations
