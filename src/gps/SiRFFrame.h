#pragma once

#include <QByteArray>

#include <cstdint>
#include <functional>

// SiRF binary protocol framing: A0 A2, payload length (16-bit big-endian), payload (first byte
// the message id), checksum (sum of the payload bytes AND 0x7FFF, big-endian), B0 B3.
inline constexpr int kSiRFMaxPayload = 1024;

// The whole frame around `payload`; empty when the payload is longer than 1024 bytes.
QByteArray BuildSiRFFrame(const uint8_t* payload, int length);
inline QByteArray BuildSiRFFrame(const QByteArray& payload)
{
    return BuildSiRFFrame(reinterpret_cast<const uint8_t*>(payload.constData()),
                          static_cast<int>(payload.size()));
}

// Finds frames in a byte stream, one byte at a time, and hands each intact payload on. Frames
// with a wrong checksum, start or end pair, or a length of 1024 or more are dropped silently.
class CSiRFFrameReader {
public:
    using PayloadHandler = std::function<void(const uint8_t* payload, int length)>;

    explicit CSiRFFrameReader(PayloadHandler handler) : m_handler(std::move(handler)) {}

    void ProcessByte(uint8_t byte);
    int ReceiveState() const { return m_state; }

private:
    PayloadHandler m_handler;
    int m_state = 0;
    uint16_t m_computedChecksum = 0;
    uint16_t m_receivedChecksum = 0;
    uint16_t m_length = 0;
    uint16_t m_index = 0;
    uint8_t m_payload[kSiRFMaxPayload] = {};
};
