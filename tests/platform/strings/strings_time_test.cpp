// CTime and COleDateTime in China time (UTC+8, no daylight saving; the test runner sets
// the zone): local fields, UTC seconds, formatting, parsing and calendar arithmetic.
#include <afx.h>

#include <gtest/gtest.h>

#include <math.h>
#include <stdlib.h>

namespace {

// 2026-12-10 01:30:00 UTC.
const __time64_t kTenthDecemberUtc = 1796866200;

TEST(CTimeZone, LocalFieldsAreEightHoursAheadOfUtc)
{
    CTime local(2026, 12, 10, 9, 30, 0);
    EXPECT_EQ(kTenthDecemberUtc, local.GetTime());
    EXPECT_EQ(2026, local.GetYear());
    EXPECT_EQ(12, local.GetMonth());
    EXPECT_EQ(10, local.GetDay());
    EXPECT_EQ(9, local.GetHour());
    EXPECT_EQ(30, local.GetMinute());
    EXPECT_EQ(5, local.GetDayOfWeek());   // Thursday
    EXPECT_EQ(CString("2026-12-10 09:30:00 +0800"), local.Format("%Y-%m-%d %H:%M:%S %z"));
    EXPECT_EQ(CString("2026-12-10 01:30"), local.FormatGmt("%Y-%m-%d %H:%M"));
    EXPECT_EQ(CString("2026年12月10日 星期4"), local.Format("%Y年%m月%d日 星期%w"));
    EXPECT_EQ(CString("12/10/26 9:30 AM Thu Dec"), local.Format("%x %#H:%M %p %a %b"));

    struct tm gmt;
    ASSERT_NE(nullptr, local.GetGmtTm(&gmt));
    EXPECT_EQ(1, gmt.tm_hour);
    SYSTEMTIME st;
    ASSERT_TRUE(local.GetAsSystemTime(st));
    EXPECT_EQ(9, st.wHour);
    EXPECT_EQ(local, CTime(st));
}

TEST(CTimeZone, FieldsRollOverAndSpansAddUp)
{
    EXPECT_EQ(CTime(2027, 1, 1, 0, 0, 0), CTime(2026, 13, 1, 0, 0, 0));
    EXPECT_EQ(CTime(2026, 3, 1, 0, 0, 0), CTime(2026, 2, 29, 0, 0, 0));
    EXPECT_EQ(CTime(2026, 12, 11, 0, 0, 0), CTime(2026, 12, 10, 24, 0, 0));

    CTime start(2026, 1, 31, 23, 0, 0);
    CTime later = start + CTimeSpan(1, 2, 3, 4);
    EXPECT_EQ(CString("2026-02-02 01:03:04"), later.Format("%Y-%m-%d %H:%M:%S"));
    CTimeSpan span = later - start;
    EXPECT_EQ(1, span.GetDays());
    EXPECT_EQ(2, span.GetHours());
    EXPECT_EQ(93784, span.GetTotalSeconds());
    EXPECT_EQ(CString("1 02:03:04"), span.Format("%D %H:%M:%S"));
    EXPECT_TRUE(later > start);

    // A UTC FILETIME becomes the same instant.
    FILETIME ft;
    ULONGLONG ticks = (ULONGLONG)(kTenthDecemberUtc + 11644473600LL) * 10000000ULL;
    ft.dwLowDateTime = (DWORD)ticks;
    ft.dwHighDateTime = (DWORD)(ticks >> 32);
    EXPECT_EQ(kTenthDecemberUtc, CTime(ft).GetTime());
}

TEST(CTimeZone, CurrentTimeAgreesWithTheSystemClock)
{
    CTime now = CTime::GetCurrentTime();
    COleDateTime oleNow = COleDateTime::GetCurrentTime();
    // Within an hour of each other, however slow the machine.
    EXPECT_LT(llabs(now.GetTime() - _time64(NULL)), 3600);
    COleDateTimeSpan difference = oleNow - COleDateTime(now.GetTime());
    EXPECT_LT(fabs(difference.GetTotalSeconds()), 3600.0);
}

struct ParseCase
{
    const char* text;
    DWORD flags;
    bool ok;
    int year, month, day, hour, minute, second;
};

TEST(COleDateTimeParse, AcceptsIsoLikeTextAndRejectsTheRest)
{
    const ParseCase cases[] = {
        {"2026-12-10 09:30:00", 0, true, 2026, 12, 10, 9, 30, 0},
        {"2026-12-10T09:30:05", 0, true, 2026, 12, 10, 9, 30, 5},
        {"  2026/1/31 ", 0, true, 2026, 1, 31, 0, 0, 0},
        {"2026.02.28 23:59", 0, true, 2026, 2, 28, 23, 59, 0},
        {"2026年12月10日", 0, true, 2026, 12, 10, 0, 0, 0},
        {"09:30:15", 0, true, 1899, 12, 30, 9, 30, 15},
        {"2026-12-10 09:30:00", VAR_DATEVALUEONLY, true, 2026, 12, 10, 0, 0, 0},
        {"2026-12-10 09:30:00", VAR_TIMEVALUEONLY, true, 1899, 12, 30, 9, 30, 0},
        {"2026-02-29", 0, false, 0, 0, 0, 0, 0, 0},
        {"2026-12-10 25:00", 0, false, 0, 0, 0, 0, 0, 0},
        {"not a date", 0, false, 0, 0, 0, 0, 0, 0},
        {"", 0, false, 0, 0, 0, 0, 0, 0},
    };
    for (const ParseCase& c : cases) {
        COleDateTime dt;
        EXPECT_EQ(c.ok, dt.ParseDateTime(c.text, c.flags)) << c.text;
        if (!c.ok) {
            EXPECT_EQ(COleDateTime::invalid, dt.GetStatus()) << c.text;
            EXPECT_EQ(-1, dt.GetYear()) << c.text;
            continue;
        }
        EXPECT_EQ(COleDateTime::valid, dt.GetStatus()) << c.text;
        EXPECT_EQ(c.year, dt.GetYear()) << c.text;
        EXPECT_EQ(c.month, dt.GetMonth()) << c.text;
        EXPECT_EQ(c.day, dt.GetDay()) << c.text;
        EXPECT_EQ(c.hour, dt.GetHour()) << c.text;
        EXPECT_EQ(c.minute, dt.GetMinute()) << c.text;
        EXPECT_EQ(c.second, dt.GetSecond()) << c.text;
    }
}

struct ArithmeticCase
{
    const char* start;
    double days;
    const char* expected;
};

TEST(COleDateTimeArithmetic, CrossesMonthYearAndOriginBoundaries)
{
    const ArithmeticCase cases[] = {
        {"2026-01-31 12:00:00", 1.0, "2026-02-01 12:00:00"},
        {"2024-02-28 00:00:00", 1.0, "2024-02-29 00:00:00"},
        {"2026-02-28 00:00:00", 1.0, "2026-03-01 00:00:00"},
        {"2026-12-31 23:00:00", 2.0 / 24, "2027-01-01 01:00:00"},
        {"2026-03-01 00:00:00", -1.0, "2026-02-28 00:00:00"},
        {"2026-12-10 09:30:00", 0.5 / 86400 * 0.9, "2026-12-10 09:30:00"},
        // Before 1899-12-30 the DATE value is negative but the day still runs forward.
        {"1899-12-29 06:00:00", 1.0, "1899-12-30 06:00:00"},
        {"1899-12-30 03:00:00", -0.25, "1899-12-29 21:00:00"},
    };
    for (const ArithmeticCase& c : cases) {
        COleDateTime start;
        ASSERT_TRUE(start.ParseDateTime(c.start)) << c.start;
        COleDateTime result = start + COleDateTimeSpan(c.days);
        EXPECT_EQ(CString(c.expected), result.Format("%Y-%m-%d %H:%M:%S")) << c.start;
        COleDateTimeSpan back = result - start;
        EXPECT_NEAR(c.days, back.GetTotalDays(), 1e-9) << c.start;
    }

    COleDateTime a(2026, 12, 10, 9, 30, 0);
    EXPECT_NEAR(46366.395833333, (DATE)a, 1e-8);
    EXPECT_EQ(5, a.GetDayOfWeek());
    EXPECT_EQ(344, a.GetDayOfYear());
    COleDateTimeSpan span = COleDateTime(2027, 1, 1, 0, 0, 0) - a;
    EXPECT_EQ(21, span.GetDays());
    EXPECT_EQ(14, span.GetHours());
    EXPECT_EQ(30, span.GetMinutes());
    EXPECT_EQ(CString("21 14:30:00"), span.Format("%D %H:%M:%S"));
    EXPECT_TRUE(a < COleDateTime(2027, 1, 1, 0, 0, 0));
}

TEST(COleDateTimeConversion, AgreesWithCTimeAndRejectsBadFields)
{
    COleDateTime fromUtc(kTenthDecemberUtc);
    EXPECT_EQ(COleDateTime(2026, 12, 10, 9, 30, 0), fromUtc);

    COleDateTime bad;
    EXPECT_EQ(1, bad.SetDate(2026, 2, 30));
    EXPECT_EQ(COleDateTime::invalid, bad.GetStatus());
    EXPECT_EQ(CString(), bad.Format("%Y"));
    EXPECT_EQ(COleDateTime::invalid, (bad + COleDateTimeSpan(1.0)).GetStatus());

    SYSTEMTIME st;
    ASSERT_TRUE(fromUtc.GetAsSystemTime(st));
    EXPECT_EQ(2026, st.wYear);
    EXPECT_EQ(9, st.wHour);

    // The locale's own form (zh-CN) contains the year and the time.
    CString text = fromUtc.Format();
    EXPECT_NE(-1, text.Find("2026")) << (LPCSTR)text;
    EXPECT_NE(-1, text.Find("30")) << (LPCSTR)text;
}

}  // namespace
