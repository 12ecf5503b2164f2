#include <gtest/gtest.h>
#include <atomic>
#include <string>
#include "MarketListProc.h"
#include "testsupport/FakeHttpServer.h"
#include "testsupport/Pump.h"
#include "WebServiceTestSupport.h"

using tolvan::test::FakeHttpServer;
using tolvan::test::HttpRequest;
using tolvan::test::HttpResponse;
using tolvan::test::PumpUntil;
using webtest::Json;

namespace {

const char kCsmList[] =
    u8"[{\"index\":\"1\",\"code\":\"600000\",\"name\":\"浦江银行\",\"name_en\":\"PJ Bank\",\"type\":\"1\"},"
    u8"{\"index\":\"2\",\"code\":\"000001\",\"name\":\"平安科技\",\"type\":\"1\"},"
    u8"{\"code\":\"000002\",\"name\":\"no index\",\"type\":\"1\"}]";
const char kHksList[] =
    u8"[{\"index\":\"1\",\"code\":\"00700\",\"name\":\"腾达控股\",\"name_en\":\"TD\",\"type\":\"1\"}]";
// One record of 17 fields, one of 16 (skipped) and one of 20 (the first 17 count).
const char kSnapshot[] =
    "[600000|7.10|7.00|7.20|6.90|7.30|7.19|7.21|1000|7200.00|300|7.19|400|7.21|1|100|0.01]"
    "[000001|1|2|3|4|5|6|7|8|9|10|11|12|13|14|15]"
    "[000002|9.00|8.00|9.50|8.80|9.90|9.49|9.51|500|4750|10|9.49|20|9.51|3|100|0.01|x|y|z]";

class MarketListProcTest : public ::testing::Test
{
protected:
    MarketListProcTest() : m_base(m_server.BaseUrl())
    {
        m_proc.SetStorage(m_folder.File("Config.ini"), m_folder.Path());
        ServeVersion("/services/stock/csm/version", 5);
        ServeVersion("/services/stock/hks/version", 9);
        Serve("/html/stock/stockList", kCsmList);
        Serve("/html/stock/stockList_hks", kHksList);
        Serve("/html/stock/stockInfo", kSnapshot);
        Serve("/html/stock/stockInfo_hks", "[00700|300|290|310|280|320|309|311|10|3000|1|309|2|311|1|100|0.2]");
    }
    ~MarketListProcTest() override { m_proc.StopMarketListTasks(); }

    void Serve(const char* path, const std::string& body)
    {
        m_server.Route("POST", path, [body](const HttpRequest&) { return Json(body); });
    }
    void ServeVersion(const char* path, int version)
    {
        Serve(path, "{\"returnCode\":200,\"returnMsg\":{\"version\":" + std::to_string(version) + "}}");
    }
    size_t RequestsTo(const std::string& path) const
    {
        size_t count = 0;
        for (const HttpRequest& request : m_server.Requests())
            count += request.path == path ? 1 : 0;
        return count;
    }
    CString StoredVersion(const char* key)
    {
        char text[64] = {0};
        GetPrivateProfileStringA("system", key, "-1", text, sizeof(text), m_folder.File("Config.ini"));
        return text;
    }
    bool WaitForFlags(int csmList, int csmInfo, int hksList, int hksInfo)
    {
        return PumpUntil([&] {
            return m_proc.IsCsmListReady() == csmList && m_proc.IsCsmInfoReady() == csmInfo &&
                   m_proc.IsHksListReady() == hksList && m_proc.IsHksInfoReady() == hksInfo;
        });
    }

