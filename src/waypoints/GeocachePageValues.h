#pragma once

#include "waypoints/Waypoint.h"

#include <QByteArray>
#include <QByteArrayView>

#include <cstdint>
#include <optional>

// The values of the geocache page placeholders (WD_PAGE_TITLE, WD_CACHE_NAME, ... WD_GC_LOGS)
// for one waypoint, as UTF-8 HTML: plain texts escaped, descriptions as HTML only when the file
// marked them so, dates in local time, "new" against `now` (seconds since 1970 UTC). Nothing
// for a name that is not a placeholder.
std::optional<QByteArray> GeocachePlaceholderValue(const CWaypoint& wp, QByteArrayView name,
                                                   int64_t now);
