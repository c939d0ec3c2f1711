#include "platform/Clock.h"

#include <atomic>
#include <ctime>

namespace {
std::atomic<bool> g_pinned{false};
std::atomic<int64_t> g_pinnedNow{0};
} // namespace

namespace Clock {

int64_t Now()
{
    if (g_pinned.load())
        return g_pinnedNow.load();
    return static_cast<int64_t>(std::time(nullptr));
}

void Pin(int64_t secondsSinceEpoch)
{
    g_pinnedNow.store(secondsSinceEpoch);
    g_pinned.store(true);
}

void Unpin()
{
    g_pinned.store(false);
}

bool IsPinned()
{
    return g_pinned.load();
}

} // namespace Clock
