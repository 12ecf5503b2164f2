#include "DownloadTask.h"
#include "WebRequest.h"

DownloadTask::DownloadTask() : m_worker("download task"), m_pCallBack(nullptr)
{
}

DownloadTask::~DownloadTask()
{
    m_worker.Join(STOP_WAIT_MS);
}

void DownloadTask::StopDownloadTask()
{
    m_worker.Stop(STOP_WAIT_MS);
}

HANDLE DownloadTask::StartDownloadTask(CDownLoadTaskCallBack* pCallBack, const std::string& url,
                                       const std::string& body)
{
    if (!m_worker.Stop(STOP_WAIT_MS))
        return NULL;
    CurlGlobalInitOnce();
    m_pCallBack = pCallBack;
    m_url = url;
    m_body = body;
    if (!m_worker.Start([this] { RunDownloadTask(); }))
    {
        m_pCallBack = nullptr;
        return NULL;
    }
    return m_worker.GetHandle();
}

void DownloadTask::RunDownloadTask()
{
    std::string reply;
    int result = -1;
    for (int attempt = 0; attempt < ATTEMPTS; ++attempt)
    {
        // Each attempt starts empty: a failed attempt's bytes must not prefix the next reply.
        reply.clear();
        result = PostRequest(reply);
        if (result == 1 || m_worker.IsStopRequested())
            break;
        if (attempt + 1 < ATTEMPTS && m_worker.WaitForWake(RETRY_PAUSE_MS))
            break;
    }
    // A cancelled request reports nothing, even one that has just succeeded: the owner that
    // cancels may be on its way out.
    if (m_pCallBack != nullptr && !m_worker.IsStopRequested() && result != 0)
        m_pCallBack->OnDownLoaded(m_url, result, reply);
    m_pCallBack = nullptr;
}

int DownloadTask::OnProgress(void* pTask, curl_off_t, curl_off_t, curl_off_t, curl_off_t)
{
    return static_cast<DownloadTask*>(pTask)->m_worker.IsStopRequested() ? 1 : 0;
}

int DownloadTask::TransferResult(CURLcode code)
{
    if (code == CURLE_OK)
        return 1;
    if (code == CURLE_ABORTED_BY_CALLBACK)
        return 0;
    return -1;
}

int DownloadTask::PostRequest(std::string& reply)
{
    return TransferResult(PostWithProgress(m_url, m_body, reply, &DownloadTask::OnProgress, this));
}
