#include "DownloadTask.h"
#include "ThreadWait.h"
#include "WebRequest.h"

DownloadTask::DownloadTask() : m_worker("download task"), m_hasWaiting(false), m_serving(false), m_superseded(0)
{
}

DownloadTask::~DownloadTask()
{
    {
        CSingleLock guard(&m_lock, TRUE);
        m_hasWaiting = false;
    }
    m_worker.Join(STOP_WAIT_MS);
}

bool DownloadTask::StopDownloadTask(DWORD waitMs)
{
    RequestStopDownloadTask();
    return m_worker.Stop(waitMs);
}

void DownloadTask::RequestStopDownloadTask()
{
    {
        CSingleLock guard(&m_lock, TRUE);
        m_hasWaiting = false;
    }
    m_worker.RequestStop();
}

std::string DownloadTask::GetUrl() const
{
    CSingleLock guard(&m_lock, TRUE);
    return m_url;
}

HANDLE DownloadTask::StartDownloadTask(CDownLoadTaskCallBack* pCallBack, const std::string& url,
                                       const std::string& body)
{
    CurlGlobalInitOnce();
    {
        CSingleLock guard(&m_lock, TRUE);
        m_waiting.pCallBack = pCallBack;
        m_waiting.url = url;
        m_waiting.body = body;
        m_hasWaiting = true;
        if (m_serving)
        {
            // The thread takes it as soon as it has let the running request go.
            ::InterlockedExchange(&m_superseded, 1);
            m_worker.Wake();
            return m_worker.GetHandle();
        }
        m_serving = true;
    }
    // No thread serves. One that is still alive has left its loop under the lock and is only
    // returning (a stopped one that did not end still counts as serving): it ends at once.
    if (m_worker.IsAlive())
        WaitForThread(m_worker.GetHandle(), INFINITE);
    if (!m_worker.Start([this] { ServeRequests(); }))
    {
        CSingleLock guard(&m_lock, TRUE);
        m_serving = false;
        m_hasWaiting = false;
        return NULL;
    }
    return m_worker.GetHandle();
}

bool DownloadTask::TakeRequest(Request& request)
{
    CSingleLock guard(&m_lock, TRUE);
    if (!m_hasWaiting || m_worker.IsStopRequested())
    {
        m_serving = false;
        return false;
    }
    request = m_waiting;
    m_hasWaiting = false;
    m_url = request.url;
    ::InterlockedExchange(&m_superseded, 0);
    return true;
}

void DownloadTask::ServeRequests()
{
    Request request;
    while (TakeRequest(request))
    {
        std::string reply;
        const int result = RunAttempts(request, reply);
        // An abandoned request reports nothing, even one that has just succeeded: the owner
        // that cancels may be on its way out, and a newer request replaces it.
        if (request.pCallBack != nullptr && !IsAbandoned() && result != 0)
            request.pCallBack->OnDownLoaded(request.url, result, reply);
    }
}

int DownloadTask::RunAttempts(const Request& request, std::string& reply)
{
    int result = -1;
    for (int attempt = 0; attempt < ATTEMPTS; ++attempt)
    {
        // Each attempt starts empty: a failed attempt's bytes must not prefix the next reply.
        reply.clear();
        result = PostRequest(request.url, request.body, reply);
        if (result == 1 || IsAbandoned())
            break;
        if (attempt + 1 < ATTEMPTS && (m_worker.WaitForWake(RETRY_PAUSE_MS) || IsAbandoned()))
            break;
    }
    return result;
}

int DownloadTask::OnProgress(void* pTask, curl_off_t, curl_off_t, curl_off_t, curl_off_t)
{
    return static_cast<DownloadTask*>(pTask)->IsAbandoned() ? 1 : 0;
}

int DownloadTask::TransferResult(CURLcode code)
{
    if (code == CURLE_OK)
        return 1;
    if (code == CURLE_ABORTED_BY_CALLBACK)
        return 0;
    return -1;
}

int DownloadTask::PostRequest(const std::string& url, const std::string& body, std::string& reply)
{
    return TransferResult(PostWithProgress(url, body, reply, &DownloadTask::OnProgress, this));
}
