#include "gps/ReaderThread.h"

#include "gps/ChunkHandoff.h"

#include <QByteArray>

#include <chrono>

CReaderThread::CReaderThread(ReadFunction read, CChunkHandoff& handoff, bool paused)
    : m_read(std::move(read)), m_handoff(handoff), m_paused(paused)
{
    m_thread = std::thread([this] { Run(); });
}

CReaderThread::~CReaderThread()
{
    {
        const std::lock_guard lock(m_mutex);
        m_stop = true;
    }
    m_wake.notify_all();
    m_thread.join();
}

void CReaderThread::SetPaused(bool paused)
{
    const std::lock_guard lock(m_mutex);
    m_paused = paused;
}

void CReaderThread::Run()
{
    std::unique_lock lock(m_mutex);
    while (!m_stop) {
        if (!m_paused)
            ReadUntilEmpty();
        m_wake.wait_for(lock, std::chrono::milliseconds(kPeriodMs), [this] { return m_stop; });
    }
}

void CReaderThread::ReadUntilEmpty()
{
    // A short read means the device had no more buffered; a fast receiver never falls behind.
    uint8_t buffer[kChunkBytes];
    for (;;) {
        const int count = m_read(buffer, kChunkBytes);
        if (count <= 0)
            return;
        m_handoff.Push(QByteArray(reinterpret_cast<const char*>(buffer), count));
        if (count < kChunkBytes)
            return;
    }
}
