#include "platform/UrlOpener.h"

namespace {

IUrlOpener* g_opener = nullptr;

} // namespace

void SetUrlOpener(IUrlOpener* opener)
{
    g_opener = opener;
}

bool OpenUrl(const QUrl& url)
{
    return g_opener && g_opener->Open(url);
}
