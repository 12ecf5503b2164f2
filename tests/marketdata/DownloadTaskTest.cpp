#include <gtest/gtest.h>
#include <atomic>
#include <mutex>
#include <vector>
#include "DownloadTask.h"
#include "testsupport/FakeHttpServer.h"
#include "testsupport/Pump.h"
#include "testsupport/RecordingWindow.h"

using tolvan::test::FakeHttpServer;
using tolvan::test::HttpRequest;
using tolvan::test::HttpResponse;
using tolvan::test::PumpUntil;

namespace {

class RecordingCallBack : public CDownLoadTaskCallBack
{
public:
    struct Call { std::string url; int result; std::string body; };

    void OnDownLoaded(const std::string& strUrl, int nResult, std::string& strBody) override
    {
        std::lock_guard<std::mutex> guard(m_lock);
        m_calls.push_back(Call{strUrl, nResult, strBody});
    }
    std::vector<Call> Calls()
    {
        std::lock_guard<std::mutex> guard(m_lock);
        return m_calls;
    }
    size_t Count() { return Calls().size(); }

private:
    std::mutex m_lock;
    std::vector<Call> m_calls;
};

bool WaitIdle(const DownloadTask& task)
{
    return PumpUntil([&] { return !task.IsRunning(); });
}

TEST(DownloadTask, PostsTheBodyAndReportsTheReply)
{
    FakeHttpServer server;
    server.Route("POST", "/list", [](const HttpRequest&) { return HttpResponse::Text(200, "[1,2]"); });
    RecordingCallBack callBack;
    DownloadTask task;
    std::string url = server.BaseUrl() + "/list";
    ASSERT_NE(nullptr, task.StartDownloadTask(&callBack, url, "token=abc"));
    EXPECT_TRUE(task.IsRunning());   // running as soon as the start returns
    ASSERT_TRUE(WaitIdle(task));
    ASSERT_EQ(1u, callBack.Count());
    EXPECT_EQ(url, callBack.Calls()[0].url);
    EXPECT_EQ(1, callBack.Calls()[0].result);
    EXPECT_EQ("[1,2]", callBack.Calls()[0].body);
    EXPECT_EQ("token=abc", server.Requests()[0].body);

    // An empty body is still a POST, without fields.
    task.StartDownloadTask(&callBack, url, "");
    ASSERT_TRUE(WaitIdle(task));
    EXPECT_EQ("POST", server.Requests()[1].method);
    EXPECT_EQ("", server.Requests()[1].body);
    EXPECT_EQ("0", server.Requests()[1].Header("Content-Length"));
}

TEST(DownloadTask, EachAttemptStartsWithAnEmptyReply)
{
    FakeHttpServer server;
    std::atomic<int> served{0};
    server.Route("POST", "/list", [&](const HttpRequest&) {
        if (served++ == 0) // a reply cut short: its bytes arrive, then the connection ends
            return HttpResponse::RawBytes("HTTP/1.1 200 OK\r\nContent-Length: 50\r\n\r\n[\"partial");
        return HttpResponse::Text(200, "[\"whole\"]");
    });
    RecordingCallBack callBack;
    DownloadTask task;
    task.StartDownloadTask(&callBack, server.BaseUrl() + "/list", "");
    ASSERT_TRUE(WaitIdle(task));
    ASSERT_EQ(1u, callBack.Count());
    EXPECT_EQ(1, callBack.Calls()[0].result);
    EXPECT_EQ("[\"whole\"]", callBack.Calls()[0].body);
    EXPECT_EQ(2u, server.RequestCount());
}

TEST(DownloadTask, ThreeFailedAttemptsReportFailure)
{
    FakeHttpServer server;
    server.Route("POST", "/list", [](const HttpRequest&) { return HttpResponse::Dropped(); });
    RecordingCallBack callBack;
    DownloadTask task;
    task.StartDownloadTask(&callBack, server.BaseUrl() + "/list", "a=1");
    ASSERT_TRUE(WaitIdle(task));
    ASSERT_EQ(1u, callBack.Count());
    EXPECT_EQ(-1, callBack.Calls()[0].result);
    EXPECT_EQ(3u, server.RequestCount());
}

TEST(DownloadTask, RestartCancelsTheHangingRequestWithoutACallback)
{
    FakeHttpServer server;
    server.Route("POST", "/slow", [](const HttpRequest&) { return HttpResponse::Stalled(); });
    server.Route("POST", "/fast", [](const HttpRequest&) { return HttpResponse::Text(200, "ok"); });
    RecordingCallBack callBack;
    DownloadTask task;
    task.StartDownloadTask(&callBack, server.BaseUrl() + "/slow", "");
    ASSERT_TRUE(server.WaitForRequests(1));
    task.StartDownloadTask(&callBack, server.BaseUrl() + "/fast", "");
    ASSERT_TRUE(WaitIdle(task));
    ASSERT_EQ(1u, callBack.Count());
    EXPECT_EQ(server.BaseUrl() + "/fast", callBack.Calls()[0].url);
    EXPECT_EQ(2u, server.RequestCount()); // the cancelled request was not retried
}

TEST(DownloadTask, TransferEndingsAndTheirResults)
{
    struct Case
    {
        CURLcode code;
        int result;
    };
    const Case cases[] = {
        {CURLE_OK, 1},
        {CURLE_ABORTED_BY_CALLBACK, 0},  // the cancel: no callback
        {CURLE_FAILED_INIT, -1},         // no handle: a failed attempt, reported after three
        {CURLE_COULDNT_CONNECT, -1},
        {CURLE_OPERATION_TIMEDOUT, -1},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.result, DownloadTask::TransferResult(c.code)) << curl_easy_strerror(c.code);
}

TEST(DownloadTask, RequestsLeaveNoThreadHandlesBehind)
{
    FakeHttpServer server;
    server.Route("POST", "/list", [](const HttpRequest&) { return HttpResponse::Text(200, "x"); });
    RecordingCallBack callBack;
    // Each request's thread handle with the id of its thread: an open handle still names
    // that thread; a closed one names nothing (or, reused, another object).
    std::vector<std::pair<HANDLE, DWORD>> threads;
    {
        DownloadTask task;
        for (int i = 0; i < 3; ++i)
        {
            HANDLE thread = task.StartDownloadTask(&callBack, server.BaseUrl() + "/list", "");
            ASSERT_NE(nullptr, thread);
            threads.emplace_back(thread, GetThreadId(thread));
            ASSERT_NE(0u, threads.back().second);
            ASSERT_TRUE(WaitIdle(task));
        }
        task.StopDownloadTask();
        threads.emplace_back(task.StartDownloadTask(&callBack, server.BaseUrl() + "/list", ""), 0);
        threads.back().second = GetThreadId(threads.back().first);
        ASSERT_TRUE(WaitIdle(task));
    }  // the last one is closed with the task
    EXPECT_EQ(4u, callBack.Count());
    for (const auto& thread : threads)
        EXPECT_NE(thread.second, GetThreadId(thread.first));
}

// The callback of a task reports to a window of the thread that restarts the task (the main
// window restarts its stock quote request every two seconds). The restart must not wait for
// the running request at all: it returns while that report is still waiting for this thread.
class SendingCallBack : public CDownLoadTaskCallBack
{
public:
    explicit SendingCallBack(HWND hWnd) : m_hWnd(hWnd), m_entered(CreateEvent(NULL, TRUE, FALSE, NULL)) {}
    ~SendingCallBack() { CloseHandle(m_entered); }
    void OnDownLoaded(const std::string&, int nResult, std::string&) override
    {
        SetEvent(m_entered);
        SendMessage(m_hWnd, WM_APP + 7, (WPARAM)nResult, 0);
        m_finished.store(true);
    }
    HWND m_hWnd;
    HANDLE m_entered;
    std::atomic<bool> m_finished{false};
};

TEST(DownloadTask, RestartReturnsAtOnceAndTheNewestRequestIsServedNext)
{
    FakeHttpServer server;
    server.Route("POST", "/list", [](const HttpRequest&) { return HttpResponse::Text(200, "x"); });
    tolvan::test::RecordingWindow window;
    SendingCallBack callBack(window);
    DownloadTask task;
    task.StartDownloadTask(&callBack, server.BaseUrl() + "/list", "first");
    // The task's thread now waits in SendMessage for this thread, which does not pump.
    ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(callBack.m_entered, 30000));
    RecordingCallBack quiet;
    task.StartDownloadTask(&quiet, server.BaseUrl() + "/list", "second");
    task.StartDownloadTask(&quiet, server.BaseUrl() + "/list", "third");
    EXPECT_FALSE(callBack.m_finished.load()) << "the restart waited for the running request";
    // Once this thread answers, the report ends and only the newest waiting request is made.
    ASSERT_TRUE(PumpUntil([&] { return quiet.Count() == 1 && !task.IsRunning(); }));
    EXPECT_TRUE(callBack.m_finished.load());
    EXPECT_EQ(1u, window.Count(WM_APP + 7));
    ASSERT_EQ(2u, server.RequestCount());
    EXPECT_EQ("third", server.Requests()[1].body);
}

} // namespace
