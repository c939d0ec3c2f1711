// Sentences of every GNSS talker: one talker's fix per epoch, the satellites in use and in view
// of all constellations, and the trailing fields of NMEA 4.10 and 4.11.

#include "gps/NMEACommandSender.h"
#include "gps/NMEAParser.h"
#include "platform/Messages.h"
#include "support/RecordingSink.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <vector>

namespace {

class GnssTalkerTest : public ::testing::Test {
protected:
    void Send(const QByteArray& body)
    {
        const QByteArray sentence = CNMEACommandSender::BuildSentence(body);
        parser.ProcessBytes(reinterpret_cast<const uint8_t*>(sentence.constData()),
                            static_cast<size_t>(sentence.size()));
    }
    // 'd' when the sentence wrote the fix, 'c' when it was only counted, '-' for no decoder.
    char Outcome() const
    {
        const DispatchedSentence& last = parser.LastSentence();
        return last.type == SentenceType::None ? '-' : last.decoded ? 'd' : 'c';
    }
    // A GSA sentence of `talker` with `prns` in use and the DOPs and trailing fields `tail`.
    void SendGsa(const char* talker, std::initializer_list<int> prns,
                 const QByteArray& tail = "2.0,1.0,1.5")
    {
        QByteArray body = QByteArray(talker) + "GSA,A,3,";
        for (int i = 0; i < 12; ++i)
            body +=
                (i < int(prns.size()) ? QByteArray::number(prns.begin()[i]) : QByteArray()) + ',';
        Send(body + tail);
    }
    int SatellitesListed() const
    {
        int listed = 0;
        for (const SatelliteEntry& entry : parser.Gsv().satellites)
            listed += entry.nPRN != 0;
        return listed;
    }

