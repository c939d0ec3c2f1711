#include "app/ui/AppIcon.h"

#include <QDir>

QIcon ApplicationIcon()
{
    // The PNGs the desktop's icon theme gets too, so the window and the menu entry match;
    // each one is added at the size it was drawn for.
    const QDir theme(QStringLiteral(":/icons/hicolor"));
    QIcon icon;
    for (const QString& size : theme.entryList({QStringLiteral("*x*")}, QDir::Dirs))
        icon.addFile(theme.filePath(size + QStringLiteral("/apps/wendrift.png")));
    return icon;
}
