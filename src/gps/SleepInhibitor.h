#pragma once

#include <cstdint>

// Keeps the desktop from going idle (screen saver, automatic suspend) through the freedesktop
// ScreenSaver D-Bus service, where a session bus offers one; elsewhere it does nothing.
class CSleepInhibitor {
public:
    CSleepInhibitor() = default;
    ~CSleepInhibitor();
    CSleepInhibitor(const CSleepInhibitor&) = delete;
    CSleepInhibitor& operator=(const CSleepInhibitor&) = delete;

    // Asks for the inhibition unless it is already held; true while it is held.
    bool Hold();
    void Release();
    bool IsHeld() const { return m_held; }

private:
    bool m_held = false;
    uint32_t m_cookie = 0;
};
