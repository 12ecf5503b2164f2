#include <gtest/gtest.h>
#include "MarketTestData.h"
#include "TradingSessions.h"

using markettest::MakeRow;
using markettest::MakeSector;

namespace {

SectorRow Contract(const char* code, const char* start, const char* stop, int listIndex = 0)
{
    SectorRow row = MakeRow(code, listIndex);
    row.quote.strStartTime = start;
    row.quote.strStopTime = stop;
    return row;
}

class TradingSessionsTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        store.AddSector(MakeSector("沪深", "CSM_P", {MakeRow("600000", 0)}));
        store.AddSector(MakeSector("港股", "HKS_P", {MakeRow("00700", 0)}));
        store.AddSector(MakeSector("原油", "CL_P", {Contract("CL1", "", "", 2),
                                                     Contract("CL2", "06:00:00", "04:45:00", 1),
                                                     Contract("CL3", "07:00:00", "05:10:00", 0)}));
        store.AddSector(MakeSector("外汇", "FEC_P", {Contract("EURUSD", "06:00:00", "")}));
    }

    std::vector<SessionRange> Sessions(const char* code)
    {
        std::vector<SessionRange> sessions;
        GetTradingSessions(code, sessions, store);
        return sessions;
    }

    QuoteStore store;
};

TEST(SessionTables, OpenAndCloseByMarketKey)
{
    struct Case { const char* key; const char* open; const char* close; };
    const Case cases[] = {
        {"CSM", "09:30:00", "15:00:00"},
        {"CSM600000", "09:30:00", "15:00:00"},
        {"HKS", "09:30:00", "16:00:00"},
        {"HKS_P", "09:30:00", "16:00:00"},
        {"XHKS", "00:00:00", "24:00:00"},  // the key must stand at the start
        {"FEC_P", "00:00:00", "24:00:00"},
        {"", "00:00:00", "24:00:00"},
    };
    for (const Case& c : cases)
    {
        EXPECT_EQ(CString(c.open), GetSessionOpenTime(c.key)) << c.key;
        EXPECT_EQ(CString(c.close), GetSessionCloseTime(c.key)) << c.key;
    }
}

TEST_F(TradingSessionsTest, StockMarketsHaveTwoFixedSessions)
{
    std::vector<SessionRange> a = Sessions("600000");
    ASSERT_EQ(2u, a.size());
    EXPECT_EQ(CString("09:30:00"), a[0].strStart);
    EXPECT_EQ(CString("11:30:00"), a[0].strEnd);
    EXPECT_EQ(CString("13:00:00"), a[1].strStart);
    EXPECT_EQ(CString("15:00:00"), a[1].strEnd);

    std::vector<SessionRange> hk = Sessions("00700");
    ASSERT_EQ(2u, hk.size());
    EXPECT_EQ(CString("12:00:00"), hk[0].strEnd);
    EXPECT_EQ(CString("16:00:00"), hk[1].strEnd);
}

TEST_F(TradingSessionsTest, ContractsEndAtStopRoundedDownToHalfHour)
{
    struct Case { const char* code; const char* start; const char* end; };
    const Case cases[] = {
        {"CL2", "06:00:00", "04:30:00"},
        {"CL3", "07:00:00", "05:00:00"},
        {"EURUSD", "06:00:00", ""},  // no stop time
        {"CL1", "", ""},
    };
    for (const Case& c : cases)
    {
        std::vector<SessionRange> sessions = Sessions(c.code);
        ASSERT_EQ(1u, sessions.size()) << c.code;
        EXPECT_EQ(CString(c.start), sessions[0].strStart) << c.code;
        EXPECT_EQ(CString(c.end), sessions[0].strEnd) << c.code;
    }
    EXPECT_TRUE(Sessions("unknown").empty());
}

TEST_F(TradingSessionsTest, SectorOpenAndClose)
{
    SectorRecord oil, hs, empty;
    ASSERT_TRUE(store.GetSector("原油", oil));
    ASSERT_TRUE(store.GetSector("沪深", hs));
    EXPECT_EQ(CString("09:30:00"), GetSectorOpenTime(hs, "600000", store));
    EXPECT_EQ(CString("15:00:00"), GetSectorCloseTime(hs, "600000", store));
    EXPECT_EQ(CString("16:00:00"), GetSectorCloseTime(hs, "00700", store));
    // Rows in list order CL1, CL2, CL3: the first row with a time decides, the close on the
    // whole hour.
    EXPECT_EQ(CString("06:00:00"), GetSectorOpenTime(oil, "CL1", store));
    EXPECT_EQ(CString("04:00:00"), GetSectorCloseTime(oil, "CL1", store));
    EXPECT_EQ(CString("06:00:00"), GetSectorOpenTime(empty, "CL9", store));
    EXPECT_EQ(CString("05:00:00"), GetSectorCloseTime(empty, "CL9", store));
}

TEST(SessionTests, TimesInsideAndOutside)
{
    struct Case { const char* market; const char* time; BOOL strict; int grace; bool inside; };
    const Case cases[] = {
        {"CSM", "09:29:59", FALSE, 0, false},
        {"CSM", "09:30", TRUE, 0, true},
        {"CSM", "11:29:59", TRUE, 0, true},
        {"CSM", "11:30:00", TRUE, 0, false},
        {"CSM", "11:30:00", FALSE, 0, true},
        {"CSM", "12:00:00", FALSE, 0, false},
        {"CSM", "15:05:00", FALSE, 5, true},
        {"CSM", "15:06:00", FALSE, 5, false},
        {"CSM", "2024-03-01 13:00:00", TRUE, 0, true},  // a date before the time
        {"HKS", "12:05:00", FALSE, 0, true},
        {"HKS", "12:06:00", FALSE, 0, false},
        {"HKS", "12:00:00", TRUE, 0, false},
        {"HKS", "09:29:00", FALSE, 9, false},
        {"HKS", "09:29:00", TRUE, 0, false},
        {"HKS", "16:05", FALSE, 0, true},
        {"HKS", "15:59:59", TRUE, 0, true},
        // Unreadable texts are outside every session
        {"CSM", "10:00:0", FALSE, 0, false},  // 7 characters
        {"CSM", "10:000", FALSE, 0, false},   // 6 characters
        {"CSM", "10:0", FALSE, 0, false},
        {"CSM", "ab:cd", FALSE, 0, false},
        {"CSM", "", FALSE, 0, false},
        // Only the exact market words are known
        {"CSM_P", "10:00:00", FALSE, 0, false},
        {"FEC", "10:00:00", FALSE, 0, false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.inside, IsMarketSessionTime(c.market, c.time, c.strict, c.grace))
            << c.market << " " << c.time << " strict " << c.strict << " grace " << c.grace;
}

} // namespace
