#include "gps/ChunkHandoff.h"

#include <QSocketNotifier>

#include <sys/eventfd.h>
#include <unistd.h>

#include <cstdint>

CChunkHandoff::CChunkHandoff(Deliver deliver, DeliverProblem deliverProblem)
    : m_deliver(std::move(deliver)), m_deliverProblem(std::move(deliverProblem)),
      m_eventFd(eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC))
{
    if (m_eventFd < 0)
        return; // chunks then wait for an explicit Drain()
    m_notifier = std::make_unique<QSocketNotifier>(m_eventFd, QSocketNotifier::Read);
    QObject::connect(m_notifier.get(), &QSocketNotifier::activated, [this] { Drain(); });
}

CChunkHandoff::~CChunkHandoff()
{
    m_notifier.reset();
    if (m_eventFd >= 0)
        ::close(m_eventFd);
}

void CChunkHandoff::Push(QByteArray chunk)
{
    Enqueue(Item{std::move(chunk), QString()});
}

void CChunkHandoff::PushProblem(QString problem)
{
    Enqueue(Item{QByteArray(), std::move(problem)});
}

void CChunkHandoff::Enqueue(Item item)
{
    bool wasEmpty = false;
    {
        const std::lock_guard lock(m_mutex);
        wasEmpty = m_items.empty();
        m_items.push_back(std::move(item));
    }
    if (wasEmpty && m_eventFd >= 0) {
        const uint64_t one = 1;
        [[maybe_unused]] const ssize_t written = ::write(m_eventFd, &one, sizeof one);
    }
}

int CChunkHandoff::Drain()
{
    // Reset the wake-up before looking at the queue, so a push that lands after the last pop
    // below wakes us again.
    if (m_eventFd >= 0) {
        uint64_t count = 0;
        [[maybe_unused]] const ssize_t got = ::read(m_eventFd, &count, sizeof count);
    }
    int delivered = 0;
    for (;;) {
        Item item;
        {
            const std::lock_guard lock(m_mutex);
            if (m_items.empty())
                break;
            item = std::move(m_items.front());
            m_items.pop_front();
        }
        if (item.problem.isEmpty())
            m_deliver(item.chunk);
        else if (m_deliverProblem)
            m_deliverProblem(item.problem);
        ++delivered;
    }
    return delivered;
}

void CChunkHandoff::Discard()
{
    const std::lock_guard lock(m_mutex);
    m_items.clear();
}
