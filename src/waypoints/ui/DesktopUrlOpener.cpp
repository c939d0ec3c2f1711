#include "waypoints/ui/DesktopUrlOpener.h"

#include <QDesktopServices>

bool CDesktopUrlOpener::Open(const QUrl& url)
{
    return QDesktopServices::openUrl(url);
}
