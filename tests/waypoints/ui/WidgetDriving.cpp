#include "WidgetDriving.h"

#include "map/ui/WaypointIcons.h"
#include "waypoints/ui/WaypointIconImages.h"

#include <QApplication>
#include <QDir>
#include <QKeyEvent>
#include <QPixmap>

#include <memory>

void PressKey(QWidget& widget, int key, Qt::KeyboardModifiers modifiers, const QString& text)
{
    QKeyEvent press(QEvent::KeyPress, key, modifiers, text);
    QApplication::sendEvent(&widget, &press);
    QKeyEvent release(QEvent::KeyRelease, key, modifiers, text);
    QApplication::sendEvent(&widget, &release);
}

void TypeKeys(QWidget& widget, const QString& text)
{
    for (QChar c : text)
        PressKey(widget, c.toUpper().unicode(), Qt::NoModifier, QString(c));
}

void SavePicture(QWidget& widget, const QString& name)
{
    const QString dir = QStringLiteral("/tmp/wpui-png");
    QDir().mkpath(dir);
    widget.adjustSize();
    widget.grab().save(dir + QLatin1Char('/') + name + QStringLiteral(".png"));
}

void UseMapIconStrips()
{
    auto small = std::make_shared<CWaypointIcons>(false);
    auto large = std::make_shared<CWaypointIcons>(true);
    SetWaypointIconSource([small, large](int icon, int pixels) {
        const CWaypointIcons& icons = pixels >= CWaypointIcons::kLarge ? *large : *small;
        const QImage* strip = nullptr;
        QRect source;
        return icons.Locate(icon, strip, source) ? QPixmap::fromImage(strip->copy(source))
                                                 : QPixmap();
    });
}
