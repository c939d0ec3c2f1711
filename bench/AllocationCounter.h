#pragma once

// Counts heap allocations of the whole benchmark program (operator new is replaced), so a
// benchmark can show that its hot loop allocates nothing.
long long AllocationCount();
