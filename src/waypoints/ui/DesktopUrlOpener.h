#pragma once

#include "platform/UrlOpener.h"

// Opens pages in the user's browser through the desktop (QDesktopServices). The application
// installs one with SetUrlOpener at start, so geocache pages open where the user expects.
class CDesktopUrlOpener : public IUrlOpener {
public:
    bool Open(const QUrl& url) override;
};
