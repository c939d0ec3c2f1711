#pragma once

#include <QString>

// The number fields of the waypoint pages: what they show for a stored value and what a typed
// text stores. Typed numbers are read as a C-locale decimal reader reads them (the leading
// number; text that is not a number gives 0).

// The altitude in the user's altitude unit, and a typed altitude back in metres.
QString AltitudeEntryText(float metres);
float AltitudeFromEntry(const QString& text);

// The approach distance in the user's small distance unit ("%.02f"), and back in kilometres.
QString ApproachDistanceText(double km);
double ApproachDistanceFromEntry(const QString& text);
