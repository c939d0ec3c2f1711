#pragma once

#include <QString>

// The program's string table: texts by number, as the message boxes and labels use them.
// Unknown numbers give an empty string.
QString LoadString(int id);
