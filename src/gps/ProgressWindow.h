#pragma once

#include <QString>

// The small modal window that shows how far a long operation has got: a line of text and a
// bar. Long operations call KeepResponsive while they wait so the window (and the event loop)
// keeps running.
class IProgressWindow {
public:
    virtual ~IProgressWindow() = default;
    virtual void Open(int range) = 0;
    virtual void SetText(const QString& text) = 0;
    virtual void Step() = 0;
    virtual void KeepResponsive() = 0;
    virtual void Close() = 0;
};
