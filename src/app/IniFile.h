#pragma once

#include <QMap>
#include <QString>
#include <QVariant>

// The settings file in QSettings' INI format, read and written whole. QSettings answers a file
// name it has seen from a cache of its own, and on a full disk renames a cut-off file into place
// without reporting the short write (Qt 6.4); so every read goes through a name of its own (a
// hard link), and every write goes into a partial file that must read back complete before it
// replaces the file.

using IniValues = QMap<QString, QVariant>; // by "section/key"

struct IniContents {
    IniValues values;
    bool damaged = false; // QSettings could not parse all of the file
};

// What the file at `path` holds; nothing for a missing file.
IniContents ReadIniFile(const QString& path);

// Replaces the file at `path` by one holding `values`. False, with the file as it was, when the
// new one could not be written completely.
bool WriteIniFile(const QString& path, const IniValues& values);
