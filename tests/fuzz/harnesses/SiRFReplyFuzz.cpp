// SiRF binary replies as a receiver might send them, read in the sizes the first bytes choose.

#include "fuzz/FuzzHarness.h"
#include "gps/SiRFBinary.h"

#include <cstring>

namespace {

class CScriptedReceiver : public CSiRFBinary {
public:
    CScriptedReceiver(std::span<const uint8_t> replies, std::span<const uint8_t> readSizes)
        : CSiRFBinary(nullptr), m_replies(replies), m_readSizes(readSizes)
    {}

    bool Done() const { return m_at == m_replies.size(); }

protected:
    int WriteBytes(const uint8_t*, int count) override { return count; }
    int ReadBytes(uint8_t* buffer, int maxBytes) override
    {
        const size_t wanted = m_readSizes.empty() ? m_replies.size()
                                                  : m_readSizes[m_reads++ % m_readSizes.size()];
        const size_t count = std::min({wanted + 1, static_cast<size_t>(maxBytes),
                                       m_replies.size() - m_at});
        std::memcpy(buffer, m_replies.data() + m_at, count);
        m_at += count;
        return static_cast<int>(count);
    }
    void WaitForBytes(int) override {}

private:
    std::span<const uint8_t> m_replies;
    std::span<const uint8_t> m_readSizes;
    size_t m_at = 0;
    size_t m_reads = 0;
};

} // namespace

void FuzzSiRFReply(const uint8_t* data, size_t size)
{
    CFuzzInput input(data, size);
    const std::span<const uint8_t> readSizes = input.Bytes(input.Byte() % 4);
    CScriptedReceiver receiver(input.Rest(), readSizes);
    receiver.SendPollSoftwareVersion();
    while (!receiver.Done())
        receiver.PumpBinary();
    FuzzCheck(std::strlen(receiver.VersionText()) <= CSiRFBinary::kVersionChars,
              "the version text outgrew its buffer");
}
