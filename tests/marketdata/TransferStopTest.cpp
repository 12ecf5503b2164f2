// A worker that is told to stop never waits out a silent server: every request made on a
// thread with a stop signal ends as soon as the signal rises, whichever way it was made, and
// a request made after the rise never reaches the server.
#include <gtest/gtest.h>
#include <atomic>
#include <functional>
#include <string>
#include "KLineLoader.h"
#include "StatisticsReport.h"
#include "StoppableThread.h"
#include "WebRequest.h"
#include "testsupport/FakeHttpServer.h"
#include "WebServiceTestSupport.h"

using tolvan::test::FakeHttpServer;
using tolvan::test::HttpRequest;
using tolvan::test::HttpResponse;

namespace {

// Well below the transfers' own 10 s time-out.
const DWORD kStopBoundMs = 3000;

class TransferStopTest : public ::testing::Test
{
protected:
    TransferStopTest() : m_base(m_server.BaseUrl())
    {
        CurlGlobalInitOnce();
        m_server.Route("POST", "*", [](const HttpRequest&) { return HttpResponse::Stalled(); });
    }

    std::string Url(const char* path) const { return m_server.BaseUrl() + path; }

    FakeHttpServer m_server;
    webtest::ScopedServiceBase m_base;
};

TEST_F(TransferStopTest, AStoppedThreadsStalledRequestEndsAtOnce)
{
    struct Case
    {
        const char* name;
        // The request; true when it came back as aborted (not as a failure of its own).
        std::function<bool()> request;
    };
    const Case cases[] = {
        {"plain request (version check, notices, history service)",
         [this] {
             CURLcode result = CURLE_OK;
             PostWebRequest(Url("/services/stock/csm/version"), "token=x", true, "", &result);
             return result == CURLE_ABORTED_BY_CALLBACK;
         }},
        {"request without a progress callback",
         [this] {
             std::string reply;
             return PostWithProgress(Url("/x"), "a=1", reply, nullptr, nullptr) == CURLE_ABORTED_BY_CALLBACK;
         }},
        {"synchronous K-line load (the history download)",
         [] {
             KLineLoader loader;
             int status = 0;
             HistoryPacket* packet = loader.LoadHistoryPacket("600000", 0, 0, "20240601", "20240614", status, "CSM");
             const bool empty = packet != nullptr && packet->pFirst == nullptr;
             DeleteHistoryPacket(packet);
             return status == -1 && empty;
         }},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        const size_t before = m_server.RequestCount();
        std::atomic<bool> aborted(false);
        CStoppableThread worker("stalled request");
        ASSERT_TRUE(worker.Start([&] { aborted = c.request(); }));
        ASSERT_TRUE(m_server.WaitForRequests(before + 1));
        EXPECT_TRUE(worker.Stop(kStopBoundMs)) << "the request outlived the stop";
        worker.Join(INFINITE);
        EXPECT_TRUE(aborted.load());
    }
}

TEST_F(TransferStopTest, ARequestAfterTheStopIsNeverMade)
{
    HANDLE go = ::CreateEventA(NULL, TRUE, FALSE, NULL);
    CURLcode result = CURLE_OK;
    CStoppableThread worker("late request");
    ASSERT_TRUE(worker.Start([&] {
        ::WaitForSingleObject(go, INFINITE);
        PostWebRequest(Url("/services/stock/notice"), "token=x", true, "", &result);
    }));
    worker.RequestStop();
    ::SetEvent(go);
    EXPECT_TRUE(worker.Stop(kStopBoundMs));
    EXPECT_EQ(CURLE_ABORTED_BY_CALLBACK, result);
    EXPECT_EQ(0u, m_server.RequestCount());
    ::CloseHandle(go);
}

// The start's one report to the statistics service runs on a worker the end can stop.
TEST_F(TransferStopTest, TheStatisticsReportEndsAtItsStop)
{
    m_server.Route("GET", "*", [](const HttpRequest&) { return HttpResponse::Stalled(); });
    CStatisticsReport report;
    ASSERT_TRUE(report.Start(m_server.BaseUrl().c_str()));
    ASSERT_TRUE(m_server.WaitForRequests(1));
    EXPECT_EQ("/StatisticTolvan/insertStatistic", m_server.Requests()[0].path);
    EXPECT_TRUE(report.Stop(kStopBoundMs)) << "the report outlived its stop";
}

} // namespace
