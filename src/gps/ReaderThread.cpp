#include "gps/ReaderThread.h"

#include "gps/ByteSource.h"
#include "gps/ChunkHandoff.h"

#include <QByteArray>

#include <poll.h>
#include <sys/eventfd.h>
#include <system_error>
#include <unistd.h>

#include <cerrno>

CReaderThread::CReaderThread(IByteSource& source, CChunkHandoff& handoff, bool paused)
    : m_source(source), m_handoff(handoff), m_wakeFd(eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC)),
      m_paused(paused)
{
    if (m_wakeFd < 0)
        throw std::system_error(errno, std::generic_category(), "eventfd");
    try {
        m_thread = std::thread([this] { Run(); });
    } catch (...) {
        ::close(m_wakeFd);
        throw;
    }
}

CReaderThread::~CReaderThread()
{
    {
        const std::lock_guard lock(m_mutex);
        m_stop = true;
    }
    const uint64_t one = 1;
    [[maybe_unused]] const ssize_t written = ::write(m_wakeFd, &one, sizeof one);
    m_thread.join();
    ::close(m_wakeFd);
}

void CReaderThread::SetPaused(bool paused)
{
    const std::lock_guard lock(m_mutex);
    m_paused = paused;
}

void CReaderThread::Run()
{
    for (;;) {
        {
            const std::lock_guard lock(m_mutex);
            if (m_stop)
                return;
            if (!m_paused)
                ReadUntilEmpty();
        }
        // A monotonic sleep, woken early only by the stop request.
        pollfd wake{m_wakeFd, POLLIN, 0};
        ::poll(&wake, 1, kPeriodMs);
    }
}

void CReaderThread::ReadUntilEmpty()
{
    // A short read means the source had no more buffered; a fast receiver never falls behind.
    uint8_t buffer[kChunkBytes];
    for (;;) {
        const int count = m_source.Read(buffer, kChunkBytes);
        if (count > 0)
            m_handoff.Push(QByteArray(reinterpret_cast<const char*>(buffer), count));
        if (count < kChunkBytes)
            break;
    }
    if (QString problem = m_source.TakeProblem(); !problem.isEmpty())
        m_handoff.PushProblem(std::move(problem));
}
