#include "platform/MessageSink.h"

#include <QCoreApplication>

QEvent::Type CPostedMessageEvent::EventType()
{
    static const auto type = static_cast<QEvent::Type>(QEvent::registerEventType());
    return type;
}

void CEventMessageSink::Post(uint32_t message)
{
    if (QObject* receiver = m_receiver.data())
        QCoreApplication::postEvent(receiver, new CPostedMessageEvent(message));
}
