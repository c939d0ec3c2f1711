#pragma once

#include <QEvent>
#include <QObject>
#include <QPointer>

#include <cstdint>

// Where a producer posts its notifications. Production posts them as events to a window; tests
// record them.
class IMessageSink {
public:
    virtual ~IMessageSink() = default;
    virtual void Post(uint32_t message) = 0;
};

// A posted message as a Qt event. Qt delivers posted events to one receiver in posting order.
class CPostedMessageEvent : public QEvent {
public:
    static QEvent::Type EventType();

    explicit CPostedMessageEvent(uint32_t message) : QEvent(EventType()), m_message(message) {}
    uint32_t Message() const { return m_message; }

private:
    uint32_t m_message;
};

// Posts each message as a CPostedMessageEvent to a receiving object (thread-safe, like
// PostMessage). Nothing is posted once the receiver is gone.
class CEventMessageSink : public IMessageSink {
public:
    explicit CEventMessageSink(QObject* receiver) : m_receiver(receiver) {}
    void Post(uint32_t message) override;

private:
    QPointer<QObject> m_receiver;
};
