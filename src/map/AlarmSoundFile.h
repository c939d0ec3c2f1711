#pragma once

#include <QString>

// The file an alarm may play for a waypoint's sound name: only an existing regular file on
// this machine (a relative name is looked for in the program's sounds folder); an empty text
// for anything else, so nothing is fetched or run for a name that came from a downloaded file.
QString PlayableSoundFile(const QString& soundName);
