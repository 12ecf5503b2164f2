// Date-time texts to time values and the day list of a date range.
#include "DateText.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Seconds since 1970 of a local wall-clock time, by the system's time-zone conversion.
long long LocalToUnix(WORD year, WORD month, WORD day, WORD hour, WORD minute, WORD second)
{
    SYSTEMTIME local = {year, month, 0, day, hour, minute, second, 0};
    SYSTEMTIME utc;
    EXPECT_TRUE(TzSpecificLocalTimeToSystemTime(NULL, &local, &utc));
    FILETIME fileTime;
    SystemTimeToFileTime(&utc, &fileTime);
    ULARGE_INTEGER ticks;
    ticks.LowPart = fileTime.dwLowDateTime;
    ticks.HighPart = fileTime.dwHighDateTime;
    return (long long)(ticks.QuadPart / 10000000ULL) - 11644473600LL;
}

TEST(TextToTimeTest, ReadsLocalDateTimeTextsWithAnySeparators)
{
    const long long expected = LocalToUnix(2024, 3, 1, 9, 30, 15);
    EXPECT_EQ(expected, TextToTime("2024-03-01 09:30:15"));
    EXPECT_EQ(expected, TextToTime("2024/03/01 09:30:15"));
    EXPECT_EQ(expected, TextToTime("  20240301 09:30:15 "));
    // The K-line texts carry no seconds.
    EXPECT_EQ(expected - 15, TextToTime("2024-03-01 09:30"));
    EXPECT_EQ(LocalToUnix(2024, 3, 1, 0, 0, 0), TextToTime("2024-03-01"));
    EXPECT_EQ(LocalToUnix(2023, 12, 31, 23, 59, 59), TextToTime("2023-12-31 23:59:59"));
}

TEST(TextToTimeTest, ChinaTimeIsEightHoursAheadOfUtc)
{
    // The test runner sets the program's time zone to Asia/Shanghai.
    EXPECT_EQ(1709256615, TextToTime("2024-03-01 09:30:15"));
}

std::vector<std::string> Dates(const char* start, const char* end)
{
    CStringArray out;
    out.Add("stale");
    EnumerateDates(start, end, out);
    std::vector<std::string> dates;
    for (INT_PTR i = 0; i < out.GetSize(); ++i)
        dates.push_back(out[i].GetString());
    return dates;
}

TEST(EnumerateDatesTest, WalksEveryMonthThroughDay31)
{
    EXPECT_EQ((std::vector<std::string>{"20240228", "20240229", "20240230", "20240231", "20240301", "20240302"}),
              Dates("20240228", "20240302"));
    EXPECT_EQ((std::vector<std::string>{"20231230", "20231231", "20240101"}), Dates("20231230", "20240101"));
    EXPECT_EQ((std::vector<std::string>{"20240105"}), Dates("20240105", "20240105"));
    EXPECT_TRUE(Dates("20240106", "20240105").empty());
    EXPECT_EQ(31u * 12, Dates("20230101", "20231231").size());
}

TEST(EnumerateDatesTest, MarketDataNameGivesTheSameList)
{
    CStringArray out;
    EnumerateDateTexts("20240227", "20240302", out);
    ASSERT_EQ(7, out.GetSize()); // 27th to 31st of February, then 1 and 2 March
    EXPECT_EQ(CString("20240227"), out[0]);
    EXPECT_EQ(CString("20240302"), out[6]);
}

} // namespace
