#pragma once

#include <QByteArray>
#include <QString>

#include <cstddef>
#include <cstdint>
#include <span>

class CWaypointDB;

// A fuzz harness: one plain function that runs one input through a reader. The same functions
// serve the libFuzzer programs (clang fuzz build) and the regression test (every build).
using FuzzEntry = void (*)(const uint8_t* data, size_t size);

struct FuzzHarness {
    const char* name; // the folder of its corpus and regressions
    FuzzEntry run;
};

// Every harness, in the order tests/fuzz/CMakeLists.txt registers them.
std::span<const FuzzHarness> FuzzHarnesses();

// Reads an input front to back: the leading bytes choose settings, the rest is the data.
class CFuzzInput {
public:
    CFuzzInput(const uint8_t* data, size_t size) : m_data(data), m_size(size) {}

    // The next byte, 0 once the input is used up.
    uint8_t Byte() { return m_at < m_size ? m_data[m_at++] : 0; }
    // Up to `count` next bytes.
    std::span<const uint8_t> Bytes(size_t count);
    // Everything not read yet.
    std::span<const uint8_t> Rest() { return Bytes(m_size - m_at); }
    bool Empty() const { return m_at == m_size; }

private:
    const uint8_t* m_data;
    size_t m_size;
    size_t m_at = 0;
};

// Writes `bytes` as the whole content of file `name` in a folder of this process's own, and
// returns its path. Readers that take a path read it from there.
QString FuzzScratchFile(const QString& name, std::span<const uint8_t> bytes);

// An empty waypoint store. It is the same store every time, emptied, since making the grid of a
// new one costs more than most inputs take to read.
CWaypointDB& EmptyWaypointStore();

// Stops the run, so the fuzzer keeps the input, when a harness finds a broken promise.
void FuzzCheck(bool holds, const char* what);
