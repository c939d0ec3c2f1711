#pragma once

#include <cstdint>

// Notifications between the link, the main frame and the views. They carry no data: the
// receiver reads the current state when it handles them.
enum GpsMessage : uint32_t {
    WM_GPS_UPDATE = 0x1400,
    WM_GPS_GGA = 0x1401,
    WM_GPS_GSV = 0x1402,
    WM_GPS_GSA = 0x1403,
    WM_GPS_RMB = 0x1404,
    WM_GPS_RMC = 0x1405,
    WM_GPS_ZDA = 0x1406,
    WM_WAYPOINT_ALARM = 0x1407,
    WM_FRAME_STARTUP = 0x1408,
};
