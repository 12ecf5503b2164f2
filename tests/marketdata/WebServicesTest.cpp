#include <gtest/gtest.h>
#include <vector>
#include "WebServiceTestSupport.h"
#include "WebServices.h"

using tolvan::test::FakeHttpServer;
using tolvan::test::HttpRequest;
using tolvan::test::HttpResponse;
using webtest::Json;

namespace {

class WebServicesTest : public ::testing::Test
{
protected:
    WebServicesTest() : m_base(m_server.BaseUrl()) {}

    void Answer(const char* path, const std::string& body)
    {
        m_server.Route("POST", path, [body](const HttpRequest&) { return Json(body); });
    }

    FakeHttpServer m_server;
    webtest::ScopedServiceBase m_base;
};

TEST_F(WebServicesTest, MarketDayIsConfirmedOnlyByTextCodesAndStatusY)
{
    struct Case { const char* reply; bool tradingDay; };
    const Case cases[] = {
        {"{\"returnCode\":\"200\",\"status\":\"Y\"}", true},
        {"{\"returnCode\":200,\"status\":\"Y\"}", false},
        {"{\"returnCode\":\"200\",\"status\":\"N\"}", false},
        {"{\"returnCode\":\"500\",\"status\":\"Y\"}", false},
        {"<html>busy</html>", false},
        {"", false},
    };
    for (const Case& c : cases)
    {
        Answer("/services/validateMarketDay", c.reply);
        EXPECT_EQ(c.tradingDay, ValidateMarketDay("20240614", "ASHARE")) << c.reply;
    }
    std::vector<HttpRequest> requests = m_server.Requests();
    ASSERT_EQ(6u, requests.size());
    EXPECT_EQ("{\"date\": \"20240614\", \"type\": \"ASHARE\"}", webtest::DecryptedCode(requests[0].body));

    EXPECT_FALSE(ValidateMarketDay("", "ASHARE"));
    EXPECT_FALSE(ValidateMarketDay("20240614", ""));
    EXPECT_EQ(6u, m_server.RequestCount());
}

TEST_F(WebServicesTest, CalendarReadsTheDatesOrReportsWhyNot)
{
    struct Case { const char* reply; bool read; int parsed; size_t dates; };
    const Case cases[] = {
        {"{\"returnCode\":200,\"code\":\"[{\\\"date\\\":\\\"2024-06-12\\\"},{\\\"date\\\":\\\"2024-06-13\\\"}]\"}",
         true, 0, 2},
        {"{\"returnCode\":200,\"code\":\"false: no such market\"}", false, -2, 0},
        {"{\"returnCode\":500,\"code\":\"[]\"}", false, -1, 0},
        {"{\"returnCode\":200,\"code\":\"{not a list\"}", false, -3, 0},
        {"not json", false, -3, 0},
    };
    for (const Case& c : cases)
    {
        Answer("/services/marketCalendar", c.reply);
        std::vector<CString> dates;
        int parsed = 99;
        EXPECT_EQ(c.read, GetMarketCalendar("20240614", 2, "ASHARE", dates, &parsed)) << c.reply;
        EXPECT_EQ(c.parsed, parsed) << c.reply;
        ASSERT_EQ(c.dates, dates.size()) << c.reply;
        if (c.dates == 2)
        {
            EXPECT_EQ(CString("2024-06-12"), dates[0]);
            EXPECT_EQ(CString("2024-06-13"), dates[1]);
        }
    }
    EXPECT_EQ("{\"date\": \"20240614\", \"day\": 2, \"type\": \"ASHARE\"}",
              webtest::DecryptedCode(m_server.Requests()[0].body));
}

TEST_F(WebServicesTest, CalendarGivesUpOnAServerThatNeverAnswers)
{
    m_server.Route("POST", "/services/marketCalendar",
                   [](const HttpRequest&) { return HttpResponse::Stalled(); });
    std::vector<CString> dates;
    int parsed = 0;
    // Returns after the transfer time-out instead of waiting for ever.
    EXPECT_FALSE(GetMarketCalendar("20240614", 2, "ASHARE", dates, &parsed));
    EXPECT_EQ(-4, parsed);
    EXPECT_TRUE(dates.empty());
}

TEST_F(WebServicesTest, NoticeTextsArriveInTheLocalCodePage)
{
    Answer("/services/stock/notice",
           u8"{\"returnCode\":200,\"data\":\"[{\\\"sub_id\\\":7,\\\"sub_bt\\\":\\\"系统公告\\\","
           u8"\\\"content\\\":\\\"<p>停牌</p>\\\",\\\"source\\\":\\\"Tolvan\\\"}]\"}");
    NoticeRecord notice;
    ASSERT_TRUE(FetchNotices("", notice));
    EXPECT_EQ("7", notice.strId);
    EXPECT_EQ("系统公告", notice.strTitle);
    EXPECT_EQ("", notice.strSubTitle);
    EXPECT_EQ("<p>停牌</p>", notice.strContent);
    EXPECT_EQ("Tolvan", notice.strSource);
    std::string body = m_server.Requests()[0].body;
    EXPECT_TRUE(webtest::HasValidToken(body));
    EXPECT_FALSE(webtest::HasFormField(body, "id"));

    EXPECT_TRUE(FetchNotices("42", notice));
    EXPECT_EQ("42", webtest::FormField(m_server.Requests()[1].body, "id"));
}

TEST_F(WebServicesTest, NoticeRepliesWithoutContentAreNoNotice)
{
    const char* replies[] = {
        "{\"returnCode\":500,\"data\":\"[{\\\"content\\\":\\\"x\\\"}]\"}",
        "{\"returnCode\":200,\"data\":\"[]\"}",
        "{\"returnCode\":200,\"data\":\"[{\\\"sub_id\\\":\\\"1\\\"}]\"}",
        "{\"returnCode\":200,\"data\":[{\"content\":\"x\"}]}",
        "<html>",
    };
    for (const char* reply : replies)
    {
        NoticeRecord notice;
        EXPECT_FALSE(ParseNoticeReply(reply, notice)) << reply;
    }
}

} // namespace
