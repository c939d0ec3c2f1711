#pragma once

#include "platform/MessageSink.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <cstdint>
#include <functional>
#include <memory>

class CNMEAParser;
class CReceiverSimulator;

// Runs the event loop (so handed-over chunks reach the parser) until `done` holds or
// `timeoutMs` has passed; returns whether it held.
bool WaitUntil(const std::function<bool()>& done, int timeoutMs = 3000);
// Runs the event loop for `ms` milliseconds.
void RunEventsFor(int ms);

// "$body*hh\r\n".
QByteArray Sentence(const QByteArray& body);
// `seconds` one-second epochs of GGA, GSA, a one-message GSV group and RMC (GSA and GSV left
// out when `allTypes` is false), starting at 12:00:00.
QByteArray SyntheticEpochs(int seconds, bool allTypes = true);

// A receiver on a pseudo-terminal of its own, looping a minute of SyntheticEpochs at `baud` (0:
// any line speed), answering SiRF commands when `sirf`; null when no pseudo-terminal was made.
std::unique_ptr<CReceiverSimulator> StartLoopingReceiver(uint32_t baud = 0, bool allTypes = true,
                                                         bool sirf = false);

// Records every message posted.
class CRecordingSink : public IMessageSink {
public:
    void Post(uint32_t message) override { messages.append(message); }
    QList<uint32_t> messages;
};

// Records each sentence the parser dispatches ("ADDRESS,data") and every message in order.
class CSentenceRecorder : public IMessageSink {
public:
    explicit CSentenceRecorder(const CNMEAParser& parser) : m_parser(parser) {}
    void Post(uint32_t message) override;
    QList<QByteArray> sentences;
    QList<uint32_t> messages;

private:
    const CNMEAParser& m_parser;
};

// Descriptors and threads of this process, from /proc/self.
int OpenDescriptorCount();
int ThreadCount();
