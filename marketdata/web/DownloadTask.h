// One HTTP POST on a thread of its own, retried up to three times 50 ms apart, whose result
// goes to a CDownLoadTaskCallBack on that thread. Reusable: starting it again first stops the
// request still running (no callback for that one).
#pragma once
#include <afx.h>
#include <atomic>
#include <string>
#include <curl/curl.h>
#include "DownLoadTaskCallBack.h"

class DownloadTask
{
public:
    enum { STOP_WAIT_MS = 2000, ATTEMPTS = 3, RETRY_PAUSE_MS = 50 };

    DownloadTask();
    // Stops a request still running (cancel, bounded wait) so that its thread never outlives
    // the task.
    ~DownloadTask();

    // Stops the running request, then starts a thread that posts body to url and reports to
    // pCallBack (may be null). Returns the thread handle (owned by the task), null when no
    // thread could be started. Call from one thread at a time, never from the task's own
    // callback.
    HANDLE StartDownloadTask(CDownLoadTaskCallBack* pCallBack, const std::string& url,
                             const std::string& body);
    // Cancels the running request: the transfer aborts at its next progress call; after
    // STOP_WAIT_MS the thread is terminated. No callback follows. Nothing when idle.
    void StopDownloadTask();

    bool IsRunning() const { return m_running.load() != 0; }
    const std::string& GetUrl() const { return m_url; }

    // One transfer into reply: 1 success, 0 cancelled, -1 failure.
    int PostRequest(std::string& reply);

private:
    DownloadTask(const DownloadTask&) = delete;
    DownloadTask& operator=(const DownloadTask&) = delete;

    static unsigned __stdcall RunDownloadTask(void* pTask);
    void Run();
    static int OnProgress(void* pTask, curl_off_t, curl_off_t, curl_off_t, curl_off_t);

    HANDLE m_hThread;
    std::atomic<int> m_running;
    std::atomic<int> m_cancel;
    std::string m_url;
    std::string m_body;
    CDownLoadTaskCallBack* m_pCallBack;
};
