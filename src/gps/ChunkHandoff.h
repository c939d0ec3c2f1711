#pragma once

#include <QByteArray>

#include <deque>
#include <functional>
#include <memory>
#include <mutex>

class QSocketNotifier;

// Carries the chunks a reader thread reads over to the thread that created the handoff. The
// reader only pushes bytes; the owning thread is woken through an eventfd watched by its event
// loop and delivers the chunks in the order they were read. Nothing else crosses threads.
class CChunkHandoff {
public:
    using Deliver = std::function<void(const QByteArray& chunk)>;

    explicit CChunkHandoff(Deliver deliver);
    ~CChunkHandoff();
    CChunkHandoff(const CChunkHandoff&) = delete;
    CChunkHandoff& operator=(const CChunkHandoff&) = delete;

    // Any thread.
    void Push(QByteArray chunk);

    // Owning thread. Delivers the pending chunks one at a time, so a delivery that discards
    // the rest (by closing the port) stops the batch. Returns the number delivered.
    int Drain();
    void Discard();

private:
    Deliver m_deliver;
    int m_eventFd = -1;
    std::unique_ptr<QSocketNotifier> m_notifier;
    std::mutex m_mutex;
    std::deque<QByteArray> m_chunks;
};
