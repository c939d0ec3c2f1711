#include "gps/SiRFFrame.h"

QByteArray BuildSiRFFrame(const uint8_t* payload, int length)
{
    if (length < 0 || length > kSiRFMaxPayload)
        return {};
    uint16_t checksum = 0;
    for (int i = 0; i < length; ++i)
        checksum = static_cast<uint16_t>(checksum + payload[i]);
    checksum &= 0x7FFF;
    QByteArray frame;
    frame.reserve(length + 8);
    frame.append(char(0xA0)).append(char(0xA2));
    frame.append(char(length >> 8)).append(char(length & 0xFF));
    frame.append(reinterpret_cast<const char*>(payload), length);
    frame.append(char(checksum >> 8)).append(char(checksum & 0xFF));
    frame.append(char(0xB0)).append(char(0xB3));
    return frame;
}

void CSiRFFrameReader::ProcessByte(uint8_t byte)
{
    switch (m_state) {
    case 0:
        if (byte == 0xA0)
            m_state = 1;
        return;
    case 1:
        m_state = byte == 0xA2 ? 2 : 0;
        m_length = 0;
        return;
    case 2:
        m_length = static_cast<uint16_t>(byte << 8);
        m_state = 3;
        return;
    case 3:
        m_length = static_cast<uint16_t>(m_length | byte);
        if (m_length < kSiRFMaxPayload) {
            m_computedChecksum = 0;
            m_index = 0;
            m_state = 4;
        } else {
            m_state = 0;
        }
        return;
    case 4:
        m_payload[m_index++] = byte;
        m_computedChecksum = static_cast<uint16_t>(m_computedChecksum + byte);
        if (m_index >= m_length)
            m_state = 5;
        if (m_index >= kSiRFMaxPayload)
            m_state = 0;
        return;
    case 5:
        m_receivedChecksum = static_cast<uint16_t>(byte << 8);
        m_state = 6;
        return;
    case 6:
        m_receivedChecksum = static_cast<uint16_t>(m_receivedChecksum | byte);
        m_computedChecksum &= 0x7FFF;
        m_state = m_computedChecksum == m_receivedChecksum ? 7 : 0;
        return;
    case 7:
        m_state = byte == 0xB0 ? 8 : 0;
        return;
    case 8:
        m_state = 0;
        if (byte == 0xB3)
            m_handler(m_payload, m_length);
        return;
    default:
        m_state = 0;
        return;
    }
}
