#include <gtest/gtest.h>
#include "ChartRecords.h"
#include "HistoryJob.h"
#include "MarketTestData.h"
#include "ReRequestBackoff.h"

namespace {

QuoteRow Quote(const char* prevClose, const char* change)
{
    QuoteRow row;
    row.strCode = "600000";
    row.strPrevClose = prevClose;
    row.strChange = change;
    row.strChangePercent = "1.5";
    return row;
}

TEST(DepthStockInfoTest, UnknownCodeShowsDashesAndDirectionUp)
{
    const DepthStockInfo info = BuildDepthStockInfo(QuoteRow());
    EXPECT_EQ("", info.strInfo[0]);
    for (int position : {1, 2, 3, 4, 5, 8, 9, 11, 12, 13, 14, 16, 17})
        EXPECT_EQ("---", info.strInfo[position]) << position;
    for (int position : {7, 10, 15})
        EXPECT_EQ("", info.strInfo[position]) << position;
    EXPECT_EQ("0", info.strInfo[6]);  // no volume: nothing traded since the last quote
    EXPECT_EQ(1, info.nDirection);
}

TEST(DepthStockInfoTest, DirectionFollowsTheChange)
{
    struct Case { const char* prevClose; const char* change; int direction; const char* shown; };
    const Case cases[] = {
        {"10.00", "0.000000", 0, "0.000000"},
        {"10.00", "-0.20", 2, "-0.20"},
        {"10.00", "0.30", 1, "0.30"},
        {"10.00", "", 1, "---"},
        {"", "0.30", 1, "---"},
    };
    for (const Case& c : cases)
    {
        const DepthStockInfo info = BuildDepthStockInfo(Quote(c.prevClose, c.change));
        EXPECT_EQ(c.direction, info.nDirection) << c.prevClose << "/" << c.change;
        EXPECT_EQ(c.shown, info.strInfo[3]) << c.prevClose << "/" << c.change;
    }
}

TEST(DepthSnapshotTest, StockShowsFiveLevelsWithTheBestAskLast)
{
    QuoteRow row;
    for (int i = 0; i < 5; ++i)
    {
        row.strAskPrice[i].Format("10.%d", i + 1);
        row.strBidPrice[i].Format("9.%d", 9 - i);
    }
    DepthSnapshot snapshot;
    snapshot.ResetToAbsent();
    FillSnapshotFromQuote(row, true, snapshot);
    EXPECT_EQ("10.5", snapshot.strSellPrice[0]);
    EXPECT_EQ("10.1", snapshot.strSellPrice[4]);
    EXPECT_EQ("9.9", snapshot.strBuyPrice[0]);
    EXPECT_EQ(DepthSnapshot::NO_LEVEL, snapshot.nSellFlag[0]);  // numbers untouched
}

TEST(DepthSnapshotTest, NonStockShowsOnlyTheLevelsBesideTheMiddle)
{
    QuoteRow row;  // an unknown code: the head's best levels are empty texts
    row.strAskPrice[0] = "7.0";
    DepthSnapshot snapshot;
    FillSnapshotFromQuote(row, false, snapshot);
    EXPECT_EQ("", snapshot.strBuyPrice[0]);
    EXPECT_EQ("", snapshot.strSellPrice[4]);
    EXPECT_EQ("---", snapshot.strSellPrice[3]);
    EXPECT_EQ("---", snapshot.strBuyVolume[1]);
    row.strBid1Price = "1.2345";
    row.strAsk1Price = "1.2347";
    FillSnapshotFromQuote(row, false, snapshot);
    EXPECT_EQ("1.2345", snapshot.strBuyPrice[0]);
    EXPECT_EQ("1.2347", snapshot.strSellPrice[4]);
}

TEST(ViewRulesTest, MarketByPrefixInOrder)
{
    const std::pair<const char*, const char*> cases[] = {
        {"CSM_P", "CSM"}, {"HKS_P", "HKS"}, {"FEC_EURUSD", "FEC"}, {"ASM", "ASM"},
        {"GC1", "GC"}, {"CLX", "CL"}, {"SI", "SI"}, {"XCSM", ""}, {"", ""}, {"NYM", ""}};
    for (const auto& c : cases)
        EXPECT_EQ(c.second, MarketOfKey(c.first)) << c.first;
}

TEST(ViewRulesTest, EnterCyclesListTrendCandles)
{
    EXPECT_EQ(VIEW_TREND, NextViewOnEnter(VIEW_QUOTE_LIST));
    EXPECT_EQ(VIEW_CANDLES, NextViewOnEnter(VIEW_TREND));
    EXPECT_EQ(VIEW_QUOTE_LIST, NextViewOnEnter(VIEW_CANDLES));
    EXPECT_EQ(7, NextViewOnEnter(7));
}

TEST(ViewRulesTest, PeriodsWithoutASeriesFallBackToDays)
{
    struct Case { const char* sector; int period; bool stock; int shown; int button; };
    const Case cases[] = {
        {"美股", 5040, true, 0, 5},  {"美股", 5, true, 0, 5},    {"美股", 0, true, 0, 5},
        {"期货", 43200, false, 0, 5}, {"期货", 15, false, 15, 10}, {"沪深", 43200, true, 43200, 7},
        {"沪深", 60, true, 60, 12},
    };
    for (const Case& c : cases)
    {
        const int shown = ChartPeriodFor(c.sector, c.period, c.stock);
        EXPECT_EQ(c.shown, shown) << c.sector << " " << c.period;
        EXPECT_EQ(c.button, ToolbarButtonOfPeriod(shown)) << c.sector << " " << c.period;
    }
    EXPECT_EQ("15:00:00", CutToHour("15:15:00"));
}

TEST(KLineBarTest, BarTimeTextHasEightDigitsABlankAndSeconds)
{
    KLineBar bar;
    bar.strDate = "2026-12-10";
    bar.strTime = "10:05";
    EXPECT_EQ("20261210 10:05:00", KLineBarTimeText(bar));
    bar.strDate = "2026/12/10";
    bar.strTime = "10:05:30";
    EXPECT_EQ("20261210 10:05:30", KLineBarTimeText(bar));

    bar.strOpenPrice = "1";
    bar.strHigh = "3";
    bar.strLow = "0.5";
    bar.strClosePrice = "2";
    bar.strVolume = "700";
    WickplotBar* node = MakeBarFromKLine("600000", bar);
    EXPECT_EQ("600000", node->strCode);
    EXPECT_EQ("1", node->strOpen);
    EXPECT_EQ("2", node->strClose);
    EXPECT_EQ("", node->strExtra);
    EXPECT_EQ(1, node->bPlaceByTime);
    delete node;

    EXPECT_EQ("2026-12-10 10:05", BarTimeToStoreTime("20261210 10:05:00"));
    EXPECT_EQ("2026-12-10 00:00", BarTimeToStoreTime("20261210"));
    EXPECT_EQ("", BarTimeToStoreTime(""));
}

TEST(QuoteRecordsTest, TitleAndTickTakeTheTimeOfDay)
{
    QuoteRow row = Quote("10.00", "0.50");
    row.strName = "浦发银行";
    row.strQuoteTime = "20261210 10:31:05";
    row.strLastPrice = "10.50";
    row.strVolume = "1000";
    row.strVolumeSinceLast = "20";
    const DepthStockInfo info = BuildDepthStockInfo(row);
    const ChartTitleInfo title = BuildChartTitle(row, "5", info);
    EXPECT_EQ("10:31:05", title.strExtra);
    EXPECT_EQ("---", title.strOpen);
    EXPECT_EQ("10.00", title.strPreClose);
    const DepthTradeTick tick = BuildTradeTick(row, info);
    EXPECT_EQ("10:31:05", tick.strTime);
    EXPECT_EQ("20", tick.strVolume);
    EXPECT_EQ(0x0000FF, tick.nPriceColor);
}

TEST(TrendPacketTest, SeriesBecomesBucketsWithTheSessionDate)
{
    HistoryPacket history;
    WickplotBar* last = nullptr;
    for (const char* time : {"20261210 09:31:00", "20261210 09:32:00"})
    {
        WickplotBar* bar = new WickplotBar;
        bar->strTime = time;
        bar->strClose = "10.1";
        bar->strVolume = "5";
        AppendHistoryBar(history, bar, last);
    }
    TrendPacket* packet = BuildTrendPacket(&history, "600000", "浦发银行", "CSM", "10.0");
    ASSERT_NE(nullptr, packet->pHead);
    EXPECT_EQ(packet->pHead, packet->pHead->pNext->pPrev);
    EXPECT_EQ("20261210", packet->strText[4]);
    EXPECT_EQ(1, packet->nHasBuckets);
    TrendPacket* empty = BuildTrendPacket(nullptr, "600000", "浦发银行", "CSM", "10.0");
    EXPECT_EQ(nullptr, empty->pHead);
    EXPECT_EQ(0, empty->nHasBuckets);
    for (TrendPacket* p : {packet, empty})
    {
        for (TrendTickNode* node = p->pHead; node;)
        {
            TrendTickNode* next = node->pNext;
            delete node;
            node = next;
        }
        delete p;
    }
    for (WickplotBar* bar = history.pFirst; bar;)
    {
        WickplotBar* next = bar->pNext;
        delete bar;
        bar = next;
    }
}

TEST(ReRequestBackoffTest, AsksAgainAtGrowingIntervals)
{
    ReRequestBackoff backoff(2000, 8000);
    std::vector<DWORD> asked;
    for (DWORD t = 0; t <= 30000; t += 5)
        if (backoff.Due(t))
            asked.push_back(t);
    const std::vector<DWORD> expected = {2000, 6000, 14000, 22000, 30000};
    EXPECT_EQ(expected, asked);
}

}  // namespace

