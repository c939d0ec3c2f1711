// The NMEA framer and decoders fed in chunks whose sizes the first bytes choose: however the
// stream is cut, the parser must post what it posts when fed byte by byte, and its log must
// receive every byte. The C-string entry points then get the stream as one data string.

#include "fuzz/FuzzHarness.h"
#include "gps/NMEAParser.h"
#include "support/RecordingSink.h"

#include <memory>
#include <string>

namespace {

class CMemoryLog : public IRawDataSink {
public:
    explicit CMemoryLog(QByteArray& bytes) : m_bytes(bytes) {}
    void WriteChunk(const uint8_t* bytes, size_t count) override
    {
        m_bytes.append(reinterpret_cast<const char*>(bytes), static_cast<qsizetype>(count));
    }

private:
    QByteArray& m_bytes;
};

bool SameFix(const CNMEAParser& a, const CNMEAParser& b)
{
    return a.Gga().latitude == b.Gga().latitude && a.Gga().longitude == b.Gga().longitude &&
           a.Gga().altitude == b.Gga().altitude && a.Rmc().speed == b.Rmc().speed &&
           a.Gsv().satellitesInView == b.Gsv().satellitesInView &&
           a.Gsa().prnsInUse == b.Gsa().prnsInUse;
}

} // namespace

void FuzzNmeaStream(const uint8_t* data, size_t size)
{
    CFuzzInput input(data, size);
    const std::span<const uint8_t> chunkSizes = input.Bytes(input.Byte() % 8 + 1);
    const std::span<const uint8_t> stream = input.Rest();

    CRecordingSink chunkedMessages;
    CNMEAParser chunked(&chunkedMessages);
    QByteArray logged;
    chunked.SetRawDataSink(std::make_unique<CMemoryLog>(logged));
    size_t at = 0;
    for (size_t n = 0; at < stream.size(); ++n) {
        const size_t wanted = chunkSizes[n % chunkSizes.size()];
        if (wanted == 0)
            chunked.ProcessBytes(stream.data() + at, 0); // a zero-length call changes nothing
        const size_t chunk = std::min(std::max<size_t>(wanted, 1), stream.size() - at);
        chunked.ProcessBytes(stream.data() + at, chunk);
        at += chunk;
    }

    CRecordingSink singleMessages;
    CNMEAParser single(&singleMessages);
    for (const uint8_t byte : stream)
        single.ProcessByte(byte);

    FuzzCheck(chunkedMessages.messages == singleMessages.messages, "chunking changed the messages");
    FuzzCheck(chunked.GetSentenceCount() == single.GetSentenceCount(),
              "chunking changed the sentence count");
    FuzzCheck(chunked.GetFramerState() == single.GetFramerState(),
              "chunking changed the framer state");
    FuzzCheck(SameFix(chunked, single), "chunking changed the fix");
    FuzzCheck(logged == QByteArrayView(stream.data(), static_cast<qsizetype>(stream.size())),
              "the log did not receive exactly the bytes fed");
    FuzzCheck(chunked.GetLoggedBytes() == static_cast<uint32_t>(stream.size()),
              "the logged byte count is wrong");

    static const char* const kAddresses[] = {"GPGGA", "GPGSA", "GPGSV",
                                             "GPRMB", "GPRMC", "GPZDA"};
    const std::string text(reinterpret_cast<const char*>(stream.data()), stream.size());
    single.DispatchSentence(kAddresses[size % 6], text.c_str());
    char field[25];
    for (int index = 0; index < 24; ++index)
        CNMEAParser::GetField(text.c_str(), index, field, sizeof field);
}
