#pragma once

#include <QString>
#include <QWidget>

#include <gtest/gtest.h>

// Playing the user on real widgets: controls by object name, key presses, pictures to look at.

template <typename T> T& Control(QWidget& parent, const char* name)
{
    T* control = parent.findChild<T*>(QString::fromLatin1(name));
    if (control == nullptr) {
        ADD_FAILURE() << "no control " << name;
        std::abort();
    }
    return *control;
}

void PressKey(QWidget& widget, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier,
              const QString& text = {});
// One key press per character.
void TypeKeys(QWidget& widget, const QString& text);
// Writes the widget as /tmp/wpui-png/<name>.png for a look at it.
void SavePicture(QWidget& widget, const QString& name);

// Installs the map's icon strips as the source of the waypoint icon pictures, as the
// application does, so the pictures show the icons.
void UseMapIconStrips();
