// One HTTP POST on a thread of its own, retried up to three times 50 ms apart, whose result
// goes to a CDownLoadTaskCallBack on that thread. Reusable: starting it again first stops the
// request still running (no callback for that one).
#pragma once
#include <afx.h>
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

    // Stops the running request, then starts a thread that posts body to url and reports to
    // pCallBack (may be null). Returns the thread handle (owned by the task), null when no
    // thread could be started or the previous one did not end within STOP_WAIT_MS (it is
    // left running, reported, and the new request is not made). Call from one thread at a
    // time, never from the task's own callback.
    HANDLE StartDownloadTask(CDownLoadTaskCallBack* pCallBack, const std::string& url,
                             const std::string& body);
    // Cancels the running request: the transfer aborts at its next progress call; the wait
    // for the thread lasts up to STOP_WAIT_MS (answering sent messages), after which a thread
    // still running is reported and left alone. No callback follows a cancel. Nothing when
    // idle.
    void StopDownloadTask();

    bool IsRunning() const { return m_worker.IsAlive(); }
    const std::string& GetUrl() const { return m_url; }

    // One transfer into reply: 1 success, 0 cancelled, -1 failure.
    int PostRequest(std::string& reply);
    // The result of a transfer that ended with code: 1 success, 0 aborted by the cancel, -1
    // any failure, also a transfer that could not begin (no handle): that is a failed attempt
    // with a callback, not a cancel without one.
    static int TransferResult(CURLcode code);

private:
    DownloadTask(const DownloadTask&) = delete;
    DownloadTask& operator=(const DownloadTask&) = delete;

    void RunDownloadTask();
    static int OnProgress(void* pTask, curl_off_t, curl_off_t, curl_off_t, curl_off_t);

    CStoppableThread m_worker;  // its stop request is the cancel
    std::string m_url;
    std::string m_body;
    CDownLoadTaskCallBack* m_pCallBack;
};
