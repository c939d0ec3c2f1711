#pragma once

#include <QByteArray>
#include <QString>

#include <deque>
#include <functional>
#include <memory>
#include <mutex>

class QSocketNotifier;

// Carries the chunks a reader thread reads over to the thread that created the handoff, with
// the problems its source reports (a refused or dropped connection). The reader only pushes;
// the owning thread is woken through an eventfd watched by its event loop and delivers both in
// the order they came. Nothing else crosses threads.
class CChunkHandoff {
public:
    using Deliver = std::function<void(const QByteArray& chunk)>;
    using DeliverProblem = std::function<void(const QString& problem)>;

    explicit CChunkHandoff(Deliver deliver, DeliverProblem deliverProblem = {});
    ~CChunkHandoff();
    CChunkHandoff(const CChunkHandoff&) = delete;
    CChunkHandoff& operator=(const CChunkHandoff&) = delete;

    // Any thread.
    void Push(QByteArray chunk);
    void PushProblem(QString problem);

    // Owning thread. Delivers the pending chunks and problems one at a time, so a delivery that
    // discards the rest (by closing the port) stops the batch. Returns the number delivered.
    int Drain();
    void Discard();

private:
    struct Item {
        QByteArray chunk;
        QString problem; // set instead of the chunk
    };
    void Enqueue(Item item);

    Deliver m_deliver;
    DeliverProblem m_deliverProblem;
    int m_eventFd = -1;
    std::unique_ptr<QSocketNotifier> m_notifier;
    std::mutex m_mutex;
    std::deque<Item> m_items;
};
