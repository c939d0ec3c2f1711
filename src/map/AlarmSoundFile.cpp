#include "map/AlarmSoundFile.h"

#include "platform/Locations.h"

#include <QDir>
#include <QFileInfo>

QString PlayableSoundFile(const QString& soundName)
{
    const QString name = soundName.trimmed();
    if (name.isEmpty() || name.contains(QStringLiteral("://")))
        return {};
    QFileInfo file(name);
    if (file.isRelative())
        file = QFileInfo(QDir(Locations::ShareDir()).filePath(QStringLiteral("sounds/") + name));
    if (!file.exists() || !file.isFile())
        return {};
    return file.canonicalFilePath();
}
