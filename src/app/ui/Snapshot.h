#pragma once

struct SnapshotOptions;

// Renders a view (and optionally the whole window) to PNG files offscreen, after feeding a log
// through the receiver's path, with the clock, DPI, keys and taps the options give. 0 on success,
// 2 with a one-line message on standard error when the log cannot be read or a file not written.
int RunSnapshot(const SnapshotOptions& options);
