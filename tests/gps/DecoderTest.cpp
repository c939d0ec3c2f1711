// The six sentence decoders and the field helpers they share.

#include "gps/NMEAParser.h"
#include "gps/NmeaFields.h"
#include "platform/Messages.h"
#include "support/RecordingSink.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <string>

namespace {

class DecoderTest : public ::testing::Test {
protected:
    CRecordingSink sink;
    CNMEAParser parser{&sink};
};

TEST(FieldTest, PresenceEmptinessAndCutting)
{
    char out[25];
    EXPECT_EQ(CNMEAParser::GetField("a,bc,,d", 1, out, 25), 1);
    EXPECT_STREQ(out, "bc");
    EXPECT_EQ(CNMEAParser::GetField("a,bc,,d", 2, out, 25), 0);
    EXPECT_STREQ(out, "");
    EXPECT_EQ(CNMEAParser::GetField("a,bc,", 2, out, 25), 0) << "trailing empty field is absent";
    EXPECT_EQ(CNMEAParser::GetField("a,bc", 5, out, 25), 0);
    EXPECT_EQ(CNMEAParser::GetField("a,*b", 1, out, 25), 0) << "a field starting with * is empty";
    EXPECT_EQ(CNMEAParser::GetField("a,b*c,d", 1, out, 25), 1);
    EXPECT_STREQ(out, "b");
    const std::string longField = "x," + std::string(30, '7');
    EXPECT_EQ(CNMEAParser::GetField(longField.c_str(), 1, out, 25), 1);
    EXPECT_EQ(std::strlen(out), 24u) << "fields are cut to 24 characters";
    EXPECT_EQ(CNMEAParser::GetField(nullptr, 0, out, 25), 0);
    EXPECT_EQ(CNMEAParser::GetField("a", 0, out, 0), 0);
}

// The one-pass field index must answer exactly as a walk over the commas from the start would.
int WalkingGetField(const char* data, int index, char* out, int size)
{
    const char* p = data;
    for (int commas = 0; commas < index; ++p) {
        if (*p == '\0') {
            out[0] = '\0';
            return 0;
        }
        if (*p == ',')
            ++commas;
    }
    if (*p == '\0' || *p == ',' || *p == '*') {
        out[0] = '\0';
        return 0;
    }
    int n = 0;
    while (n < size - 1 && p[n] && p[n] != ',' && p[n] != '*') {
        out[n] = p[n];
        ++n;
    }
    out[n] = '\0';
    return 1;
}

TEST(FieldTest, OnePassIndexAgreesWithWalkingOnRandomData)
{
    std::mt19937 random(42);
    const char alphabet[] = ",,,,**0123456789.-ABNSEW ";
    for (int round = 0; round < 3000; ++round) {
        std::string data(random() % 256, ' ');
        for (char& c : data)
            c = alphabet[random() % (sizeof alphabet - 1)];
        for (int index = 0; index < 40; ++index) {
            char expected[25];
            char actual[25];
            const int size = 1 + static_cast<int>(random() % 25);
            ASSERT_EQ(CNMEAParser::GetField(data.c_str(), index, actual, size),
                      WalkingGetField(data.c_str(), index, expected, size))
                << data << " field " << index;
            ASSERT_STREQ(actual, expected);
        }
    }
}

// The C-string entry points take data of any length; what the framer would drop (over 255
// characters) they refuse, however far its commas lie (16-bit offsets wrapped past 65,535).
TEST_F(DecoderTest, DataLongerThanTheFramerTakesIsRefusedAtEveryEntry)
{
    const std::string wrapping = std::string(65540, '1') + ",4916.45,N,12311.12,W,1,08";
    const std::string justOver = "x," + std::string(254, '2');
    char out[25] = "unchanged";
    for (const std::string& data : {wrapping, justOver}) {
        SCOPED_TRACE(data.size());
        for (int index = 0; index < 8; ++index) {
            EXPECT_EQ(CNMEAParser::GetField(data.c_str(), index, out, 25), 0);
            EXPECT_STREQ(out, "");
        }
        for (const char* address : {"GPGGA", "GPGSA", "GPGSV", "GPRMB", "GPRMC", "GPZDA"})
            parser.DispatchSentence(address, data.c_str());
        parser.DecodeGGA(data.c_str());
        parser.DecodeGSA(data.c_str());
        parser.DecodeGSV(data.c_str());
        parser.DecodeRMB(data.c_str());
        parser.DecodeRMC(data.c_str());
        parser.DecodeZDA(data.c_str());
    }
    EXPECT_EQ(parser.GetSentenceCount(), 0u);
    EXPECT_TRUE(sink.messages.isEmpty());
    EXPECT_EQ(parser.Gga().count + parser.Gsa().count + parser.Rmb().count + parser.Rmc().count +
                  parser.Zda().count,
              0u);

    const std::string longest = "x," + std::string(253, '2'); // 255 characters: still taken
    EXPECT_EQ(CNMEAParser::GetField(longest.c_str(), 1, out, 25), 1);
    parser.DispatchSentence("GPGGA", longest.c_str());
    EXPECT_EQ(parser.GetSentenceCount(), 1u);
}

TEST(NumberTest, DecimalsCarryTheSignIntoTheFraction)
{
    EXPECT_DOUBLE_EQ(CNMEAParser::ParseDecimal("-12.3"), -12.3);
    EXPECT_DOUBLE_EQ(CNMEAParser::ParseDecimal("-0.5"), -0.5);
    EXPECT_DOUBLE_EQ(CNMEAParser::ParseDecimal("  7.25"), 7.25);
    EXPECT_DOUBLE_EQ(CNMEAParser::ParseDecimal("02.31"), 2.31);
    EXPECT_DOUBLE_EQ(CNMEAParser::ParseDecimal("12a"), 12.0);
    EXPECT_DOUBLE_EQ(CNMEAParser::ParseDecimal(".5"), 0.5);
    EXPECT_DOUBLE_EQ(CNMEAParser::ParseDecimal(""), 0.0);
    EXPECT_DOUBLE_EQ(CNMEAParser::ParseDecimal("99999999999999.5"), 2147483647.5)
        << "an integer part too large for 32 bits saturates instead of overflowing";
    EXPECT_EQ(IntegerValue("+00"), 0);
    EXPECT_EQ(IntegerValue("-05"), -5);
    EXPECT_EQ(TwoCharacterNumber("1", 2), 0);
}

TEST_F(DecoderTest, GgaPositionAltitudeAndVerticalSpeed)
{
    parser.DecodeGGA("120000.50,4807.038,N,01131.000,W,1,08,0.9,90,M,46.9,M,,");
    EXPECT_EQ(parser.Gga().hour, 12);
    EXPECT_DOUBLE_EQ(parser.Gga().seconds, 0.5);
    EXPECT_NEAR(parser.Gga().latitude, 48.1173, 1e-12);
    EXPECT_NEAR(parser.Gga().longitude, -11.516666666666667, 1e-12);
    EXPECT_EQ(parser.Gga().quality, 1);
    EXPECT_EQ(parser.Gga().satellitesUsed, 8);
    parser.DecodeGGA("120010,,,,,1,08,0.9,100,M,46.9,M,,");
    EXPECT_DOUBLE_EQ(parser.Gga().verticalSpeed, 60.0);
    EXPECT_NEAR(parser.Gga().latitude, 48.1173, 1e-12) << "empty position keeps the old one";
    parser.DecodeGGA("120010,,,,,1,08,0.9,130,M,46.9,M,,");
    EXPECT_DOUBLE_EQ(parser.Gga().verticalSpeed, 60.0) << "same second: unchanged";
    parser.DecodeGGA("120020,,,,,1,08,0.9,-12.3,M,46.9,M,,");
    EXPECT_DOUBLE_EQ(parser.Gga().altitude, -12.3);
    EXPECT_EQ(parser.Gga().count, 4u);
    EXPECT_EQ(sink.messages.count(WM_GPS_GGA), 4);
}

TEST_F(DecoderTest, GsaPrnsIncludingSbasNumbers)
{
    parser.DecodeGSA("A,3,04,120,,,,,,,,,,,2.5,1.3,2.1");
    EXPECT_EQ(parser.Gsa().mode, 'A');
    EXPECT_EQ(parser.Gsa().fixType, 3);
    EXPECT_EQ(parser.Gsa().prnsInUse[0], 4);
    EXPECT_EQ(parser.Gsa().prnsInUse[1], 120) << "an SBAS PRN keeps all its digits";
    EXPECT_EQ(parser.IsPrnInUse(12), 0) << "and does not mark GPS satellite 12 as used";
    EXPECT_EQ(parser.IsPrnInUse(120), 1);
    EXPECT_EQ(parser.IsPrnInUse(0), 0);
    EXPECT_DOUBLE_EQ(parser.Gsa().vdop, 2.1);
    parser.DecodeGSA("A,1,,,,"); // a short GSA from a receiver without a fix
    EXPECT_EQ(parser.Gsa().fixType, 1);
    EXPECT_EQ(parser.Gsa().prnsInUse[0], 0);
    EXPECT_EQ(parser.Gsa().pdop, 0.0);
}

TEST_F(DecoderTest, GsvGroupFillsEntriesAndPostsAfterTheLast)
{
    parser.DecodeGSA("A,3,10,,,,,,,,,,,,2.5,1.3,2.1");
    sink.messages.clear();
    parser.DecodeGSV("3,1,11,01,40,083,46,02,17,308,41,03,07,344,39,04,66,083,48");
    parser.DecodeGSV("3,2,11,05,40,083,46,06,17,308,41,07,07,344,39,08,66,083,48");
    EXPECT_TRUE(sink.messages.isEmpty());
    parser.DecodeGSV("3,3,11,09,40,083,46,10,17,308,,11,07,344,39");
    EXPECT_EQ(sink.messages, QList<uint32_t>{WM_GPS_GSV});
    EXPECT_EQ(parser.Gsv().satellitesInView, 11);
    EXPECT_EQ(parser.Gsv().satellites[8].nPRN, 9);
    EXPECT_EQ(parser.Gsv().satellites[9].nSNR, 0) << "untracked";
    EXPECT_EQ(parser.Gsv().satellites[9].bUsed, 1u);
    EXPECT_EQ(parser.Gsv().satellites[11].nPRN, 0) << "missing fourth satellite";
    EXPECT_EQ(parser.Gsv().count, 3u);
}

TEST_F(DecoderTest, GsvOutOfRangeHeaderChangesNothing)
{
    for (const char* bad : {"9,1,11,01,40,083,46", "0,1,11,01,40,083,46", "3,,11,01,40,083,46",
                            "3,10,11,01,40,083,46", ",1,11,01,40,083,46"}) {
        parser.DecodeGSV(bad);
        EXPECT_EQ(parser.Gsv().count, 0u) << bad;
        EXPECT_EQ(parser.Gsv().satellitesInView, 0) << bad;
    }
    EXPECT_TRUE(sink.messages.isEmpty());
    parser.DecodeGSV("3,3,9,123,0,0,0"); // three-digit PRN without padding
    EXPECT_EQ(parser.Gsv().satellites[8].nPRN, 123);
}

TEST_F(DecoderTest, RmbDefaultsForEmptyFields)
{
    parser.DecodeRMB("A,0.66,L,003,004,4917.24,N,12309.57,W,001.3,052.5,000.5,V");
    EXPECT_EQ(parser.Rmb().steer, 'L');
    EXPECT_STREQ(parser.Rmb().destinationId, "004");
    EXPECT_NEAR(parser.Rmb().destinationLongitude, -(123 + 9.57 / 60), 1e-12);
    EXPECT_DOUBLE_EQ(parser.Rmb().range, 1.3);
    parser.DecodeRMB("A,,,,,,,,,,,,");
    EXPECT_EQ(parser.Rmb().range, 0.0);
    EXPECT_EQ(parser.Rmb().steer, '?');
    EXPECT_EQ(parser.Rmb().arrival, 'V');
    EXPECT_STREQ(parser.Rmb().destinationId, "");
    EXPECT_NEAR(parser.Rmb().destinationLatitude, 49 + 17.24 / 60, 1e-12) << "position kept";
    parser.DecodeRMB("A,0,R,ABCDEFGHIJKLMNOPQRSTUVWXYZ,x");
    EXPECT_STREQ(parser.Rmb().originId, "ABCDEFGHIJKLMNOPQRSTUVWX");
    EXPECT_EQ(parser.Rmb().count, 3u);
}

TEST_F(DecoderTest, RmcDateMagneticVariationAndAcceleration)
{
    parser.DecodeRMC("120001,A,4916.45,N,12311.12,W,10.0,054.7,230394,020.3,W");
    EXPECT_EQ(parser.Rmc().day, 23);
    EXPECT_EQ(parser.Rmc().month, 3);
    EXPECT_EQ(parser.Rmc().year, 2094) << "years are always 2000 + yy";
    EXPECT_DOUBLE_EQ(parser.Rmc().magneticVariation, -20.3);
    EXPECT_NEAR(parser.Rmc().acceleration, 10.0 * 0.277777777778, 1e-12);
    parser.DecodeRMC("120003,A,4916.45,N,12311.12,W,20.0,054.7,230394,,");
    EXPECT_NEAR(parser.Rmc().acceleration, (20.0 * 0.277777777778 - 10.0 * 0.277777777778) / 2,
                1e-12);
    EXPECT_EQ(parser.Rmc().magneticVariation, 0.0);
    parser.DecodeRMC("120003,V,,,,,,,,,");
    EXPECT_EQ(parser.Rmc().status, 'V');
    EXPECT_EQ(parser.Rmc().speed, 0.0);
    EXPECT_NEAR(parser.Rmc().acceleration, 1.3888888889, 1e-9) << "same second: unchanged";
}

TEST_F(DecoderTest, ZdaEmptyFieldsTakeTheirFallbacks)
{
    parser.DecodeZDA("201530.00,04,07,2002,-05,30");
    EXPECT_EQ(parser.Zda().year, 2002);
    EXPECT_EQ(parser.Zda().zoneHours, -5);
    EXPECT_EQ(parser.Zda().zoneMinutes, 30);
    parser.DecodeZDA("201531.00,,,,,");
    EXPECT_EQ(parser.Zda().day, 1);
    EXPECT_EQ(parser.Zda().year, 1);
    EXPECT_EQ(parser.Zda().zoneHours, 0);
    EXPECT_EQ(sink.messages, (QList<uint32_t>{WM_GPS_ZDA, WM_GPS_ZDA}));
}

TEST_F(DecoderTest, ResetRestoresEveryDefault)
{
    parser.DecodeGGA("120000,4807.038,N,01131.000,W,1,08,0.9,90,M,46.9,M,,");
    parser.DecodeGSA("A,3,04,05,,,,,,,,,,,2.5,1.3,2.1");
    parser.DecodeRMB("A,0.66,L,003,004,4917.24,N,12309.57,W,001.3,052.5,000.5,A");
    parser.DecodeRMC("120001,A,4916.45,N,12311.12,W,10.0,054.7,230394,020.3,W");
    parser.DecodeZDA("201530.00,04,07,2002,-05,30");
    parser.ResetFixState();
    EXPECT_EQ(parser.Gsa().mode, 'M');
    EXPECT_EQ(parser.Gsa().fixType, 1);
    EXPECT_EQ(parser.Rmb().steer, '?');
    EXPECT_EQ(parser.Rmc().year, 2000);
    EXPECT_EQ(parser.Rmc().day, 1);
    EXPECT_EQ(parser.Zda().year, 2000);
    EXPECT_EQ(parser.Gga().previousSecondOfHour, 0);
    EXPECT_EQ(parser.Gga().count, 0u);
    EXPECT_STREQ(parser.Rmb().originId, "");
}

TEST(FixTexts, QualityAndType)
{
    EXPECT_STREQ(FixQualityText(6), "Estimated (dead reck.)");
    EXPECT_STREQ(FixQualityText(9), "GPS mode unknown");
    EXPECT_STREQ(FixTypeText(2), "2D");
    EXPECT_STREQ(FixTypeText(1), "NA");
}

} // namespace
