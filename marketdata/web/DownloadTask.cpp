#include "DownloadTask.h"
#include <process.h>
#include "ThreadStop.h"
#include "WebRequest.h"

DownloadTask::DownloadTask() : m_hThread(NULL), m_running(0), m_cancel(0), m_pCallBack(nullptr)
{
}

DownloadTask::~DownloadTask()
{
    StopDownloadTask();
}

void DownloadTask::StopDownloadTask()
{
    if (m_hThread == NULL)
        return;
    if (m_running.load() != 0)
        m_cancel.store(1);
    EndThreadAndClose(m_hThread, STOP_WAIT_MS);
    m_running.store(0);
    m_cancel.store(0);
}

HANDLE DownloadTask::StartDownloadTask(CDownLoadTaskCallBack* pCallBack, const std::string& url,
                                       const std::string& body)
{
    StopDownloadTask();
    CurlGlobalInitOnce();
    m_pCallBack = pCallBack;
    m_url = url;
    m_body = body;
    // Running before the thread exists: an owner that looks right after the start must not
    // take the task for idle.
    m_cancel.store(0);
    m_running.store(1);
    m_hThread = (HANDLE)_beginthreadex(nullptr, 0, &DownloadTask::RunDownloadTask, this, 0,
                                       nullptr);
    if (m_hThread == NULL)
    {
        m_running.store(0);
        m_pCallBack = nullptr;
    }
    return m_hThread;
}

unsigned __stdcall DownloadTask::RunDownloadTask(void* pTask)
{
    static_cast<DownloadTask*>(pTask)->Run();
    return 0;
}

void DownloadTask::Run()
{
    std::string reply;
    int result = -1;
    for (int attempt = 0; attempt < ATTEMPTS; ++attempt)
    {
        // Each attempt starts empty: a failed attempt's bytes must not prefix the next reply.
        reply.clear();
        result = PostRequest(reply);
        if (result == 1 || m_cancel.load() != 0)
            break;
        if (attempt + 1 < ATTEMPTS)
            Sleep(RETRY_PAUSE_MS);
    }
    if (m_cancel.load() != 0 && result != 1)
        result = 0;
    if (m_pCallBack != nullptr && result != 0)
        m_pCallBack->OnDownLoaded(m_url, result, reply);
    m_pCallBack = nullptr;
    m_running.store(0);
}

int DownloadTask::OnProgress(void* pTask, curl_off_t, curl_off_t, curl_off_t, curl_off_t)
{
    return static_cast<DownloadTask*>(pTask)->m_cancel.load() != 0 ? 1 : 0;
}

int DownloadTask::PostRequest(std::string& reply)
{
    // No handle (CURLE_FAILED_INIT) is a failed attempt, not a cancel.
    CURLcode code = PostWithProgress(m_url, m_body, reply, &DownloadTask::OnProgress, this);
    if (code == CURLE_OK)
        return 1;
    if (code == CURLE_ABORTED_BY_CALLBACK)
        return 0;
    return -1;
}
