// The sentence framer: checksums, limits, delimiters and the order of the notifications.

#include "gps/NMEACommandSender.h"
#include "gps/NMEAParser.h"
#include "platform/Messages.h"
#include "support/RecordingSink.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string WithChecksum(const std::string& body)
{
    return CNMEACommandSender::BuildSentence(QByteArray::fromStdString(body)).toStdString();
}

class FramerTest : public ::testing::Test {
protected:
    CRecordingSink sink;
    CNMEAParser parser{&sink};

    void Feed(const std::string& bytes)
    {
        parser.ProcessBytes(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
    }
};

const std::string kGga = "GPGGA,123519,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,";

TEST_F(FramerTest, ValidSentenceIsDispatchedOnceWithDecoderMessageFirst)
{
    Feed(WithChecksum(kGga));
    EXPECT_EQ(parser.GetSentenceCount(), 1u);
    EXPECT_EQ(sink.messages, (QList<uint32_t>{WM_GPS_GGA, WM_GPS_UPDATE}));
    EXPECT_EQ(parser.GetFramerState(), CNMEAParser::Idle);
}

TEST_F(FramerTest, WrongChecksumIsDroppedSilently)
{
    std::string sentence = WithChecksum(kGga);
    sentence[sentence.size() - 3] = sentence[sentence.size() - 3] == '0' ? '1' : '0';
    Feed(sentence);
    EXPECT_EQ(parser.GetSentenceCount(), 0u);
    EXPECT_TRUE(sink.messages.isEmpty());
    EXPECT_EQ(parser.Gga().count, 0u);
    EXPECT_EQ(parser.Gga().latitude, 0.0) << "a rejected sentence must not touch the fix";
}

TEST_F(FramerTest, CarriageReturnWithoutChecksumIsAccepted)
{
    Feed("$GPRMC,225446,A,4916.45,N,12311.12,W,000.5,054.7,191194,020.3,E\r\n");
    EXPECT_EQ(parser.GetSentenceCount(), 1u);
    EXPECT_EQ(sink.messages, (QList<uint32_t>{WM_GPS_RMC, WM_GPS_UPDATE}));
    EXPECT_NEAR(parser.Rmc().longitude, -(123 + 11.12 / 60), 1e-12);
}

TEST_F(FramerTest, ChecksumDigitDecoding)
{
    // Find a body whose XOR is 0xA3 by appending one character.
    std::string body = "GPXYZ,";
    unsigned x = 0;
    for (char c : body)
        x ^= static_cast<unsigned char>(c);
    body += static_cast<char>(x ^ 0xA3);
    ASSERT_GE(static_cast<unsigned char>(body.back()), 0x20u);

    Feed("$" + body + "*A3\r\n");
    EXPECT_EQ(parser.GetSentenceCount(), 1u) << "upper-case A then 3";
    Feed("$" + body + "*a3\r\n");
    EXPECT_EQ(parser.GetSentenceCount(), 2u) << "lower-case first digit decodes too";
    Feed("$" + body + "*3a\r\n");
    EXPECT_EQ(parser.GetSentenceCount(), 2u) << "lower-case second digit fails";
}

TEST_F(FramerTest, AddressLengthLimit)
{
    Feed(WithChecksum("ABCDEFG,1"));
    EXPECT_EQ(parser.GetSentenceCount(), 1u) << "seven characters fit";
    Feed(WithChecksum("ABCDEFGH,1"));
    EXPECT_EQ(parser.GetSentenceCount(), 1u) << "the eighth drops the sentence";
    Feed(WithChecksum("GPXYZ,1"));
    EXPECT_EQ(parser.GetSentenceCount(), 2u) << "framing resumes at the next $";
}

TEST_F(FramerTest, DataLengthLimit)
{
    Feed(WithChecksum("GPXYZ," + std::string(255, 'x')));
    EXPECT_EQ(parser.GetSentenceCount(), 1u);
    Feed(WithChecksum("GPXYZ," + std::string(256, 'x')));
    EXPECT_EQ(parser.GetSentenceCount(), 1u);
}

TEST_F(FramerTest, UnknownAddressCountsButDecodesNothing)
{
    Feed(WithChecksum("GPXYZ,1,2,3") + WithChecksum("GXGGA,1,2") + WithChecksum("PGRME,1"));
    EXPECT_EQ(parser.GetSentenceCount(), 3u);
    EXPECT_EQ(sink.messages, (QList<uint32_t>{WM_GPS_UPDATE, WM_GPS_UPDATE, WM_GPS_UPDATE}));
    EXPECT_EQ(parser.Gga().count, 0u);
}

TEST_F(FramerTest, AsteriskRightAfterAddressIsDataUntilCarriageReturn)
{
    Feed("$GPGGA*12\r\n");
    EXPECT_EQ(parser.GetSentenceCount(), 1u);
    EXPECT_EQ(parser.Gga().count, 1u);
    EXPECT_EQ(parser.Gga().hour, 12) << "the digits were taken as the time field";
}

TEST_F(FramerTest, DollarInsidePendingSentenceDoesNotRestartFraming)
{
    Feed("$GPGGA,030130$GPGLL,3,4*00\r\n");
    EXPECT_EQ(parser.GetSentenceCount(), 0u);
}

TEST_F(FramerTest, InvalidFramerStateResetsToIdle)
{
    // Drive every state and check that noise between sentences is harmless.
    Feed("\r\n\n garbage *12 \x01\xff");
    Feed(WithChecksum(kGga));
    EXPECT_EQ(parser.GetSentenceCount(), 1u);
}

class CountingSink : public IRawDataSink {
public:
    explicit CountingSink(std::string* out) : m_out(out) {}
    void WriteChunk(const uint8_t* bytes, size_t count) override
    {
        m_out->append(reinterpret_cast<const char*>(bytes), count);
        ++writes;
    }
    int writes = 0;

private:
    std::string* m_out;
};

TEST_F(FramerTest, RawSinkGetsEveryByteIncludingRejectedOnes)
{
    std::string logged;
    auto sinkObject = std::make_unique<CountingSink>(&logged);
    CountingSink* raw = sinkObject.get();
    ASSERT_EQ(parser.SetRawDataSink(std::move(sinkObject)), 1);
    EXPECT_EQ(parser.SetRawDataSink(std::make_unique<CountingSink>(&logged)), 0)
        << "only one sink at a time";

    const std::string bad = "noise$GPGGA,1*00\r\n";
    Feed(bad);
    Feed(WithChecksum(kGga));
    parser.ProcessBytes(nullptr, 0);
    EXPECT_EQ(logged, bad + WithChecksum(kGga));
    EXPECT_EQ(parser.GetLoggedBytes(), logged.size());
    EXPECT_EQ(raw->writes, 3) << "one write per chunk, the empty one too";
    EXPECT_EQ(parser.ClearRawDataSink(), 1);
    EXPECT_EQ(parser.ClearRawDataSink(), 0);
}

TEST_F(FramerTest, ResetFixStateKeepsFramerAndCounters)
{
    Feed(WithChecksum(kGga));
    Feed("$GPRMC,1234"); // pending
    parser.ResetFixState();
    EXPECT_EQ(parser.Gga().count, 0u);
    EXPECT_EQ(parser.Gga().latitude, 0.0);
    EXPECT_EQ(parser.GetSentenceCount(), 1u);
    EXPECT_EQ(parser.GetFramerState(), CNMEAParser::Data);
    Feed("56,A\r\n");
    EXPECT_EQ(parser.Rmc().minute, 34);
}

} // namespace
