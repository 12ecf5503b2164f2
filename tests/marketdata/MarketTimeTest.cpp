// Local time is pinned inside each test (the C run-time reads TZ), so the results do not
// depend on the machine; "now" comes from an injected clock.
#include <stdlib.h>
#include <time.h>
#include <gtest/gtest.h>
#include "MarketTestData.h"
#include "MarketTime.h"

namespace {

// 2024-03-01 01:30:45 UTC: 09:30:45 in Beijing
const __time64_t kMarchFirstMorning = 1709256645;
// 2024-02-29 16:30:00 UTC: already 1 March 00:30 in Beijing
const __time64_t kLeapDayEveningUtc = 1709224200;

__time64_t g_fakeNow = 0;
__time64_t FakeClock() { return g_fakeNow; }

class MarketTimeTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        PinTimeZone("TZ=CST-8"); // Beijing time, no daylight saving
        SetMarketClock(&FakeClock);
    }
    void TearDown() override
    {
        SetMarketClock(nullptr);
        PinTimeZone("TZ=CST-8");
    }
    static void PinTimeZone(const char* setting)
    {
        _putenv(setting);
        _tzset();
    }
};

TEST_F(MarketTimeTest, HourAndMinuteInLocalTime)
{
    EXPECT_EQ(8, GetHourOfTime(0));
    EXPECT_EQ(0, GetMinuteOfTime(0));
    EXPECT_EQ(9, GetHourOfTime(kMarchFirstMorning));
    EXPECT_EQ(30, GetMinuteOfTime(kMarchFirstMorning));
    // Past the year 3000 the run-time cannot convert
    EXPECT_EQ(-1, GetHourOfTime(40000000000LL));
    EXPECT_EQ(-1, GetMinuteOfTime(40000000000LL));
}

TEST_F(MarketTimeTest, FormatTime)
{
    EXPECT_EQ(CString("2024-03-01 09:30:45"), FormatTime(kMarchFirstMorning, "%Y-%m-%d %H:%M:%S"));
    EXPECT_EQ(CString(""), FormatTime(kMarchFirstMorning, nullptr));
    CString tooLong('x', 130);
    EXPECT_EQ(CString(""), FormatTime(kMarchFirstMorning, tooLong));
    EXPECT_EQ(CString(""), FormatTime(40000000000LL, "%Y"));
}

TEST_F(MarketTimeTest, ServerDateComesFromTheInjectedClock)
{
    g_fakeNow = kLeapDayEveningUtc;
    EXPECT_EQ(CString("20240301"), GetServerDateText());
    EXPECT_EQ(CString("20240229"), SubtractDaysFromDate("", 1));
    g_fakeNow = kMarchFirstMorning + 365 * 86400;
    EXPECT_EQ(CString("20250301"), GetServerDateText());
}

TEST_F(MarketTimeTest, SubtractDaysFromDate)
{
    struct Case { const char* date; int days; const char* result; };
    const Case cases[] = {
        {"20240301", 1, "20240229"},
        {"20230301", 1, "20230228"},
        {"20240101", 1, "20231231"},
        {"20240301", 0, "20240301"},
        {"20240301", -1, "20240302"},
        {"20240301", 366, "20230301"},
        {"20240301 10:00:00", 1, "20240229"}, // only the first eight characters count
        {"20240231", 0, "20240302"},          // the walk's 31 February counts on
        // Malformed dates give an empty text
        {"2024031", 1, ""},
        {"2024ab01", 1, ""},
        {"20241301", 1, ""},
        {"20240001", 1, ""},
        {"20240100", 1, ""},
        {"20240132", 1, ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CString(c.result), SubtractDaysFromDate(c.date, c.days)) << c.date << " - " << c.days;
}

TEST_F(MarketTimeTest, SubtractDaysAcrossDaylightSavingChanges)
{
    // US Eastern: clocks go forward on 10 March 2024 and back on 3 November 2024; a day of
    // 23 or 25 hours must still be one day.
    PinTimeZone("TZ=EST5EDT");
    const struct { const char* date; int days; const char* result; } cases[] = {
        {"20240311", 1, "20240310"},
        {"20240310", 1, "20240309"},
        {"20241104", 1, "20241103"},
        {"20241103", 1, "20241102"},
        {"20240401", 31, "20240301"},
        {"20240301", -31, "20240401"},
        {"20241201", 30, "20241101"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CString(c.result), SubtractDaysFromDate(c.date, c.days)) << c.date << " - " << c.days;
}

TEST(TimeTexts, CompareAndConvert)
{
    EXPECT_EQ(0, CompareTimeHM("09:30", "09:30"));
    EXPECT_EQ(-1, CompareTimeHM("09:30", "10:00"));
    EXPECT_EQ(1, CompareTimeHM("10:00", "09:59"));
    EXPECT_EQ(-1, CompareTimeHM("09:05", "09:30"));
    EXPECT_EQ(1, CompareTimeHM("15:01:00", "15:00:59")); // seconds are not read

    EXPECT_EQ(570, TimeTextToMinutes("09:30"));
    EXPECT_EQ(965, TimeTextToMinutes("16:5"));
    EXPECT_EQ(60, TimeTextToMinutes("1"));

    const struct { const char* text; const char* result; } cases[] = {
        {"9:5", "09:05:00"},
        {"9:5:7", "09:05:07"},
        {"13:00", "13:00:00"},
        {"9:", "09:00:00"},   // an empty field is kept and reads 0
        {"930", ""},
        {"", ""},
        {"1:2:3:4", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CString(c.result), FormatTimeOfDay(c.text)) << c.text;
}

TEST(TimeTexts, EnumerateDateTextsWalksEveryMonthThroughDay31)
{
    CStringArray dates;
    dates.Add("stale");
    EnumerateDateTexts("20230227", "20230302", dates);
    ASSERT_EQ(7, dates.GetSize()); // 27 to 31 February, 1 and 2 March
    EXPECT_EQ(CString("20230227"), dates[0]);
    EXPECT_EQ(CString("20230230"), dates[3]);
    EXPECT_EQ(CString("20230231"), dates[4]);
    EXPECT_EQ(CString("20230302"), dates[6]);

    EnumerateDateTexts("20230302", "20230227", dates);
    EXPECT_EQ(0, dates.GetSize());
    // A start month or day out of range must not walk for ever
    EnumerateDateTexts("20231399", "20240102", dates);
    EXPECT_LT(dates.GetSize(), 400);
}

} // namespace
