#pragma once

#include <cstdint>
#include <functional>
#include <mutex>
#include <thread>

class CChunkHandoff;

// The thread that moves bytes from an open device to the owning thread: every 100 ms it reads
// in chunks of up to 128 bytes until the device has nothing buffered and pushes each chunk to
// the handoff. It never parses; destroying it stops and joins it.
class CReaderThread {
public:
    using ReadFunction = std::function<int(uint8_t* buffer, int maxBytes)>;

    static constexpr int kChunkBytes = 128;
    static constexpr int kPeriodMs = 100;

    // Throws std::system_error when the thread cannot be created.
    CReaderThread(ReadFunction read, CChunkHandoff& handoff, bool paused);
    ~CReaderThread();
    CReaderThread(const CReaderThread&) = delete;
    CReaderThread& operator=(const CReaderThread&) = delete;

    // Returns once any read cycle in progress has finished, so after pausing nothing more is
    // read until the pause ends.
    void SetPaused(bool paused);

private:
    void Run();
    void ReadUntilEmpty();

    ReadFunction m_read;
    CChunkHandoff& m_handoff;
    std::mutex m_mutex; // held for a whole read cycle
    int m_wakeFd;       // cuts the sleep between cycles short when the thread is to stop
    bool m_paused;
    bool m_stop = false;
    std::thread m_thread;
};
