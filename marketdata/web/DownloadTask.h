// One HTTP POST at a time on a thread of its own, retried up to three times 50 ms apart, whose
// result goes to a CDownLoadTaskCallBack on that thread. Reusable, and the newest request
// wins: starting a request while one runs never waits for it. The running one is abandoned
// (its transfer aborts at its next progress call, and it reports nothing) and the thread goes
// on with the new one; the thread ends when no request is left.
#pragma once
#include <afx.h>
#include <afxmt.h>
#include <string>
#include <curl/curl.h>
#include "DownLoadTaskCallBack.h"
#include "StoppableThread.h"

class DownloadTask
{
public:
    enum { STOP_WAIT_MS = 2000, ATTEMPTS = 3, RETRY_PAUSE_MS = 50 };

    DownloadTask();
    // Cancels a request still running and waits for its thread, which works on this task.
    ~DownloadTask();

    // Hands the request to the task's thread (started when none serves) and returns at once:
    // a request still running is abandoned without a callback. Returns the thread handle
    // (owned by the task); null when no thread could be started. Call from one thread at a
    // time, never from the task's own callback.
    HANDLE StartDownloadTask(CDownLoadTaskCallBack* pCallBack, const std::string& url,
                             const std::string& body);
    // Cancels the running request and drops a waiting one: the transfer ends at once and no
    // callback follows. Waits for the thread up to waitMs (answering sent messages); a thread
    // still running then is reported and left alone. True when no thread runs any more.
    bool StopDownloadTask(DWORD waitMs = STOP_WAIT_MS);
    // The cancel of StopDownloadTask without the wait: an owner that stops several tasks
    // tells them all first, so their threads end together.
    void RequestStopDownloadTask();

    bool IsRunning() const { return m_worker.IsAlive(); }
    // The URL of the request served last (or being served).
    std::string GetUrl() const;

    // One transfer into reply: 1 success, 0 cancelled, -1 failure.
    int PostRequest(const std::string& url, const std::string& body, std::string& reply);
    // The result of a transfer that ended with code: 1 success, 0 aborted by the cancel, -1
    // any failure, also a transfer that could not begin (no handle): that is a failed attempt
    // with a callback, not a cancel without one.
    static int TransferResult(CURLcode code);

private:
    DownloadTask(const DownloadTask&) = delete;
    DownloadTask& operator=(const DownloadTask&) = delete;

    struct Request
    {
        CDownLoadTaskCallBack* pCallBack = nullptr;
        std::string url;
        std::string body;
    };

    // The thread: serves the waiting request until none is left or the task is stopped.
    void ServeRequests();
    bool TakeRequest(Request& request);
    int RunAttempts(const Request& request, std::string& reply);
    bool IsAbandoned() const { return m_worker.IsStopRequested() || m_superseded != 0; }
    static int OnProgress(void* pTask, curl_off_t, curl_off_t, curl_off_t, curl_off_t);

    CStoppableThread m_worker;   // its stop request is the cancel
    mutable CCriticalSection m_lock;  // the request handed over and the serving flag
    Request m_waiting;
    bool m_hasWaiting;
    bool m_serving;              // the thread will look for a waiting request before it ends
    volatile LONG m_superseded;  // a newer request waits: the running one is abandoned
    std::string m_url;
};
