#include <gtest/gtest.h>
#include <stdio.h>
#include <string>
#include <vector>
#include "BarDataStore.h"
#include "JsonText.h"
#include "KLineLoader.h"
#include "KLineReply.h"
#include "MarketDataMessages.h"
#include "testsupport/FakeHttpServer.h"
#include "testsupport/Pump.h"
#include "testsupport/RecordingWindow.h"
#include "WebServiceTestSupport.h"

using tolvan::test::FakeHttpServer;
using tolvan::test::HttpRequest;
using tolvan::test::HttpResponse;
using tolvan::test::PumpUntil;
using tolvan::test::RecordingWindow;
using webtest::Json;

namespace {

std::string Bar(const char* date, const char* time, const char* open, const char* close,
                const char* volume = "100")
{
    return std::string("{\"date\":\"") + date + "\",\"time\":\"" + time + "\",\"openPrice\":\"" +
           open + "\",\"closePrice\":\"" + close + "\",\"high\":\"9.9\",\"low\":\"1.1\",\"volume\":" +
           volume + ",\"price\":\"" + close + "\"}";
}

std::string Reply(const std::string& list, const std::string& listDate = "")
{
    return "{\"returnCode\":200,\"returnMsg\":\"ok\",\"list\":[" + list + "],\"listDate\":[" +
           listDate + "]}";
}

std::string Times(const std::vector<KLineBar>& bars)
{
    std::string text;
    for (const KLineBar& bar : bars)
        text += std::string(bar.strDate) + " " + std::string(bar.strTime) + " " +
                std::string(bar.strClosePrice) + "|";
    return text;
}

TEST(KLineReply, ValuesBecomeTextByOneRule)
{
    json_t* object = json_loads("{\"s\":\"7.10\",\"i\":42,\"big\":3000000000,\"r\":1.5,"
                                "\"n\":null,\"b\":true,\"o\":{}}", 0, nullptr);
    ASSERT_NE(nullptr, object);
    EXPECT_EQ(CString("7.10"), JsonMemberText(object, "s"));
    EXPECT_EQ(CString("42"), JsonMemberText(object, "i"));
    EXPECT_EQ(CString("3000000000"), JsonMemberText(object, "big"));
    EXPECT_EQ(CString("1.500000"), JsonMemberText(object, "r"));
    for (const char* key : {"n", "b", "o", "missing"})
        EXPECT_EQ(CString(""), JsonMemberText(object, key)) << key;
    json_decref(object);
}

TEST(KLineReply, RequestBodiesByPeriod)
{
    KLineRequest request;
    request.strCode = "600000";
    request.strSize = "all";
    request.strStartDate = "20240603";
    request.strEndDate = "20240614";
    request.nPeriod = 5;
    EXPECT_EQ("code=600000&token=T&size=all&startDate=2024-06-03&endDate=2024-06-14",
              KLineLoader::BuildRequestBody(request, "T"));
    request.strStartDate = "2024063"; // not eight digits: sent empty
    EXPECT_EQ("code=600000&token=T&size=all&startDate=&endDate=2024-06-14",
              KLineLoader::BuildRequestBody(request, "T"));
    request.nPeriod = KLINE_PERIOD_WEEK;
    request.strSize = "180";
    EXPECT_EQ("code=600000&token=T&requestDate=2024-06-14&size=180",
              KLineLoader::BuildRequestBody(request, "T"));
    request.strCode = "A&B";
    EXPECT_EQ("code=A%26B&token=T&requestDate=2024-06-14&size=180",
              KLineLoader::BuildRequestBody(request, "T"));
}

TEST(KLineReply, RepeatedBarsComeOnceTheFirstStaysAndOrderIsByTime)
{
    std::string list = Bar("2024-06-14", "10:05:00", "1", "2") + "," + Bar("2024-06-14", "09:35", "1", "3") +
                       "," + Bar("2024-06-14", "10:05", "1", "4"); // same time twice in one array
    std::string listDate = "\"" + std::string("{\\\"date\\\":\\\"2024-06-14\\\",\\\"time\\\":\\\"09:35\\\",\\\"closePrice\\\":\\\"5\\\"}") +
                           "\"," + Bar("2024-06-14", "09:40", "1", "6");
    std::vector<KLineBar> bars;
    ASSERT_EQ(0, ParseKLineReply("CSM", "600000", 5, Reply(list, listDate), bars));
    SortAndDeduplicateBars(bars);
    EXPECT_EQ("2024-06-14 09:35 3|2024-06-14 09:40 6|2024-06-14 10:05 2|", Times(bars));
    EXPECT_EQ(CString("600000"), bars[0].strCode);
}

// The service writes a minute with or without its leading zero; it is one bar either way.
TEST(KLineReply, DuplicatesAreFoundOnTheMinuteNotItsSpelling)
{
    std::string list = Bar("2024-06-14", "9:35", "1", "3") + "," + Bar("2024-06-14", "09:35", "1", "4") +
                       "," + Bar("2024-06-14", "9:5", "1", "5") + "," + Bar("2024-06-14", "09:40:00", "1", "6");
    std::string listDate = Bar("2024-06-14", "09:05:00", "1", "7") + "," + Bar("2024-06-14", "9:40", "1", "8");
    std::vector<KLineBar> bars;
    ASSERT_EQ(0, ParseKLineReply("CSM", "600000", 0, Reply(list, listDate), bars));
    SortAndDeduplicateBars(bars);
    EXPECT_EQ("2024-06-14 09:05 5|2024-06-14 09:35 3|2024-06-14 09:40 6|", Times(bars));

    // A time that names no minute is not made into one.
    const struct { const char* time; const char* kept; } odd[] = {
        {"99:99", "99:99"}, {"9:30:00:00", "9:30:"}, {"", ""}, {"abcdefg", "abcde"}};
    for (const auto& c : odd)
    {
        std::vector<KLineBar> one;
        ParseKLineReply("CSM", "600000", 0, Reply(Bar("2024-06-14", c.time, "1", "2")), one);
        ASSERT_EQ(1u, one.size()) << c.time;
        EXPECT_EQ(CString(c.kept), one[0].strTime) << c.time;
    }
}

TEST(KLineReply, OfManyRepeatedBarsTheOnesOfTheListStay)
{
    // Past 16 bars the sort is no insertion sort any more: only a stable one keeps each bar of
    // "list" ahead of its repeat in "listDate". The list comes newest first, the repeats
    // oldest first, so that the sort has to move both.
    const int count = 40;
    std::string list, listDate;
    for (int i = 0; i < count; ++i)
    {
        char newer[8], older[8];
        sprintf(newer, "10:%02d", count - 1 - i);
        sprintf(older, "10:%02d", i);
        list += (i ? "," : "") + Bar("2024-06-14", newer, "1", (std::string("L") + newer).c_str());
        listDate += (i ? "," : "") + Bar("2024-06-14", older, "1", (std::string("D") + older).c_str());
    }
    std::vector<KLineBar> bars;
    ASSERT_EQ(0, ParseKLineReply("CSM", "600000", 60, Reply(list, listDate), bars));
    ASSERT_EQ(size_t(2 * count), bars.size());
    SortAndDeduplicateBars(bars);
    ASSERT_EQ(size_t(count), bars.size());
    for (int i = 0; i < count; ++i)
    {
        char time[8];
        sprintf(time, "10:%02d", i);
        EXPECT_EQ(CString(time), bars[i].strTime) << i;
        EXPECT_EQ(CString("L") + time, bars[i].strClosePrice) << i;
    }
}

TEST(KLineReply, RepliesThatAreNotAcceptedGiveNoBars)
{
    const char* replies[] = {"", "not json", "{\"returnCode\":\"200\",\"list\":[]}",
                             "{\"returnCode\":500,\"list\":[{\"date\":\"2024-06-14\"}]}"};
    for (const char* reply : replies)
    {
        std::vector<KLineBar> bars;
        EXPECT_EQ(-1, ParseKLineReply("CSM", "600000", 0, reply, bars)) << reply;
        EXPECT_TRUE(bars.empty());
    }
    std::vector<KLineBar> bars;
    EXPECT_EQ(0, ParseKLineReply("CSM", "600000", 0, Reply(""), bars));
    EXPECT_TRUE(bars.empty());
}

TEST(KLineReply, IntradayBarsOutsideTheSessionAreDropped)
{
    struct Case { const char* market; int period; const char* time; bool kept; };
    const Case cases[] = {
        {"CSM", 1, "11:30", true},  {"CSM", 1, "11:31", false}, {"CSM", -100, "15:01", false},
        {"HKS", 1, "12:05", true},  {"HKS", 1, "12:06", false}, {"CSM", 60, "15:30", true},
        {"CSM", 0, "20:00", true},  {"FEC", 1, "10:00", false},
    };
    for (const Case& c : cases)
    {
        std::vector<KLineBar> bars;
        ParseKLineReply(c.market, "X", c.period, Reply(Bar("2024-06-14", c.time, "1", "2")), bars);
        EXPECT_EQ(c.kept ? 1u : 0u, bars.size()) << c.market << " " << c.period << " " << c.time;
    }
}

class KLineLoaderTest : public ::testing::Test
{
protected:
    KLineLoaderTest() : m_base(m_server.BaseUrl())
    {
        m_window.CopyPayload(WM_KLINE_LOADED, [](WPARAM wParam, LPARAM lParam) {
            const KLineBar& bar = *reinterpret_cast<const KLineBar*>(lParam);
            return std::string(reinterpret_cast<LPCTSTR>(wParam)) + " " +
                   std::string(bar.strDate) + " " + std::string(bar.strTime);
        });
        SetMarketDataWindow(m_window);
    }
    ~KLineLoaderTest() override
    {
        m_loader.Stop();
        SetMarketDataWindow(NULL);
    }
    std::vector<std::string> Delivered()
    {
        std::vector<std::string> texts;
        for (const auto& message : m_window.MessagesOf(WM_KLINE_LOADED))
            texts.push_back(message.payload);
        return texts;
    }

