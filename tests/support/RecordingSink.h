#pragma once

#include "platform/MessageSink.h"

#include <QList>

#include <functional>

// Records every posted message in order; optionally calls back on each (synchronously, as a
// queue would deliver it later).
class CRecordingSink : public IMessageSink {
public:
    void Post(uint32_t message) override
    {
        messages.append(message);
        if (onPost)
            onPost(message);
    }

    QList<uint32_t> messages;
    std::function<void(uint32_t)> onPost;
};
