#include "waypoints/PicMask.h"
#include "app/SettingsStore.h"
#include "geo/Units.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

class PicMaskCoordinateTest : public ::testing::Test {
protected:
    void TearDown() override { WriteIntSetting("Settings", "PositionFormat", 0); }
};

// What the position fields show for a stored coordinate and what they read back.
TEST_F(PicMaskCoordinateTest, EachFormatShowsAndReadsBackTheCoordinate)
{
    struct Case {
        int format;
        bool longitude;
        double degrees;
        const char* shown;
        int32_t readBack;
    };
    const Case cases[] = {
        {0, false, 33.8, "33'48.0000", 33800000},    {1, false, 33.8, "33\"48'00.000", 33800000},
        {2, false, 33.8, "33.800000", 33800000},     {2, true, -117.8, "117.800000", 117800000},
        {0, true, -117.8, "117'48.0000", 117800000},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.shown);
        WriteIntSetting("Settings", "PositionFormat", c.format);
        CPicMask mask(c.longitude ? LongitudeMask() : LatitudeMask());
        mask.SetText(c.longitude ? LongitudeFill(std::fabs(c.degrees))
                                 : LatitudeFill(std::fabs(c.degrees)));
        EXPECT_EQ(mask.DisplayText(), QString::fromUtf8(c.shown));
        EXPECT_EQ(ParseCoordinate(mask.Value().replace(' ', '0')), c.readBack);
    }
}

TEST_F(PicMaskCoordinateTest, AnEmptiedFieldReadsAsZero)
{
    CPicMask mask(LatitudeMask());
    mask.SetText(LatitudeFill(33.8));
    mask.DeleteRange(0, mask.Length());
    EXPECT_EQ(mask.DisplayText(), QStringLiteral("  '  .    "));
    EXPECT_EQ(mask.Value(true), QString());
    EXPECT_EQ(ParseCoordinate(mask.Value().replace(' ', '0')), 0);
}

TEST(PicMaskTest, PlaceholdersAcceptOnlyTheirCharacters)
{
    struct Case {
        const char* mask;
        QChar typed;
        QChar stored; // null: refused
    };
    const Case cases[] = {
        {"9", 'a', QChar()}, {"9", '7', '7'},     {"A", '7', QChar()}, {"A", 'b', 'b'},
        {"N", '7', '7'},     {"N", '-', QChar()}, {"L", 'Q', 'q'},     {"U", 'a', 'A'},
        {"U", '1', QChar()}, {"X", '-', '-'},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.mask) + " " + QString(c.typed).toStdString());
        CPicMask mask(QString::fromLatin1(c.mask));
        const int after = mask.Type(0, c.typed, false);
        EXPECT_EQ(after < 0, c.stored.isNull());
        EXPECT_EQ(mask.Value(), c.stored.isNull() ? QStringLiteral(" ") : QString(c.stored));
    }
}

TEST(PicMaskTest, LiteralsAndEscapesAreSkipped)
{
    CPicMask mask(QStringLiteral("/9-99"));
    EXPECT_FALSE(mask.IsPlaceholder(0));
    EXPECT_FALSE(mask.IsPlaceholder(1));
    EXPECT_EQ(mask.NextPlaceholder(0), 2);
    EXPECT_EQ(mask.Type(0, '4', false), 3); // typed at the first placeholder
    EXPECT_EQ(mask.DisplayText(), QStringLiteral("9-4 "));
    EXPECT_EQ(mask.PreviousPlaceholder(2), -1);
}

TEST(PicMaskTest, InsertAndDeleteShiftThePlaceholderCharacters)
{
    CPicMask mask(QStringLiteral("99.99"));
    mask.SetText(QStringLiteral("12.3"));
    EXPECT_EQ(mask.DisplayText(), QStringLiteral("12.3 "));
    EXPECT_EQ(mask.Type(0, '9', false), 1);
    EXPECT_EQ(mask.DisplayText(), QStringLiteral("91.23"));
    EXPECT_EQ(mask.Type(0, '8', false), -1); // full: the last placeholder is not empty
    EXPECT_EQ(mask.DisplayText(), QStringLiteral("91.23"));
    EXPECT_EQ(mask.Type(0, '8', true), 1); // overwriting is always possible
    mask.Delete(1);
    EXPECT_EQ(mask.DisplayText(), QStringLiteral("82.3 "));
    mask.Delete(2); // a literal: nothing happens
    EXPECT_EQ(mask.DisplayText(), QStringLiteral("82.3 "));
}

TEST(PicMaskTest, PasteFollowsTheMaskAndStopsAtARefusal)
{
    CPicMask mask(QStringLiteral("99'99.99"));
    EXPECT_EQ(mask.Paste(0, QStringLiteral("12'34x5"), false), 5);
    EXPECT_EQ(mask.DisplayText(), QStringLiteral("12'34.  "));
}

} // namespace