    FakeHttpServer m_server;
    webtest::ScopedServiceBase m_base;
    RecordingWindow m_window;
    KLineLoader m_loader;
};

TEST_F(KLineLoaderTest, HistoryPacketKeepsSessionBarsWithSecondsAndItsMarket)
{
    m_server.Route("POST", "/services/stock/csm/stockKline/hour1", [](const HttpRequest&) {
        return Json(Reply(Bar("2024-06-14", "15:30", "1", "2") + "," +
                          Bar("2024-06-14", "15:05", "10.2", "9.5") + "," +
                          Bar("2024-06-14", "10:30", "9.5", "10.2") + "," +
                          Bar("2024-06-14", "11:00", "7.00", "7.0")));
    });
    int status = 99;
    HistoryPacket* packet = m_loader.LoadHistoryPacket("600000", 60, 0, "20240614", "20240614",
                                                       status, "CSM");
    ASSERT_NE(nullptr, packet);
    EXPECT_EQ(0, status);
    EXPECT_EQ(CString("60"), packet->strPeriod);
    EXPECT_EQ(CString("CSM"), packet->strMarket);
    ASSERT_EQ(3, packet->nCount);
    WickplotBar* bar = packet->pFirst;
    EXPECT_EQ(CString("20240614 10:30:00"), bar->strTime);
    EXPECT_EQ(1, bar->nDirection); // 9.5 to 10.2 is a rise, whatever the texts' order
    EXPECT_EQ(0, bar->nIndex);
    bar = bar->pNext;
    EXPECT_EQ(CString("20240614 11:00:00"), bar->strTime);
    EXPECT_EQ(0, bar->nDirection);
    bar = bar->pNext;
    EXPECT_EQ(CString("20240614 15:05:00"), bar->strTime); // grace of five minutes
    EXPECT_EQ(2, bar->nDirection);
    EXPECT_EQ(CString("10.2"), bar->strOpen);
    EXPECT_EQ(CString("9.5"), bar->strClose);
    EXPECT_EQ(2, bar->nIndex);
    EXPECT_EQ(nullptr, bar->pNext);
    DeleteHistoryPacket(packet);
    EXPECT_EQ("all", webtest::FormField(m_server.Requests()[0].body, "size"));
}

TEST_F(KLineLoaderTest, DayPacketsCarryDatesOnlyAndFailuresGiveAnEmptyPacket)
{
    m_server.Route("POST", "/services/stock/hks/stockKline/day", [](const HttpRequest&) {
        return Json(Reply(Bar("2024-06-13", "16:00", "1", "2") + "," + Bar("2024-06-14", "16:00", "2", "1")));
    });
    int status = 99;
    HistoryPacket* packet = m_loader.LoadHistoryPacket("00700", 0, 30, "20240601", "20240614",
                                                       status, "HKS");
    ASSERT_EQ(2, packet->nCount);
    EXPECT_EQ(CString("20240613"), packet->pFirst->strTime);
    EXPECT_EQ(CString("HKS"), packet->strMarket);
    EXPECT_EQ("30", webtest::FormField(m_server.Requests()[0].body, "size"));
    DeleteHistoryPacket(packet);

    packet = m_loader.LoadHistoryPacket("00700", 15, 0, "20240601", "20240614", status, "HKS");
    EXPECT_EQ(-1, status); // no route: 404
    EXPECT_EQ(0, packet->nCount);
    EXPECT_EQ(nullptr, packet->pFirst);
    DeleteHistoryPacket(packet);
    std::vector<KLineBar> bars;
    EXPECT_EQ(-1, m_loader.FetchBarsNow("00700", 0, "all", "", "20240614", "HKS", bars));
}

TEST_F(KLineLoaderTest, WorkerSendsOnlyBarsAfterTheLastLoad)
{
    m_server.Route("POST", "/services/stock/csm/stockKline/minute5", [](const HttpRequest&) {
        return Json(Reply(Bar("2024-06-14", "10:10", "1", "2") + "," + Bar("2024-06-14", "09:55", "1", "2") +
                          "," + Bar("2024-06-14", "10:00", "1", "2") + "," + Bar("2024-06-14", "10:05", "1", "2")));
    });
    GetBarDataStore().SetLastLoad("600100", 5, "2024-06-14 10:00");
    ASSERT_EQ(0, m_loader.RequestBars("600100", "x", 5, "3", "20240614", "20240614", "CSM"));
    ASSERT_TRUE(m_window.WaitFor(WM_KLINE_LOADED, 2));
    EXPECT_EQ((std::vector<std::string>{"600100 2024-06-14 10:05", "600100 2024-06-14 10:10"}),
              Delivered());
    EXPECT_FALSE(GetBarDataStore().IsAfterLastLoad("600100", 5, "2024-06-14 10:10"));

    // A series never loaded delivers nothing, once its reply has been handled in full.
    ASSERT_EQ(0, m_loader.RequestBars("600199", "x", 5, "3", "20240614", "20240614", "CSM"));
    ASSERT_TRUE(PumpUntil([&] { return m_loader.GetFinishedCount() == 2; }));
    EXPECT_EQ(-1, m_loader.RequestBars("", "x", 5, "3", "", "", "CSM"));
    EXPECT_EQ(-1, m_loader.RequestBars("600100", "", 5, "3", "", "", "CSM"));
    EXPECT_EQ(-1, m_loader.RequestBars("600100", "x", 5, "", "", "", "CSM"));
    m_loader.Stop();
    EXPECT_EQ(2u, m_window.Count(WM_KLINE_LOADED));
}

TEST_F(KLineLoaderTest, ANewerRequestAbortsTheOneInTransfer)
{
    m_server.Route("POST", "/services/stock/csm/stockKline/minute1", [](const HttpRequest& request) {
        if (webtest::FormField(request.body, "code") == "SLOW")
            return HttpResponse::Stalled();
        return Json(Reply(Bar("2024-06-14", "10:01", "1", "2")));
    });
    GetBarDataStore().SetLastLoad("FAST", 1, "2024-06-14 10:00");
    m_loader.RequestBars("SLOW", "x", 1, "all", "20240614", "20240614", "CSM");
    ASSERT_TRUE(m_server.WaitForRequests(1));
    m_loader.RequestBars("FAST", "x", 1, "all", "20240614", "20240614", "CSM");
    ASSERT_TRUE(m_window.WaitFor(WM_KLINE_LOADED, 1));
    EXPECT_EQ((std::vector<std::string>{"FAST 2024-06-14 10:01"}), Delivered());
    EXPECT_EQ(2u, m_server.RequestCount()); // the aborted request was not tried again
}

TEST_F(KLineLoaderTest, TheLastOfManyQuickRequestsIsAlwaysServed)
{
    m_server.Route("POST", "/services/stock/csm/stockKline/minute1", [](const HttpRequest&) {
        return Json(Reply(""));
    });
    m_loader.Start();
    for (int i = 0; i < 200; ++i)
        m_loader.RequestBars(("C" + std::to_string(i)).c_str(), "x", 1, "all", "20240614", "20240614", "CSM");
    ASSERT_TRUE(PumpUntil([&] {
        std::vector<HttpRequest> requests = m_server.Requests();
        return !requests.empty() && webtest::FormField(requests.back().body, "code") == "C199";
    }));
    EXPECT_FALSE(m_loader.HasPendingRequest());
}

} // namespace
