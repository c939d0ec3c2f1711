#pragma once

#include <cstdint>

// The one source of "now" (seconds since 1970-01-01 UTC). Tests and replays pin it so that
// results do not depend on the wall clock.
namespace Clock {

int64_t Now();
void Pin(int64_t secondsSinceEpoch);
void Unpin();
bool IsPinned();

} // namespace Clock
