#pragma once

#include "platform/MessageSink.h"

#include <QByteArray>

#include <cstdint>

class CNMEAParser;

// Prints one JSON line per dispatched sentence with the fix-state fields its decoder wrote, or
// "ignored" when it wrote none (an invalid GSV, another talker's report of a decoded epoch).
// Install it as the parser's message sink; it reacts to WM_GPS_UPDATE, which follows every
// sentence while the sentence is still in the parser's buffers.
class CDecodePrinter : public IMessageSink {
public:
    explicit CDecodePrinter(const CNMEAParser& parser);
    void Post(uint32_t message) override;

    // The line for the sentence being dispatched right now.
    QByteArray CurrentLine();
    // The closing {"summary": ...} line.
    QByteArray SummaryLine() const;

private:
    const CNMEAParser& m_parser;
};
