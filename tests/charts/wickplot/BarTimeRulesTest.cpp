#include "BarTimeRules.h"
#include <gtest/gtest.h>

TEST(BarTimeRules, DecidesWhetherARecordOpensANewBar)
{
    struct Case
    {
        const char* market;
        int period;
        const char* last;
        const char* record;
        const char* bucket;   // null: the record belongs to the last bar
    };
    const Case cases[] = {
        {"CSM", 5, "20260310 10:05:00", "20260310 10:09:59", nullptr},
        {"CSM", 5, "20260310 10:05:00", "20260310 10:10:00", "20260310 10:10:00"},
        {"CSM", 5, "20260310 10:05:00", "20260310 10:13:20", "20260310 10:10:00"},
        {"CSM", 1, "20260310 10:59:00", "20260310 11:00:00", "20260310 11:00:00"},
        {"XAUUSD", 15, "20260310 10:45:00", "20260310 11:05:00", "20260310 11:00:00"},
        {"XAUUSD", 15, "20260310 10:45:00", "20260310 10:55:00", nullptr},
        {"CSM", 3, "20260310 10:03:00", "20260310 14:57:00", nullptr},
        {"CSM", 5, "20260310 10:05", "20260310 10:30:00", nullptr},
        {"CSM", 5, "20260310 10:05:00", "20260309 10:30:00", nullptr},
        // A later day starts a new bar at any time of day (a chart left open overnight).
        {"CSM", 5, "20260310 14:55:00", "20260311 09:31:00", "20260311 09:30:00"},
        {"XAUUSD", 1, "20260310 10:05:00", "20260311 10:05:00", "20260311 10:05:00"},
        {"XAUUSD", 60, "20260310 23:00:00", "20260311 00:10:00", "20260311 00:00:00"},
        // Hour bars of the exchanges follow the sessions.
        {"CSM", 60, "20260310 10:30:00", "20260310 11:29:00", nullptr},
        {"CSM", 60, "20260310 10:30:00", "20260310 13:05:00", "20260310 13:00:00"},
        {"CSM", 60, "20260310 13:00:00", "20260310 14:00:00", "20260310 14:00:00"},
        {"CSM", 60, "20260310 14:00:00", "20260311 09:31:00", "20260311 09:30:00"},
        {"CSM", 60, "20260310 14:00:00", "20260311 08:00:00", nullptr},
        {"CSM", 60, "20260310 11:30:00", "20260310 13:10:00", nullptr},
        {"HKS", 60, "20260310 11:30:00", "20260310 11:50:00", nullptr},
        {"HKS", 60, "20260310 11:30:00", "20260310 13:10:00", "20260310 13:00:00"},
    };
    for (const Case& c : cases)
    {
        CString bucket = "untouched";
        bool opens = NextBarBucket(c.market, c.period, c.last, c.record, bucket);
        EXPECT_EQ(c.bucket != nullptr, opens) << c.market << " " << c.period << " " << c.record;
        EXPECT_STREQ(c.bucket ? c.bucket : "untouched", bucket) << c.record;
    }
}

TEST(BarTimeRules, HourBucketsAndTimeOrder)
{
    struct Case { const char* time; int start; };
    for (Case c : {Case{"20260310 09:29:00", 0}, Case{"20260310 09:30:00", 570},
                   Case{"20260310 11:59:00", 690}, Case{"20260310 12:00:00", 0},
                   Case{"20260310 15:59:00", 900}, Case{"20260310 16:00:00", 0}})
        EXPECT_EQ(c.start, HourBucketStart(c.time)) << c.time;

    EXPECT_EQ(BarTimeValue("20260310 10:05:00"), BarTimeValue("20260310 10:05:59"));
    EXPECT_LT(BarTimeValue("20260310 23:59:00"), BarTimeValue("20260311 00:00:00"));
    EXPECT_LT(BarTimeValue("20261231 10:00:00"), BarTimeValue("20270101 09:00:00"));
    EXPECT_LT(BarTimeValue("20260310"), BarTimeValue("20260310 00:01:00"));
}

#include "DecimalValue.h"
#include <stdlib.h>

TEST(DecimalValue, ReadsEveryTextAsAtofDoes)
{
    for (const char* text : {"0", "12.34", "-5", "+7.5", "1000", "0.1", "3.14159265358979",
                             "123456789012345", "1234567890123456789", "9.95", "10.5000000000",
                             "", ".", "-", "1e3", " 12", "12abc", "1.2.3", "0.30000000000000004"})
        EXPECT_EQ(atof(text), DecimalValue(text)) << "'" << text << "'";
}
