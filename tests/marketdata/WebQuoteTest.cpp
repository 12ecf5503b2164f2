#include <gtest/gtest.h>
#include <atomic>
#include <map>
#include <string>
#include "MarketDataMessages.h"
#include "StockDownProc.h"
#include "testsupport/FakeHttpServer.h"
#include "testsupport/Pump.h"
#include "testsupport/RecordingWindow.h"
#include "WebQuote.h"
#include "WebServiceTestSupport.h"

using tolvan::test::FakeHttpServer;
using tolvan::test::HttpRequest;
using tolvan::test::HttpResponse;
using tolvan::test::PumpUntil;
using tolvan::test::RecordingWindow;
using webtest::Json;

namespace {

// "code price volume-since-last flags ticks|" for each update of a batch
std::string DescribeBatch(WPARAM wParam, LPARAM)
{
    const QuoteBatch& batch = *reinterpret_cast<const QuoteBatch*>(wParam);
    std::string text;
    for (const QuoteUpdate& update : batch)
    {
        const QuoteRow& row = update.rowLatest;
        text += std::string(row.strCode) + " " + std::string(row.strLastPrice) + " " +
                std::string(row.strVolumeSinceLast) + " " + std::to_string(row.nChangeFlags) +
                " " + std::to_string(update.vecTicks.size()) + "|";
    }
    return text;
}

std::string QuoteEntry(const char* code, const char* price, long long volume)
{
    return std::string("{\"code\":\"") + code + "\",\"price\":\"" + price +
           "\",\"pre_close\":\"9.00\",\"volume\":" + std::to_string(volume) +
           ",\"name\":\"%E6%B5%A6%E6%B1%9F\",\"b5_p\":\"8.5\",\"a1_p\":\"9.9\",\"utime\":\"2024-06-14 10:30:00\",\"status\":\"1\"}";
}

std::string QuoteReply(const std::string& entries)
{
    return "{\"returnCode\":200,\"returnMsg\":\"ok\",\"list\":[" + entries + "]}";
}

// A handler that holds its answer until the test releases it.
class Gate
{
public:
    Gate() : m_event(CreateEvent(NULL, TRUE, FALSE, NULL)) {}
    ~Gate() { Release(); CloseHandle(m_event); }
    void Wait() { WaitForSingleObject(m_event, 30000); }
    void Release() { SetEvent(m_event); }

private:
    HANDLE m_event;
};

class WebQuoteTest : public ::testing::Test
{
protected:
    WebQuoteTest() : m_base(m_server.BaseUrl())
    {
        m_window.CopyPayload(WM_QUOTE_BATCH, DescribeBatch);
        SetMarketDataWindow(m_window);
    }
    ~WebQuoteTest() override
    {
        m_poller.StopQuotePolling();
        SetMarketDataWindow(NULL);
    }
    void Answer(const std::string& body)
    {
        m_server.Route("POST", "/services/stock/csm/stockListTimely",
                       [body](const HttpRequest&) { return Json(body); });
    }
    std::string Batch(size_t i) { return m_window.MessagesOf(WM_QUOTE_BATCH)[i].payload; }

