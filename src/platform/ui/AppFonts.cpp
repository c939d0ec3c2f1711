#include "platform/ui/AppFonts.h"

#include <QDir>
#include <QFont>
#include <QFontDatabase>
#include <QFontInfo>

QString LoadApplicationFonts(const QString& wineFontDir)
{
    const QDir dir(wineFontDir);
    for (const char* name : {"tahoma.ttf", "tahomabd.ttf"}) {
        const QString path = dir.filePath(QString::fromLatin1(name));
        if (QFileInfo::exists(path))
            QFontDatabase::addApplicationFont(path);
    }
    QFont::insertSubstitution(QStringLiteral("Tahoma"), QStringLiteral("NanumGothic"));
    return QFontInfo(QFont(QStringLiteral("Tahoma"))).family();
}