namespace {

TEST(SeriesRefreshTest, SizeCountsPeriodsSinceTheLoadOfTheSameDay)
{
    const __int64 tenOClock = QuoteTimeValue("20261210 10:00:00");
    ASSERT_NE(-1, tenOClock);
    struct Case { __int64 lastLoad; const char* quoteTime; int period; const char* size; };
    const Case cases[] = {
        {tenOClock, "20261210 10:12:00", 5, "3"},
        {tenOClock, "20261211 10:12:00", 5, "all"},
        {-1, "20261210 10:12:00", 5, "all"},
        {tenOClock, "20261210 10:12:0", 5, "all"},
        {tenOClock, "20261210 11:00:00", 60, "2"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.size, RefreshSize(c.lastLoad, c.quoteTime, c.period)) << c.quoteTime;
    EXPECT_EQ("hour1", PeriodServiceName(60));
    EXPECT_EQ("", PeriodServiceName(0));
}

TEST(SeriesRefreshTest, TrendReloadsInTheMinuteBeforeTheOpenAtMostEveryTenSeconds)
{
    const __int64 open = QuoteTimeValue("20261210 09:30:00");
    struct Case { int secondsToOpen; int sinceLastLoad; bool due; };
    const Case cases[] = {
        {60, 1000, true}, {1, 1000, true}, {0, 1000, false}, {61, 1000, false}, {-5, 1000, false},
        {30, 10, true}, {30, 9, false},
    };
    for (const Case& c : cases)
    {
        const __int64 now = open - c.secondsToOpen;
        EXPECT_EQ(c.due, IsTrendReloadDue(now, open, now - c.sinceLastLoad)) << c.secondsToOpen << " " << c.sinceLastLoad;
    }
    // Never handed over: the first check near the opening reloads.
    EXPECT_TRUE(IsTrendReloadDue(open - 30, open, 0));
}


TEST(OlderBarsTest, EachPageReachesBackFromTheOldestStartOverTheWeekends)
{
    struct Case { const char* start; int period; const char* earlier; };
    const Case cases[] = {
        {"20261211", 0, "20261009"},  // 45 market days: 63 calendar days
        {"20261214", 1, "20261211"},  // Monday -> Friday
        {"20261214", 15, "20261210"},
        {"20261214", 30, "20261209"},
        {"20261214", 60, "20261207"},
        {"2026121", 0, ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.earlier, OlderBarsStart(c.start, c.period)) << c.start << " period " << c.period;
}

TEST(TrendSessionTest, OverAfterTheCloseAndBeforeTheNextOpen)
{
    struct Case { const char* time; const char* open; const char* close; bool over; };
    const Case cases[] = {
        {"15:01:00", "09:30:00", "15:00:00", true},
        {"14:59:00", "09:30:00", "15:00:00", false},
        {"09:00:00", "09:30:00", "15:00:00", false},
        // A session through midnight: over only between its close and its open.
        {"12:00:00", "06:00:00", "05:00:00", false},
        {"05:30:00", "06:00:00", "05:00:00", true},
        {"04:00:00", "06:00:00", "05:00:00", false},
        {"23:59:00", "06:00:00", "24:00:00", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.over, IsPastSessionClose(c.time, c.open, c.close)) << c.time << " " << c.open << "-" << c.close;
}

}  // namespace