    FakeHttpServer m_server;
    webtest::ScopedServiceBase m_base;
    RecordingWindow m_window;
    CWebQuote m_poller;
};

TEST_F(WebQuoteTest, EmptyListStartsNothing)
{
    EXPECT_EQ(-1, m_poller.StartQuotePolling("HKS", {}));
    EXPECT_FALSE(m_poller.IsRunning());
    EXPECT_EQ(0, m_poller.GetMarket());
    std::vector<std::string> codes;
    m_poller.GetCodes(codes);
    EXPECT_TRUE(codes.empty());
}

TEST_F(WebQuoteTest, EachStoredListIsFetchedOnceAndComparedWithTheLastRow)
{
    Answer(QuoteReply(QuoteEntry("600000", "9.50", 1000) + "," + QuoteEntry("000001", "9.10", 50)));
    ASSERT_EQ(0, m_poller.StartQuotePolling("CSM", {"600000", "000001"}));
    ASSERT_TRUE(m_window.WaitFor(WM_QUOTE_BATCH, 1));
    EXPECT_EQ("600000 9.50 0 2 1|000001 9.10 0 2 1|", Batch(0));
    HttpRequest request = m_server.Requests()[0];
    EXPECT_EQ("/services/stock/csm/stockListTimely", request.path);
    EXPECT_EQ("600000,000001", webtest::FormField(request.body, "codes"));
    EXPECT_TRUE(webtest::HasValidToken(request.body));

    QuoteRow row;
    ASSERT_EQ(1, m_poller.GetQuote("600000", row));
    EXPECT_EQ(CString("浦江"), row.strName);
    EXPECT_EQ(CString("20240614 10:30:00"), row.strQuoteTime);
    EXPECT_EQ(CString("8.5"), row.strBidPrice[4]);

    // Same price, more volume; then a smaller volume (a new day) gives no volume since last.
    Answer(QuoteReply(QuoteEntry("600000", "9.50", 1300) + "," + QuoteEntry("000001", "9.20", 40)));
    m_poller.StartQuotePolling("CSM", {"600000", "000001"});
    ASSERT_TRUE(m_window.WaitFor(WM_QUOTE_BATCH, 2));
    EXPECT_EQ("600000 9.50 300 1 1|000001 9.20 0 2 1|", Batch(1));
    EXPECT_EQ(2u, m_server.RequestCount());

    m_poller.RemoveCodes({"600000"});
    EXPECT_EQ(0, m_poller.GetQuote("600000", row));
}

TEST_F(WebQuoteTest, AnEmptyListIsAnEmptyBatchButNoJsonIsAFailedAttempt)
{
    // The reply depends on the code asked for, so a late attempt never meets a newer answer.
    const std::map<std::string, std::string> replies = {
        {"E", QuoteReply("")},
        {"F0", "<html>busy</html>"},
        {"F1", "{\"returnCode\":500,\"list\":[]}"},
        {"F2", "{\"returnCode\":\"200\",\"list\":[]}"},
        {"F3", ""},
        {"OK", QuoteReply(QuoteEntry("OK", "9.70", 10))},
    };
    m_server.Route("POST", "/services/stock/csm/stockListTimely", [&](const HttpRequest& request) {
        return Json(replies.at(webtest::FormField(request.body, "codes")));
    });
    m_poller.StartQuotePolling("CSM", {"E"});
    ASSERT_TRUE(m_window.WaitFor(WM_QUOTE_BATCH, 1));
    EXPECT_EQ("", Batch(0));

    size_t requests = m_server.RequestCount();
    for (const char* failure : {"F0", "F1", "F2", "F3"})
    {
        m_poller.StartQuotePolling("CSM", {failure});
        requests += 3;
        ASSERT_TRUE(m_server.WaitForRequests(requests)) << failure;
    }
    m_poller.StartQuotePolling("CSM", {"OK"});
    ASSERT_TRUE(m_window.WaitFor(WM_QUOTE_BATCH, 2));
    EXPECT_EQ("OK 9.70 0 2 1|", Batch(1)); // no batch came from the failures
    EXPECT_EQ(requests + 1, m_server.RequestCount());
}

TEST_F(WebQuoteTest, StoringTheSameListLetsTheRunningTransferFinish)
{
    Gate gate;
    std::atomic<int> served{0};
    m_server.Route("POST", "/services/stock/csm/stockListTimely", [&](const HttpRequest&) {
        if (served++ == 0)
        {
            gate.Wait();
            return Json(QuoteReply(QuoteEntry("600000", "1.00", 10)));
        }
        return Json(QuoteReply(QuoteEntry("600000", "2.00", 20)));
    });
    m_poller.StartQuotePolling("CSM", {"600000"});
    ASSERT_TRUE(m_server.WaitForRequests(1));
    m_poller.StartQuotePolling("CSM", {"600000"}); // the timer stores the same codes again
    // An aborted transfer would show as a second request while the first is held.
    EXPECT_FALSE(PumpUntil([&] { return m_server.RequestCount() > 1; }, 3000));
    gate.Release();
    ASSERT_TRUE(m_window.WaitFor(WM_QUOTE_BATCH, 2));
    EXPECT_EQ("600000 1.00 0 2 1|", Batch(0));
    EXPECT_EQ("600000 2.00 10 3 1|", Batch(1));
}

TEST_F(WebQuoteTest, StoringAnotherListAbortsTheRunningTransfer)
{
    Gate gate;
    m_server.Route("POST", "/services/stock/csm/stockListTimely", [&](const HttpRequest& request) {
        if (webtest::FormField(request.body, "codes") == "600000")
        {
            gate.Wait();
            return Json(QuoteReply(QuoteEntry("600000", "1.00", 10)));
        }
        return Json(QuoteReply(QuoteEntry("000001", "3.00", 30)));
    });
    m_poller.StartQuotePolling("CSM", {"600000"});
    ASSERT_TRUE(m_server.WaitForRequests(1));
    m_poller.StartQuotePolling("CSM", {"000001"});
    ASSERT_TRUE(m_window.WaitFor(WM_QUOTE_BATCH, 1));
    EXPECT_EQ("000001 3.00 0 2 1|", Batch(0));
    gate.Release();
    EXPECT_EQ(2u, m_server.RequestCount());
    EXPECT_EQ(1u, m_window.Count(WM_QUOTE_BATCH));
}

TEST_F(WebQuoteTest, StopEndsAHangingRequest)
{
    m_server.Route("POST", "/services/stock/hks/stockListTimely",
                   [](const HttpRequest&) { return HttpResponse::Stalled(); });
    m_poller.StartQuotePolling("HKS", {"00700"});
    ASSERT_TRUE(m_server.WaitForRequests(1));
    EXPECT_EQ(1, m_poller.GetMarket());
    m_poller.StopQuotePolling();
    EXPECT_FALSE(m_poller.IsRunning());
    EXPECT_EQ(0u, m_window.Count(WM_QUOTE_BATCH));
    EXPECT_EQ(1u, m_server.RequestCount());
}

TEST_F(WebQuoteTest, StockInfoOfTheChartInstrument)
{
    m_server.Route("POST", "/services/stock/hks/stockTimely", [](const HttpRequest&) {
        return Json(QuoteReply(QuoteEntry("00700", "300.2", 5)));
    });
    CStockDownProc proc;
    proc.RequestStockInfo("HKS", "00700");
    ASSERT_TRUE(m_window.WaitFor(WM_QUOTE_BATCH, 1));
    EXPECT_EQ("00700 300.2 0 2 1|", Batch(0));
    EXPECT_EQ("00700", webtest::FormField(m_server.Requests()[0].body, "code"));
    QuoteRow row;
    ASSERT_EQ(1, proc.GetQuote("00700", row));
    EXPECT_EQ(CString("8.5"), row.strBidPrice[4]);   // all five levels of both sides
    proc.RemoveCode("00700");
    EXPECT_EQ(0, proc.GetQuote("00700", row));

    // A market of another kind keeps the previous service address.
    proc.RequestStockInfo("FEC", "XAUUSD");
    ASSERT_TRUE(m_server.WaitForRequests(2));
    EXPECT_EQ("/services/stock/hks/stockTimely", m_server.Requests()[1].path);
}

} // namespace

