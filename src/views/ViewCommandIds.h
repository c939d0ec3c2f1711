#pragma once

// Command ids of the views' pop-up menus.
// Digital panel and navigation strips.
constexpr int ID_PANEL_CHANGE_FIELD = 32885;
constexpr int ID_PANEL_LAYOUT_FIRST = 32900; // + index into the layout table (16 layouts)
constexpr int ID_PANEL_RESET_VALUES = 32916;
// Gauge panel.
constexpr int ID_GAUGE_CYCLE = 32793;
constexpr int ID_GAUGE_ALTIMETER = 32771;
constexpr int ID_GAUGE_COMPASS = 32781;
constexpr int ID_GAUGE_SPEEDOMETER = 32860;
constexpr int ID_GAUGE_VERTICAL_SPEED = 32867;
constexpr int ID_GAUGE_SPEED_SETUP = 32854;
constexpr int ID_GAUGE_SMOOTH = 32888;
constexpr int ID_GAUGE_COLORS_DEFAULT = 32848;
constexpr int ID_GAUGE_COLORS_BLACK = 32845;
constexpr int ID_GAUGE_COLORS_GREY = 32844;
constexpr int ID_GAUGE_NAV_STRIP = 32886;
// Analysis plots.
constexpr int ID_PLOT_KIND_FIRST =
    32832; // acceleration, altitude, speed, track error, vertical speed
constexpr int ID_PLOT_CLEAR = 32780;
constexpr int ID_PLOT_CLEAR_ALL = 32778;
constexpr int ID_PLOT_PROPERTIES = 32838;
constexpr int ID_PLOT_SCREEN_FIRST = 32827; // "1X1", "1X2", "1X3", "2X1", "2X2"
