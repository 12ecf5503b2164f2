// The HTTP client of the market-data code: the one-shot libcurl initialisation, the write
// callback that collects a reply, the options every request shares, the synchronous POST and
// the escaping of query and form values.
#pragma once
#include <afx.h>
#include <string>
#include <curl/curl.h>

// Calls curl_global_init(CURL_GLOBAL_ALL) on the first call and registers curl_global_cleanup
// for process exit; later calls do nothing. Every HTTP user calls it first. Thread-safe. The
// cleanup at exit is skipped while a transfer is still running (a worker left running at the
// end), and no transfer begins after it.
void CurlGlobalInitOnce();

// libcurl write callback: appends size * count bytes to the std::string in userdata.
size_t AppendReplyBytes(char* data, size_t size, size_t count, void* userdata);

// Options of every request: URL, no signals, a fresh connection that is not kept, 10 s for
// the whole transfer and 5 s to connect, the error buffer (CURL_ERROR_SIZE bytes), the reply
// collected into *pReply, and the body as POST fields when it is not empty (POST is also
// switched on when bForcePost is set).
void ApplyRequestOptions(CURL* curl, const std::string& url, const std::string& body,
                         bool bForcePost, std::string* pReply, char* errorBuffer);

// The requests below end at once when the calling thread's stop signal rises (see
// StopSignal.h): a worker that is told to stop never waits out a silent server.

// One synchronous POST (or GET for an empty body without bForcePost). The reply is whatever
// arrived, also after a failure; empty when no handle could be made. pResult, when given,
// receives the transfer's result (CURLE_FAILED_INIT without a handle).
std::string PostWebRequest(const std::string& url, const std::string& body, bool bForcePost,
                           const std::string& cookie, CURLcode* pResult = nullptr);

// One POST with the options above whose transfer `progress` may abort by returning non-zero
// (no progress calls when it is null). The reply is whatever arrived; CURLE_FAILED_INIT when
// no handle could be made.
CURLcode PostWithProgress(const std::string& url, const std::string& body, std::string& reply,
                          curl_xferinfo_callback progress, void* progressData);

// `text` %-escaped for a query string or form body; empty for an empty text or when libcurl
// cannot escape it.
std::string EscapeUrlText(const CString& text);