namespace {

// The refresh asks for the chart instrument every two seconds; a slower service must still
// get to answer the first request.
TEST_F(WebQuoteTest, StockInfoAskedAgainWhileUnansweredLetsTheRequestFinish)
{
    Gate gate;
    std::atomic<int> served{0};
    m_server.Route("POST", "/services/stock/csm/stockTimely", [&](const HttpRequest& request) {
        if (webtest::FormField(request.body, "code") == "600000" && served++ == 0)
            gate.Wait();
        return Json(QuoteReply(QuoteEntry(webtest::FormField(request.body, "code").c_str(), "9.50", 100)));
    });
    CStockDownProc proc;
    proc.RequestStockInfo("CSM", "600000");
    ASSERT_TRUE(m_server.WaitForRequests(1));
    proc.RequestStockInfo("CSM", "600000");
    EXPECT_FALSE(PumpUntil([&] { return m_server.RequestCount() > 1; }, 3000));
    gate.Release();
    ASSERT_TRUE(m_window.WaitFor(WM_QUOTE_BATCH, 1));
    EXPECT_EQ("600000 9.50 0 2 1|", Batch(0));

    // Once answered, the same request goes out again; another code never waits.
    proc.RequestStockInfo("CSM", "600000");
    ASSERT_TRUE(m_window.WaitFor(WM_QUOTE_BATCH, 2));
    proc.RequestStockInfo("CSM", "000001");
    ASSERT_TRUE(m_window.WaitFor(WM_QUOTE_BATCH, 3));
    EXPECT_EQ("000001 9.50 0 2 1|", Batch(2));
}

} // namespace