    CRecordingSink sink;
    CNMEAParser parser{&sink};
};

TEST_F(GnssTalkerTest, EachFixTypeTakesAnEpochFromOneTalker)
{
    struct Case {
        const char* what;
        GnssTalkers talkers;
        std::vector<QByteArray> sentences;
        const char* outcomes;
    };
    const Case cases[] = {
        {"the combined talker takes over from its next epoch",
         GnssTalkers::All,
         {"GPGGA,120000", "GNGGA,120000", "GNGGA,120001", "GPGGA,120001"},
         "dcdc"},
        {"otherwise the first talker heard keeps the type",
         GnssTalkers::All,
         {"GPGGA,120000", "GLGGA,120000", "GPGGA,120001", "GLGGA,120001"},
         "dcdc"},
        {"a talker that misses an epoch hands it to the one that reports it",
         GnssTalkers::All,
         {"GNGGA,120000", "GLGGA,120001", "GNGGA,120002", "GPGGA,120002"},
         "dddc"},
        {"each type chooses its own talker",
         GnssTalkers::All,
         {"GPGGA,120000", "GNRMC,120000", "GPZDA,120000", "GNZDA,120000", "GPRMB,A", "GLRMB,A"},
         "dddcdc"},
        {"the GPS talker only, as it always was",
         GnssTalkers::GpOnly,
         {"GNGGA,120000", "GPGGA,120000", "GLGSV,1,1,01,65,10,20,30", "GNGSA,A,3,01"},
         "-d--"},
        {"other talkers and addresses call no decoder",
         GnssTalkers::All,
         {"GXGGA,120000", "PGRME,1", "GPGGAX,1", "GPGLL,1"},
         "----"},
    };
    for (const Case& c : cases) {
        parser.SetGnssTalkers(c.talkers);
        QByteArray outcomes;
        for (const QByteArray& sentence : c.sentences) {
            Send(sentence);
            outcomes += Outcome();
        }
        EXPECT_EQ(outcomes, QByteArray(c.outcomes)) << c.what;
    }
}

TEST_F(GnssTalkerTest, ARepeatedEpochIsCountedButLeavesTheFixAlone)
{
    Send("GPGGA,120000,4807.038,N,01131.000,E,1,08,0.9,100,M,46.9,M,,");
    Send("GLGGA,120000,4807.099,N,01131.000,E,1,02,0.9,500,M,46.9,M,,");
    Send("GPGGA,120010,4807.038,N,01131.000,E,1,08,0.9,110,M,46.9,M,,");
    EXPECT_EQ(parser.Gga().count, 3u);
    EXPECT_DOUBLE_EQ(parser.Gga().verticalSpeed, 60.0) << "10 m in 10 s, as if GL were not there";
    EXPECT_NEAR(parser.Gga().latitude, 48.1173, 1e-9);
    EXPECT_EQ(sink.messages, (QList<uint32_t>{WM_GPS_GGA, WM_GPS_UPDATE, WM_GPS_UPDATE, WM_GPS_GGA,
                                              WM_GPS_UPDATE}));
}

TEST_F(GnssTalkerTest, TheGsaSentencesOfAnEpochUniteTheirSatellites)
{
    SendGsa("GN", {1, 2});
    SendGsa("GN", {65, 66}, "1.9,0.9,1.4");
    EXPECT_EQ(parser.Gsa().inUseCount, 4);
    EXPECT_EQ(parser.IsPrnInUse(2), 1);
    EXPECT_EQ(parser.IsPrnInUse(66), 1);
    EXPECT_TRUE(IsSatelliteInUse(parser.Gsa(), Constellation::GLONASS, 65));
    EXPECT_DOUBLE_EQ(parser.Gsa().pdop, 1.9) << "the DOPs of the epoch's last GSA";

    Send("GNGGA,120001");
    SendGsa("GN", {3});
    EXPECT_EQ(parser.IsPrnInUse(65), 0) << "another sentence began a new epoch";
    SendGsa("GN", {4});
    EXPECT_EQ(parser.IsPrnInUse(3), 0) << "the same constellation again replaces it";

    // NMEA 4.10 names the system, so Galileo's 07 is not GPS's 07; a TDOP there names none.
    Send("GNGGA,120002");
    SendGsa("GN", {7}, "1.0,0.6,0.8,1");
    SendGsa("GN", {7, 12}, "1.0,0.6,0.8,3");
    EXPECT_TRUE(IsSatelliteInUse(parser.Gsa(), Constellation::Galileo, 12));
    EXPECT_TRUE(IsSatelliteInUse(parser.Gsa(), Constellation::GPS, 7));
    EXPECT_FALSE(IsSatelliteInUse(parser.Gsa(), Constellation::GPS, 12));
    Send("GNGGA,120003");
    SendGsa("GP", {25}, "5.1,1.3,4.9,3.3");
    SendGsa("BD", {25}, "5.1,1.3,4.9,3.3");
    EXPECT_TRUE(IsSatelliteInUse(parser.Gsa(), Constellation::GPS, 25));
    EXPECT_TRUE(IsSatelliteInUse(parser.Gsa(), Constellation::BeiDou, 25));
}

TEST_F(GnssTalkerTest, EveryConstellationsSatellitesShareTheTable)
{
    SendGsa("GN", {1, 66});
    Send("GPGSV,3,1,11,01,40,083,46,02,17,308,41,03,07,344,39,04,66,083,48");
    Send("GPGSV,3,2,11,05,40,083,46,06,17,308,41,07,07,344,39,08,66,083,48");
    Send("GPGSV,3,3,11,09,40,083,46,10,17,308,,11,07,344,39");
    Send("GLGSV,2,1,06,65,40,083,46,66,17,308,41,67,07,344,39,68,66,083,48");
    Send("GLGSV,2,2,06,69,40,083,46,70,17,308,41");
    const GsvState& gsv = parser.Gsv();
    EXPECT_EQ(gsv.satellitesInView, 17);
    EXPECT_EQ(SatellitesListed(), 17);
    EXPECT_EQ(gsv.satellites[0].constellation, Constellation::GPS);
    EXPECT_EQ(gsv.satellites[0].bUsed, 1u);
    EXPECT_EQ(gsv.satellites[12].nPRN, 65) << "GLONASS after the GPS messages' 12 entries";
    EXPECT_EQ(gsv.satellites[12].constellation, Constellation::GLONASS);
    EXPECT_EQ(gsv.satellites[13].bUsed, 1u);

    // A shorter GPS sequence replaces GPS's entries; GLONASS's stay, moved up to follow them
    // without a gap.
    Send("GPGSV,2,1,05,01,40,083,46,02,17,308,41,03,07,344,39,04,66,083,48");
    Send("GPGSV,2,2,05,05,40,083,46");
    EXPECT_EQ(gsv.satellitesInView, 11);
    EXPECT_EQ(SatellitesListed(), 11);
    EXPECT_EQ(gsv.satellites[5].nPRN, 65);
    EXPECT_EQ(gsv.satellites[10].nPRN, 70) << "the first entries in view are the satellites";
}

TEST_F(GnssTalkerTest, SignalsOfOneSatelliteMakeOneEntryWithTheBestSnr)
{
    Send("GPGSV,1,1,02,01,40,083,44,02,17,308,,1");
    Send("GPGSV,1,1,03,01,40,083,30,02,17,308,25,03,07,344,20,6");
    const GsvState& gsv = parser.Gsv();
    EXPECT_EQ(gsv.satellites[0].nSNR, 44);
    EXPECT_EQ(gsv.satellites[1].nSNR, 25);
    EXPECT_EQ(gsv.satellites[4].nPRN, 3) << "a satellite only the second signal reports";
    EXPECT_EQ(gsv.satellitesInView, 3);
    EXPECT_EQ(parser.LastGsvSlots(), (std::array<int8_t, 4>{0, 1, 4, -1}));

    Send("GLGSV,1,1,01,65,40,083,30,1");
    Send("GPGSV,1,1,02,01,40,083,31,02,17,308,12,1");
    EXPECT_EQ(gsv.satellites[0].nSNR, 31) << "the next cycle starts afresh";
    EXPECT_EQ(SatellitesListed(), 3);

    // A short last message of NMEA 4.11 ends with the signal ID, not another satellite.
    Send("GAGSV,1,1,01,33,62,034,08,7");
    EXPECT_EQ(SatellitesListed(), 4);
    EXPECT_EQ(gsv.satellitesInView, 4) << "GPS's 2, GLONASS's 1 and Galileo's 1";
}

TEST_F(GnssTalkerTest, AFullTableDropsWhatDoesNotFit)
{
    for (const char* talker : {"GP", "GL", "GA"})
        for (int message = 1; message <= 8; ++message)
            Send(QByteArray(talker) + "GSV,8," + QByteArray::number(message) +
                 ",32,11,1,1,1,12,1,1,1,13,1,1,1,14,1,1,1");
    EXPECT_EQ(parser.Gsv().satellitesInView, 96);
    EXPECT_EQ(SatellitesListed(), CSatelliteTable::kSize);
    EXPECT_EQ(parser.LastGsvSlots(), (std::array<int8_t, 4>{-1, -1, -1, -1}));
}

TEST_F(GnssTalkerTest, TrailingFieldsOfNmea4LeaveTheKnownFieldsAlone)
{
    const std::pair<QByteArray, QByteArray> pairs[] = {
        {"GNRMC,003956.00,A,4552.65403,S,17030.00668,E,0.025,,120419,,,A",
         "GNRMC,003956.00,A,4552.65403,S,17030.00668,E,0.025,,120419,,,A,V"},
        {"GNGSA,A,3,13,16,21,,,,,,,,,,1.05,0.64,0.83",
         "GNGSA,A,3,13,16,21,,,,,,,,,,1.05,0.64,0.83,1"},
        {"GPGSV,1,1,04,05,06,110,19,10,24,284,34,13,37,124,29,15,63,083,11",
         "GPGSV,1,1,04,05,06,110,19,10,24,284,34,13,37,124,29,15,63,083,11,1"},
    };
    for (const auto& [older, newer] : pairs) {
        CNMEAParser before;
        CNMEAParser after;
        for (auto [p, body] : {std::pair{&before, older}, std::pair{&after, newer}}) {
            const QByteArray sentence = CNMEACommandSender::BuildSentence(body);
            p->ProcessBytes(reinterpret_cast<const uint8_t*>(sentence.constData()),
                            static_cast<size_t>(sentence.size()));
        }
        EXPECT_EQ(after.Rmc().latitude, before.Rmc().latitude) << newer.constData();
        EXPECT_EQ(after.Rmc().year, before.Rmc().year) << newer.constData();
        EXPECT_EQ(after.Gsa().prnsInUse, before.Gsa().prnsInUse) << newer.constData();
        EXPECT_EQ(after.Gsa().vdop, before.Gsa().vdop) << newer.constData();
        for (int i = 0; i < 4; ++i)
            EXPECT_EQ(after.Gsv().satellites[i].nSNR, before.Gsv().satellites[i].nSNR)
                << newer.constData();
    }
}

} // namespace
