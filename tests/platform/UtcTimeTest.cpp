#include "platform/UtcTime.h"

#include <gtest/gtest.h>

#include <ctime>

namespace {

TEST(UtcTime, AgreesWithTheCLibraryOverTheWholeRange)
{
    // Steps of a prime number of seconds visit every day position, leap days and 2100 included.
    for (uint64_t seconds = 0; seconds <= UINT32_MAX; seconds += 999'983) {
        const auto value = static_cast<uint32_t>(seconds);
        const time_t asTime = value;
        std::tm expected{};
        ASSERT_NE(gmtime_r(&asTime, &expected), nullptr);
        const UtcDateTime when = UtcFromSeconds(value);
        ASSERT_EQ(when.year, expected.tm_year + 1900) << value;
        ASSERT_EQ(when.month, expected.tm_mon + 1) << value;
        ASSERT_EQ(when.day, expected.tm_mday) << value;
        ASSERT_EQ(when.hour, expected.tm_hour) << value;
        ASSERT_EQ(when.minute, expected.tm_min) << value;
        ASSERT_EQ(when.second, expected.tm_sec) << value;
        uint32_t back = 0;
        ASSERT_TRUE(SecondsFromUtc(when, &back));
        ASSERT_EQ(back, value);
    }
}

TEST(UtcTime, KnownDates)
{
    uint32_t seconds = 0;
    ASSERT_TRUE(SecondsFromUtc({2007, 11, 4, 12, 34, 56}, &seconds));
    EXPECT_EQ(seconds, 1194179696u);
    ASSERT_TRUE(SecondsFromUtc({2000, 2, 29, 0, 0, 0}, &seconds));
    EXPECT_EQ(seconds, 951782400u);
    ASSERT_TRUE(SecondsFromUtc({2106, 2, 7, 6, 28, 15}, &seconds));
    EXPECT_EQ(seconds, UINT32_MAX);
    // A leap second counts as the first second of the next minute, as timegm does.
    ASSERT_TRUE(SecondsFromUtc({2016, 12, 31, 23, 59, 60}, &seconds));
    EXPECT_EQ(seconds, 1483228800u);
    const UtcDateTime epoch = UtcFromSeconds(0);
    EXPECT_EQ(epoch.year, 1970);
    EXPECT_EQ(epoch.month, 1);
    EXPECT_EQ(epoch.day, 1);
}

TEST(UtcTime, RejectsImpossibleAndUnrepresentableDates)
{
    const UtcDateTime impossible[] = {{2007, 0, 4, 12, 0, 0},
                                      {2007, 13, 4, 12, 0, 0},
                                      {2007, 2, 29, 0, 0, 0},
                                      {1900, 2, 29, 0, 0, 0},
                                      {2007, 4, 31, 0, 0, 0},
                                      {2007, 4, 0, 0, 0, 0},
                                      {2007, 4, 1, 24, 0, 0},
                                      {2007, 4, 1, 0, 60, 0},
                                      {2007, 4, 1, 0, 0, 61},
                                      {1969, 12, 31, 23, 59, 59},
                                      {2106, 2, 7, 6, 28, 16},
                                      {0, 0, 0, 0, 0, 0},
                                      {65535, 65535, 65535, 65535, 65535, 65535}};
    for (const UtcDateTime& when : impossible) {
        uint32_t seconds = 12345;
        EXPECT_FALSE(SecondsFromUtc(when, &seconds))
            << when.year << "-" << when.month << "-" << when.day << " " << when.hour << ":"
            << when.minute << ":" << when.second;
        EXPECT_EQ(seconds, 12345u);
    }
}

} // namespace
