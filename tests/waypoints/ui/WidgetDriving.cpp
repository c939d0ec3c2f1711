#include "WidgetDriving.h"

#include <QApplication>
#include <QDir>
#include <QKeyEvent>

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
