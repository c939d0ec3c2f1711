#pragma once

class CNMEAParser;
class CMapWnd;

// What the views read when they draw: the fix state of the main frame and the map window with
// the trip computer, navigation and track it owns. The map window is created third, so the
// views before it find it here once it exists.
struct ViewContext {
    CNMEAParser& fix;
    CMapWnd* map = nullptr;
};
