#include "app/IniFile.h"

#include "platform/SafeFile.h"
#include "platform/VectorState.h"

#include <QFile>
#include <QSettings>

#include <unistd.h>

IniContents ReadIniFile(const QString& path)
{
    const CUpperVectorStateGuard cleanVectorState; // QSettings hashes its keys
    // Without hard links (or room for one) the file is read under its own name.
    const QString alias = NewPartialFilePath(path) + QStringLiteral("-read");
    const bool linked =
        ::link(QFile::encodeName(path).constData(), QFile::encodeName(alias).constData()) == 0;
    IniContents contents;
    {
        const QSettings file(linked ? alias : path, QSettings::IniFormat);
        for (const QString& key : file.allKeys())
            contents.values.insert(key, file.value(key));
        contents.damaged = file.status() != QSettings::NoError;
    }
    if (linked)
        QFile::remove(alias);
    return contents;
}

bool WriteIniFile(const QString& path, const IniValues& values)
{
    const CUpperVectorStateGuard cleanVectorState; // QSettings hashes its keys
    const QString partial = NewPartialFilePath(path);
    bool written = false;
    {
        QSettings staged(partial, QSettings::IniFormat);
        for (auto value = values.cbegin(); value != values.cend(); ++value)
            staged.setValue(value.key(), value.value());
        staged.sync();
        written = staged.status() == QSettings::NoError;
    }
    if (written) {
        const IniContents readBack = ReadIniFile(partial);
        written = !readBack.damaged && readBack.values == values;
    }
    if (!written || !ReplaceWithPartial(partial, path)) {
        QFile::remove(partial);
        return false;
    }
    return true;
}
