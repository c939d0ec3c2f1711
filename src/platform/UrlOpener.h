#pragma once

#include <QUrl>

// Opening a page or file in the user's browser or viewer is the desktop's job: the application
// installs an opener (QDesktopServices); the core asks through OpenUrl and never opens anything
// itself. Without an installed opener (the command-line tool, tests) nothing is opened.
class IUrlOpener {
public:
    virtual ~IUrlOpener() = default;
    virtual bool Open(const QUrl& url) = 0;
};

// Installs `opener` (not owned); nullptr removes it.
void SetUrlOpener(IUrlOpener* opener);
// True when an opener was installed and reported success.
bool OpenUrl(const QUrl& url);