    webtest::TempFolder m_folder;
    FakeHttpServer m_server;
    webtest::ScopedServiceBase m_base;
    CAMarketListProc m_proc;
};

TEST_F(MarketListProcTest, WholeChainDownloadsCachesAndFillsEveryStep)
{
    m_proc.UpdateCsmMarketList();
    ASSERT_TRUE(WaitForFlags(1, 1, 1, 1));

    const std::vector<MarketListItem>& items = m_proc.GetCsmItems();
    ASSERT_EQ(2u, items.size()); // the element without "index" is skipped
    EXPECT_EQ(CString("600000"), items[0].strCode);
    EXPECT_EQ(CString("浦江银行"), items[0].strName);
    EXPECT_EQ(CString("PJ Bank"), items[0].strNameEn);
    EXPECT_EQ(CString(""), items[1].strNameEn);
    ASSERT_EQ(1u, m_proc.GetHksItems().size());
    EXPECT_EQ(CString("腾达控股"), m_proc.GetHksItems()[0].strName);

    const std::vector<QuoteRow>& rows = m_proc.GetCsmRows();
    ASSERT_EQ(2u, rows.size());
    EXPECT_EQ(CString("600000"), rows[0].strCode);
    EXPECT_EQ(CString("6.90"), rows[0].strLow);   // low stands before high
    EXPECT_EQ(CString("7.30"), rows[0].strHigh);
    EXPECT_EQ(CString("300"), rows[0].strBid1Volume);
    EXPECT_EQ(CString("7.19"), rows[0].strBidPrice[0]);
    EXPECT_EQ(CString("7.21"), rows[0].strAsk1Price);
    EXPECT_EQ(CString("400"), rows[0].strAskVolume[0]);
    EXPECT_EQ(CString(""), rows[0].strAskPrice[1]);
    EXPECT_EQ(CString("0"), rows[0].strVolumeSinceLast);
    EXPECT_EQ(0, rows[0].nChangeFlags);
    EXPECT_EQ(CString(""), rows[0].strQuoteTime);
    EXPECT_EQ(CString("000002"), rows[1].strCode);
    EXPECT_EQ(1, rows[1].nHalted);
    EXPECT_EQ(CString("0.01"), rows[1].strJggd);
    ASSERT_EQ(1u, m_proc.GetHksRows().size());

    std::string cached;
    ASSERT_TRUE(webtest::ReadFileText(m_folder.File("CSM_List.json"), cached));
    EXPECT_EQ(kCsmList, cached);
    EXPECT_EQ(CString("5"), StoredVersion("CSMMarketListVersion"));
    EXPECT_EQ(CString("9"), StoredVersion("HKSMarketListVersion"));
    EXPECT_TRUE(webtest::HasValidToken(m_server.Requests()[0].body));
}

TEST_F(MarketListProcTest, EachReadyFlagRisesOnlyOnceItsDataIsThere)
{
    // Lists and snapshots large enough that parsing them takes a while: a flag raised before
    // its data is stored is seen with part or none of the data.
    const int count = 10000;
    std::string list = "[", snapshot;
    for (int i = 0; i < count; ++i)
    {
        const std::string code = std::to_string(600000 + i);
        list += (i ? "," : "") + std::string("{\"index\":\"") + std::to_string(i) + "\",\"code\":\"" +
                code + "\",\"name\":\"n\",\"type\":\"1\"}";
        snapshot += "[" + code + "|7.10|7.00|7.20|6.90|7.30|7.19|7.21|1000|7200.00|300|7.19|400|7.21|1|100|0.01]";
    }
    list += "]";
    Serve("/html/stock/stockList", list);
    Serve("/html/stock/stockInfo", snapshot);
    Serve("/html/stock/stockInfo_hks", snapshot);

    // The size of each step's data at the moment its flag was first seen at 1
    long long seenAt[4] = {-1, -1, -1, -1};
    m_proc.UpdateCsmMarketList();
    ASSERT_TRUE(PumpUntil([&] {
        // The data is read only once its flag says so, as the start-up thread does.
        if (seenAt[0] < 0 && m_proc.IsCsmListReady() == 1)
            seenAt[0] = (long long)m_proc.GetCsmItems().size();
        if (seenAt[1] < 0 && m_proc.IsCsmInfoReady() == 1)
            seenAt[1] = (long long)m_proc.GetCsmRows().size();
        if (seenAt[2] < 0 && m_proc.IsHksListReady() == 1)
            seenAt[2] = (long long)m_proc.GetHksItems().size();
        if (seenAt[3] < 0 && m_proc.IsHksInfoReady() == 1)
            seenAt[3] = (long long)m_proc.GetHksRows().size();
        return seenAt[0] >= 0 && seenAt[1] >= 0 && seenAt[2] >= 0 && seenAt[3] >= 0;
    }));
    EXPECT_EQ(count, seenAt[0]);
    EXPECT_EQ(count, seenAt[1]);
    EXPECT_EQ(1, seenAt[2]);
    EXPECT_EQ(count, seenAt[3]);
}

TEST_F(MarketListProcTest, CurrentVersionWithCacheSkipsTheListDownload)
{
    ASSERT_TRUE(webtest::WriteFileText(m_folder.File("CSM_List.json"), kCsmList));
    WritePrivateProfileStringA("system", "CSMMarketListVersion", "5", m_folder.File("Config.ini"));
    m_proc.UpdateCsmMarketList();
    ASSERT_TRUE(WaitForFlags(1, 1, 1, 1));
    EXPECT_EQ(0u, RequestsTo("/html/stock/stockList"));
    EXPECT_EQ(1u, RequestsTo("/html/stock/stockInfo"));
    EXPECT_EQ(2u, m_proc.GetCsmItems().size());
}

TEST_F(MarketListProcTest, NoVersionAnswerAndNoStoredVersionUsesTheCache)
{
    m_server.Route("POST", "/services/stock/csm/version",
                   [](const HttpRequest&) { return HttpResponse::Dropped(); });
    ASSERT_TRUE(webtest::WriteFileText(m_folder.File("CSM_List.json"), kCsmList));
    m_proc.UpdateCsmMarketList();
    ASSERT_TRUE(WaitForFlags(1, 1, 1, 1));
    EXPECT_EQ(0u, RequestsTo("/html/stock/stockList"));
}

TEST_F(MarketListProcTest, TheVersionCheckNeverHoldsTheCallerAndEndsWithTheStop)
{
    // The version service answers only once the caller has its thread back: a check made on
    // the caller's thread would time out and store no version.
    HANDLE answer = CreateEventA(NULL, TRUE, FALSE, NULL);
    m_server.Route("POST", "/services/stock/csm/version", [answer](const HttpRequest&) {
        WaitForSingleObject(answer, 30000);
        return Json("{\"returnCode\":200,\"returnMsg\":{\"version\":5}}");
    });
    m_proc.UpdateCsmMarketList();
    SetEvent(answer);
    ASSERT_TRUE(WaitForFlags(1, 1, 1, 1));
    EXPECT_EQ(CString("5"), StoredVersion("CSMMarketListVersion"));

    // A check that stalls ends with the stop, and the chain goes no further.
    m_server.Route("POST", "/services/stock/csm/version", [](const HttpRequest&) { return HttpResponse::Stalled(); });
    CAMarketListProc stalled;
    stalled.SetStorage(m_folder.File("Config.ini"), m_folder.Path());
    const size_t before = m_server.RequestCount();
    stalled.UpdateCsmMarketList();
    ASSERT_TRUE(m_server.WaitForRequests(before + 1));
    EXPECT_TRUE(stalled.StopMarketListTasks());
    EXPECT_EQ(before + 1, m_server.RequestCount());
    EXPECT_EQ(0, stalled.IsCsmListReady());
    CloseHandle(answer);
}

TEST_F(MarketListProcTest, AListReplyThatIsNoArrayFailsTheStepAndEndsTheChain)
{
    const char* replies[] = {"{\"returnCode\":500}", "[]", "<html>maintenance</html>"};
    for (const char* reply : replies)
    {
        CAMarketListProc proc;
        proc.SetStorage(m_folder.File("Config.ini"), m_folder.Path());
        Serve("/html/stock/stockList", reply);
        size_t before = RequestsTo("/html/stock/stockInfo");
        proc.UpdateCsmMarketList();
        ASSERT_TRUE(PumpUntil([&] { return proc.IsCsmListReady() == -1; })) << reply;
        EXPECT_EQ(0, proc.IsCsmInfoReady());
        EXPECT_EQ(0, proc.IsHksListReady());
        EXPECT_EQ(before, RequestsTo("/html/stock/stockInfo"));
        EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(m_folder.File("CSM_List.json")));
        EXPECT_EQ(CString("-1"), StoredVersion("CSMMarketListVersion"));
    }
}

TEST_F(MarketListProcTest, AFailedSnapshotEndsTheChainBeforeHongKong)
{
    m_server.Route("POST", "/html/stock/stockInfo", [](const HttpRequest&) { return HttpResponse::Dropped(); });
    m_proc.UpdateCsmMarketList();
    ASSERT_TRUE(PumpUntil([&] { return m_proc.IsCsmInfoReady() == -1; }));
    EXPECT_EQ(1, m_proc.IsCsmListReady());
    EXPECT_EQ(0, m_proc.IsHksListReady());
    EXPECT_EQ(3u, RequestsTo("/html/stock/stockInfo"));
    EXPECT_EQ(0u, RequestsTo("/services/stock/hks/version"));
}

} // namespace
