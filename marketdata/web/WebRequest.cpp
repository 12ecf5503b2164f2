#include "WebRequest.h"
#include <stdlib.h>
#include <mutex>

namespace
{
std::once_flag g_curlInitOnce;

void CleanupCurlAtExit()
{
    curl_global_cleanup();
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
    CURL* curl = curl_easy_init();
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
    CURLcode result = curl_easy_perform(curl);
    curl_easy_cleanup(curl);
    if (pResult != nullptr)
        *pResult = result;
    return reply;
}

CURLcode PostWithProgress(const std::string& url, const std::string& body, std::string& reply,
                          curl_xferinfo_callback progress, void* progressData)
{
    CURL* curl = curl_easy_init();
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
    CURLcode code = curl_easy_perform(curl);
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
