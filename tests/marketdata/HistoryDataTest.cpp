#include "HistoryServices.h"
#include <set>
#include <gtest/gtest.h>
#include <string>
#include "HistoryData.h"
#include "MarketTime.h"
#include "testsupport/FakeHttpServer.h"
#include "WebServiceTestSupport.h"

using tolvan::test::FakeHttpServer;
using tolvan::test::HttpRequest;
using tolvan::test::HttpResponse;
using webtest::Json;

namespace {

ServerRecord HistoryServer(const char* market, const char* seventh, const char* eighth)
{
    ServerRecord server;
    server.m_strFields[2] = market;
    server.m_strFields[7] = seventh;
    server.m_strFields[8] = eighth;
    return server;
}

std::string BarTimes(const HistoryPacket& packet)
{
    std::string text;
    for (const WickplotBar* bar = packet.pFirst; bar != nullptr; bar = bar->pNext)
        text += std::string(bar->strTime) + "=" + std::string(bar->strOpen) + "/" +
                std::string(bar->strClose) + "/" + std::to_string(bar->nDirection) + "|";
    return text;
}

TEST(HistoryData, QueryNamesThePeriodAndEscapesItsFields)
{
    HistoryRequest request;
    request.strStartDate = "20240613";
    request.strEndDate = "20240614";
    struct Case { int period; const char* text; };
    const Case cases[] = {{0, "D"}, {5, "5"}, {60, "60"}, {-100, "1"}};
    for (const Case& c : cases)
    {
        request.nPeriod = c.period;
        EXPECT_EQ(std::string("?type=CL@SIM@0@") + c.text + "&sdate=20240613&edate=20240614",
                  BuildHistoryQuery(HistoryServer("CL", "SIM", "0"), request));
    }
    request.strEndDate = "2024 06&14";
    EXPECT_EQ("?type=A%26B@x%20y@%3D@1&sdate=20240613&edate=2024%2006%2614",
              BuildHistoryQuery(HistoryServer("A&B", "x y", "="), request));
}

TEST(HistoryData, TagTextNeedsBothTags)
{
    struct Case { const char* reply; const char* text; };
    const Case cases[] = {
        {"<r><result>a b</result></r>", "a b"}, {"<result></result>", ""},
        {"<result>open only", ""}, {"close only</result>", ""},
        {"</result><result>x</result>", "x"}, {"", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CString(c.text), ExtractTagText(c.reply, "result")) << c.reply;
}

TEST(HistoryData, ResultLinesInTheWindowBecomeBarsWithSeconds)
{
    HistoryRequest request;
    request.nPeriod = 60;
    request.strStartDate = "20240613";
    request.strStartTime = "09:00:00";
    request.strEndDate = "20240614";
    request.strEndTime = "24:00:00";
    const char* result =
        "\n20240613 08:00:00 1 2 3 0 10\n"       // before the window
        "20240613 09:00 1.5 1.2 2 1 10\r\n"      // HH:MM gets its seconds
        "2024-06-13 10:00:00 9.5 10.2 11 9 10\n" // dashed date; a numeric rise
        "20240613 10:00:00 5 5 5 5 5\n"          // not later than the line before
        "20240613 09:30:00 5 5 5 5 5\n"          // out of order
        "20240613 11:00:00 5 5 5 5 x\n"          // a letter
        "20240613  12:00:00 5 5 5 5 5\n"         // a doubled blank shifts the fields
        "20240613 13:00:00 5 5 5 5\n"            // too short
        "20240614 24:00:00 7 7 8 6 10\n"         // the end of the window is included
        "20240615 01:00:00 1 1 1 1 1\n";         // after the window
    HistoryPacket packet;
    EXPECT_EQ(3, ParseHistoryResult(result, request, packet));
    EXPECT_EQ("20240613 09:00:00=1.5/1.2/2|20240613 10:00:00=9.5/10.2/1|20240614 24:00:00=7/7/0|",
              BarTimes(packet));
    EXPECT_EQ(2, packet.pFirst->pNext->pNext->nIndex);
    for (WickplotBar* bar = packet.pFirst; bar != nullptr;)
    {
        WickplotBar* next = bar->pNext;
        delete bar;
        bar = next;
    }
}

// A time that names no minute of the day would be read as some other minute and sort the
// bar anywhere, so that later good lines look out of order and are lost.
TEST(HistoryData, LinesWithImpossibleTimesAreSkipped)
{
    HistoryRequest request;
    request.nPeriod = 1;
    request.strStartDate = "20240613";
    request.strStartTime = "00:00:00";
    request.strEndDate = "20240614";
    request.strEndTime = "24:00:00";
    const char* impossible[] = {"99:99", "-5:00", "9:-5", "99999999999:00", "4294967306:00", "24:01",
                                "9:60", "9:30:60", "9:30:", "9:30:00:00", ":30", "9::30", "930:0"};
    for (const char* time : impossible)
    {
        const std::string result = std::string("20240613 09:00 1 1 1 1 1\n20240613 ") + time +
                                   " 2 2 2 2 2\n20240613 10:00 3 3 3 3 3\n20240613 23:59:59 4 4 4 4 4\n";
        HistoryPacket packet;
        EXPECT_EQ(3, ParseHistoryResult(result.c_str(), request, packet)) << time;
        EXPECT_EQ("20240613 09:00:00=1/1/0|20240613 10:00:00=3/3/0|20240613 23:59:59=4/4/0|",
                  BarTimes(packet)) << time;
        for (WickplotBar* bar = packet.pFirst; bar != nullptr;)
        {
            WickplotBar* next = bar->pNext;
            delete bar;
            bar = next;
        }
    }
}

class HistoryServiceTest : public ::testing::Test
{
protected:
    HistoryServiceTest() : m_base(m_server.BaseUrl(), "/services/historyData")
    {
        SetMarketClock(&Clock);
        s_now = LocalTime(2024, 6, 14, 10, 30);
    }
    ~HistoryServiceTest() override { SetMarketClock(nullptr); }

    static __time64_t LocalTime(int year, int month, int day, int hour, int minute)
    {
        struct tm parts = {};
        parts.tm_year = year - 1900;
        parts.tm_mon = month - 1;
        parts.tm_mday = day;
        parts.tm_hour = hour;
        parts.tm_min = minute;
        parts.tm_isdst = -1;
        return _mktime64(&parts);
    }
    static __time64_t Clock() { return s_now; }
    void MarketDay(bool open)
    {
        std::string reply = std::string("{\"returnCode\":\"200\",\"status\":\"") + (open ? "Y" : "N") + "\"}";
        m_server.Route("POST", "/services/validateMarketDay", [reply](const HttpRequest&) { return Json(reply); });
    }
    void Calendar(const std::string& firstDate)
    {
        std::string reply = "{\"returnCode\":200,\"code\":\"[{\\\"date\\\":\\\"" + firstDate +
                            "\\\"},{\\\"date\\\":\\\"2024-06-13\\\"}]\"}";
        m_server.Route("POST", "/services/marketCalendar", [reply](const HttpRequest&) { return Json(reply); });
    }
    std::string CalendarRequest(size_t i)
    {
        size_t seen = 0;
        for (const HttpRequest& request : m_server.Requests())
            if (request.path == "/services/marketCalendar" && seen++ == i)
                return webtest::DecryptedCode(request.body);
        return std::string();
    }

    static __time64_t s_now;
    FakeHttpServer m_server;
    webtest::ScopedServiceBase m_base;
    HistoryDataSource m_source;
};

__time64_t HistoryServiceTest::s_now = 0;

TEST_F(HistoryServiceTest, IntradayWindowIsTheRunningSessionOfATradingDay)
{
    MarketDay(true);
    HistoryRequest request;
    BuildHistoryRequest(m_source, "", "600000", -100, "CSM", request, "", "", "");
    EXPECT_EQ(CString("20240614"), request.strStartDate);
    EXPECT_EQ(CString("09:30:00"), request.strStartTime);
    EXPECT_EQ(CString("20240614"), request.strEndDate);
    EXPECT_EQ(CString("15:00:00"), request.strEndTime);
    EXPECT_EQ(1, request.nMarketDay);
    EXPECT_EQ("{\"date\": \"20240614\", \"type\": \"ASHARE\"}",
              webtest::DecryptedCode(m_server.Requests()[0].body));
}

TEST_F(HistoryServiceTest, IntradayWindowFallsBackToThePreviousTradingDay)
{
    Calendar("2024-06-07");
    MarketDay(false);   // a holiday: the day before comes from the calendar
    HistoryRequest request;
    request.nMarketDay = 1;
    BuildHistoryRequest(m_source, "20240610", "00700", -100, "HKS", request, "", "", "");
    EXPECT_EQ(CString("20240607"), request.strStartDate);
    EXPECT_EQ(CString("20240607"), request.strEndDate);
    EXPECT_EQ(CString("16:00:00"), request.strEndTime);
    EXPECT_EQ(0, request.nMarketDay);
    EXPECT_EQ("{\"date\": \"20240610\", \"day\": 1, \"type\": \"HSHARE\"}", CalendarRequest(0));

    // A trading day whose session has not begun yet shows the previous day's closed session,
    // which no refresh extends.
    MarketDay(true);
    s_now = LocalTime(2024, 6, 14, 9, 29);
    request.nMarketDay = 1;
    BuildHistoryRequest(m_source, "20240614", "600000", -100, "CSM", request, "", "", "");
    EXPECT_EQ(CString("20240607"), request.strStartDate);
    EXPECT_EQ(0, request.nMarketDay);
}

TEST_F(HistoryServiceTest, LongerPeriodsReachBackByTheCalendar)
{
    Calendar("2023-06-01");
    HistoryRequest request;
    BuildHistoryRequest(m_source, "20240614", "600000", 5040, "CSM", request, "", "", "");
    EXPECT_EQ(CString("20230601"), request.strStartDate);
    EXPECT_EQ(CString("00:00:00"), request.strStartTime);
    EXPECT_EQ(CString("20240614"), request.strEndDate);
    EXPECT_EQ(CString("24:00:00"), request.strEndTime);
    EXPECT_EQ(180, request.nSize);

    // Without a calendar the same number of days is counted back on the calendar.
    m_server.Route("POST", "/services/marketCalendar", [](const HttpRequest&) { return HttpResponse::Dropped(); });
    BuildHistoryRequest(m_source, "20240614", "CL", 5, "CL", request, "FUTURE", "", "");
    EXPECT_EQ(CString("20240609"), request.strStartDate);
}

TEST_F(HistoryServiceTest, IntradayOfOtherMarketsRunsFromTheirSessionStart)
{
    HistoryRequest request;
    BuildHistoryRequest(m_source, "20240614", "CL", -100, "CL", request, "", "6:00", "");
    EXPECT_EQ(CString("20240614"), request.strStartDate);
    EXPECT_EQ(CString("06:00:00"), request.strStartTime);
    EXPECT_EQ(CString("20240615"), request.strEndDate);
    s_now = LocalTime(2024, 6, 14, 5, 0);
    BuildHistoryRequest(m_source, "20240614", "CL", -100, "CL", request, "", "06:00:00", "");
    EXPECT_EQ(CString("20240613"), request.strStartDate);
    EXPECT_EQ(CString("20240614"), request.strEndDate);
    EXPECT_EQ(0u, m_server.RequestCount());
}

TEST_F(HistoryServiceTest, RequestPostsTheTokenAndReadsTheResult)
{
    m_server.Route("POST", "/services/historyData", [](const HttpRequest&) {
        return HttpResponse::Text(200, "<response><result>\n20240614 10:00:00 1 2 3 0 10\n"
                                       "20240614 11:00:00 2 1 3 0 10\n</result></response>");
    });
    HistoryRequest request;
    request.nPeriod = 60;
    request.strMarket = "CL";
    request.strStartDate = "20240614";
    request.strStartTime = "00:00:00";
    request.strEndDate = "20240614";
    request.strEndTime = "24:00:00";
    int status = 0;
    HistoryPacket* packet = RequestHistoryData(HistoryServer("CL", "SIM", "0"), request, status);
    ASSERT_NE(nullptr, packet);
    EXPECT_EQ(3, status);
    EXPECT_EQ(CString("60"), packet->strPeriod);
    EXPECT_EQ(CString("CL"), packet->strMarket);
    EXPECT_EQ("20240614 10:00:00=1/2/1|20240614 11:00:00=2/1/2|", BarTimes(*packet));
    DeleteHistoryPacket(packet);
    HttpRequest sent = m_server.Requests()[0];
    EXPECT_EQ("say=3c9e0a7b51d24f86e0b7a19c5d3f2e48", sent.body);
    EXPECT_EQ("type=CL@SIM@0@60&sdate=20240614&edate=20240614", sent.query);

    m_server.Route("POST", "/services/historyData", [](const HttpRequest&) {
        return HttpResponse::Text(200, "<response><result>20240614 10:00:00 1 2 3 0 10</response>");
    });
    status = 7;
    EXPECT_EQ(nullptr, RequestHistoryData(HistoryServer("CL", "SIM", "0"), request, status));
    EXPECT_EQ(7, status);
}

} // namespace

TEST(HistoryServicesTest, ChoosesAmongTheServicesNotTriedYet)
{
    struct Case
    {
        int count;
        std::set<int> excluded;
        int randomValue;
        int chosen;
    };
    const Case cases[] = {
        {3, {1}, 1, 2},        // the second untried service is index 2
        {3, {1}, 4, 0},        // the random value wraps over the untried ones
        {2, {}, 1, 1},
        {2, {0}, 7, 1},
        {3, {0, 1, 2}, 0, -1}, // every service tried
        {0, {}, 3, -1},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.chosen, ChooseUntriedService(c.count, c.excluded, c.randomValue))
            << c.count << " services, " << c.excluded.size() << " tried, random " << c.randomValue;
}

TEST(HistoryServicesTest, TheBasesAreTheWebHostsHistoryPath)
{
    webtest::ScopedServiceBase base("http://127.0.0.1:9");
    const std::vector<CString> bases = HistoryServiceBases();
    ASSERT_EQ(1u, bases.size()) << "one host configured twice is one service";
    EXPECT_STREQ("http://127.0.0.1:9/services/historyData", bases[0]);
}
