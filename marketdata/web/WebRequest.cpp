#include "WebRequest.h"
#include <stdlib.h>
#include <mutex>
#include "StopSignal.h"

namespace
{
// How long one wait for the sockets lasts at most; libcurl's own timers shorten it.
const int kPollMs = 1000;

std::once_flag g_curlInitOnce;

// libcurl's global state is released at exit only when no transfer is inside it: a worker
// that outlived its stop at the end may still be in one.
std::mutex g_curlUseLock;
int g_transfersInLibcurl = 0;
bool g_curlReleased = false;

void CleanupCurlAtExit()
{
    {
        std::lock_guard<std::mutex> guard(g_curlUseLock);
        g_curlReleased = true;  // no transfer begins from here on
        if (g_transfersInLibcurl > 0)
        {
            ::OutputDebugStringA("Tolvan: a transfer is still running at exit; libcurl is not released\n");
            return;
        }
    }
    curl_global_cleanup();
}

// One transfer's use of libcurl, from its handle's creation to its cleanup.
class CurlInUse
{
public:
    CurlInUse()
    {
        std::lock_guard<std::mutex> guard(g_curlUseLock);
        m_granted = !g_curlReleased;
        if (m_granted)
            ++g_transfersInLibcurl;
    }
    ~CurlInUse()
    {
        if (!m_granted)
            return;
        std::lock_guard<std::mutex> guard(g_curlUseLock);
        --g_transfersInLibcurl;
    }
    bool Granted() const { return m_granted; }

private:
    bool m_granted;
};

CURLcode RunUntilDoneOrStopped(CURLM* multi, const CStopSignal& stop)
{
    for (;;)
    {
        int running = 0;
        if (curl_multi_perform(multi, &running) != CURLM_OK)
            return CURLE_FAILED_INIT;
        if (running == 0)
            break;
        if (stop.IsRaised())
            return CURLE_ABORTED_BY_CALLBACK;
        if (curl_multi_poll(multi, nullptr, 0, kPollMs, nullptr) != CURLM_OK)
            return CURLE_FAILED_INIT;
        if (stop.IsRaised())
            return CURLE_ABORTED_BY_CALLBACK;
    }
    int left = 0;
    CURLMsg* message = curl_multi_info_read(multi, &left);
    return message != nullptr && message->msg == CURLMSG_DONE ? message->data.result : CURLE_FAILED_INIT;
}

// Performs the transfer. On a thread with a stop signal the signal wakes the wait for the
// server, so a raised signal ends the transfer at once (CURLE_ABORTED_BY_CALLBACK, as a
// progress callback's abort), and one raised before the transfer keeps it from starting.
CURLcode PerformTransfer(CURL* curl)
{
    CStopSignal* stop = CStopSignal::OfCurrentThread();
    if (stop == nullptr)
        return curl_easy_perform(curl);
    CURLM* multi = curl_multi_init();
    if (multi == nullptr)
        return CURLE_OUT_OF_MEMORY;
    CURLcode result = CURLE_ABORTED_BY_CALLBACK;
    const int waker = stop->AddWaker([multi] { curl_multi_wakeup(multi); });
    if (waker != 0 && curl_multi_add_handle(multi, curl) == CURLM_OK)
    {
        result = RunUntilDoneOrStopped(multi, *stop);
        curl_multi_remove_handle(multi, curl);
    }
    // After this no raise reaches the multi handle any more.
    stop->RemoveWaker(waker);
    curl_multi_cleanup(multi);
    return result;
}
} // namespace

void CurlGlobalInitOnce()
{
    std::call_once(g_curlInitOnce, []() {
        if (curl_global_init(CURL_GLOBAL_ALL) == CURLE_OK)
            atexit(CleanupCurlAtExit);
    });
}

size_t AppendReplyBytes(char* data, size_t size, size_t count, void* userdata)
{
    size_t bytes = size * count;
    if (bytes == 0 || userdata == nullptr)
        return 0;
    static_cast<std::string*>(userdata)->append(data, bytes);
    return bytes;
}

void ApplyRequestOptions(CURL* curl, const std::string& url, const std::string& body,
                         bool bForcePost, std::string* pReply, char* errorBuffer)
{
    curl_easy_setopt(curl, CURLOPT_URL, url.c_str());
    if (!body.empty() || bForcePost)
        curl_easy_setopt(curl, CURLOPT_POST, 1L);
    curl_easy_setopt(curl, CURLOPT_FRESH_CONNECT, 1L);
    curl_easy_setopt(curl, CURLOPT_FORBID_REUSE, 1L);
    curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(curl, CURLOPT_TIMEOUT, 10L);
    curl_easy_setopt(curl, CURLOPT_CONNECTTIMEOUT, 5L);
    curl_easy_setopt(curl, CURLOPT_ERRORBUFFER, errorBuffer);
    curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, AppendReplyBytes);
    curl_easy_setopt(curl, CURLOPT_WRITEDATA, pReply);
    if (!body.empty())
    {
        // Bodies are binary-safe texts: give the length, do not let libcurl strlen them.
        curl_easy_setopt(curl, CURLOPT_POSTFIELDSIZE, (long)body.size());
        curl_easy_setopt(curl, CURLOPT_POSTFIELDS, body.c_str());
    }
    else if (bForcePost)
    {
        curl_easy_setopt(curl, CURLOPT_POSTFIELDSIZE, 0L);
        curl_easy_setopt(curl, CURLOPT_POSTFIELDS, "");
    }
}

std::string PostWebRequest(const std::string& url, const std::string& body, bool bForcePost,
                           const std::string& cookie, CURLcode* pResult)
{
    std::string reply;
    CurlInUse inUse;
    CURL* curl = inUse.Granted() ? curl_easy_init() : nullptr;
    if (curl == nullptr)
    {
        if (pResult != nullptr)
            *pResult = CURLE_FAILED_INIT;
        return reply;
    }
    char errorBuffer[CURL_ERROR_SIZE] = {0};
    ApplyRequestOptions(curl, url, body, bForcePost, &reply, errorBuffer);
    if (!cookie.empty())
        curl_easy_setopt(curl, CURLOPT_COOKIE, cookie.c_str());
    CURLcode result = PerformTransfer(curl);
    curl_easy_cleanup(curl);
    if (pResult != nullptr)
        *pResult = result;
    return reply;
}

CURLcode PostWithProgress(const std::string& url, const std::string& body, std::string& reply,
                          curl_xferinfo_callback progress, void* progressData)
{
    CurlInUse inUse;
    CURL* curl = inUse.Granted() ? curl_easy_init() : nullptr;
    if (curl == nullptr)
        return CURLE_FAILED_INIT;
    char errorBuffer[CURL_ERROR_SIZE] = {0};
    ApplyRequestOptions(curl, url, body, true, &reply, errorBuffer);
    if (progress != nullptr)
    {
        curl_easy_setopt(curl, CURLOPT_XFERINFOFUNCTION, progress);
        curl_easy_setopt(curl, CURLOPT_XFERINFODATA, progressData);
        curl_easy_setopt(curl, CURLOPT_NOPROGRESS, 0L);
    }
    CURLcode code = PerformTransfer(curl);
    curl_easy_cleanup(curl);
    return code;
}

std::string EscapeUrlText(const CString& text)
{
    if (text.IsEmpty())
        return std::string();
    char* escaped = curl_easy_escape(nullptr, text, text.GetLength());
    if (escaped == nullptr)
        return std::string();
    std::string result(escaped);
    curl_free(escaped);
    return result;
}
