#pragma once

#include <cstdint>
#include <mutex>
#include <thread>

class CChunkHandoff;
class IByteSource;

// The thread that moves bytes from an open source to the owning thread: every 100 ms it reads
// in chunks of up to 128 bytes until the source has nothing buffered and pushes each chunk,
// and any problem the source reports, to the handoff. It never parses; destroying it stops and
// joins it.
class CReaderThread {
public:
    static constexpr int kChunkBytes = 128;
    static constexpr int kPeriodMs = 100;

    // `source` must outlive the thread. Throws std::system_error when it cannot be created.
    CReaderThread(IByteSource& source, CChunkHandoff& handoff, bool paused);
    ~CReaderThread();
    CReaderThread(const CReaderThread&) = delete;
    CReaderThread& operator=(const CReaderThread&) = delete;

    // Returns once any read cycle in progress has finished, so after pausing nothing more is
    // read until the pause ends.
    void SetPaused(bool paused);

private:
    void Run();
    void ReadUntilEmpty();

    IByteSource& m_source;
    CChunkHandoff& m_handoff;
    std::mutex m_mutex; // held for a whole read cycle
    int m_wakeFd;       // cuts the sleep between cycles short when the thread is to stop
    bool m_paused;
    bool m_stop = false;
    std::thread m_thread;
};
