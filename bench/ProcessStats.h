#pragma once
// What the kernel says of a process's use: processor time and memory, for the benchmarks'
// counters.

#include <QtGlobal>

// User plus system processor seconds of process `pid` so far (0 when it cannot be read).
double ProcessCpuSeconds(qint64 pid);

// A memory figure of this process from /proc/self/status ("VmRSS", "VmHWM"), in kB; -1 when
// it cannot be read.
double OwnStatusKilobytes(const char* field);
