#include "DownloadFile.h"

#include "PathText.h"

#include <curl/curl.h>
#include <stdio.h>
#include <string.h>

namespace {

// What the transfer received besides the body: whether the headers of the final answer
// ended, and how many body bytes were written.
struct TransferState
{
    FILE* target = NULL;
    bool headersEnded = false;
    curl_off_t bodyBytes = 0;
};

size_t WriteToFile(char* data, size_t size, size_t count, void* userData)
{
    TransferState* state = static_cast<TransferState*>(userData);
    const size_t written = fwrite(data, size, count, state->target) * size;
    state->bodyBytes += static_cast<curl_off_t>(written);
    return written;
}

size_t NoteHeader(char* data, size_t size, size_t count, void* userData)
{
    TransferState* state = static_cast<TransferState*>(userData);
    const size_t length = size * count;
    // A status line starts the headers of another answer (after an interim "100 Continue");
    // the empty line ends them. A connection closed before that empty line sent no answer.
    if (length >= 5 && memcmp(data, "HTTP/", 5) == 0)
        state->headersEnded = false;
    else if ((length == 2 && data[0] == '\r' && data[1] == '\n') || (length == 1 && data[0] == '\n'))
        state->headersEnded = true;
    return length;
}

// Only a whole "200 OK" answer is the file: a redirect, "204 No Content", any other status,
// headers cut off, or a body shorter or longer than the length the server announced is not.
bool IsCompleteFile(CURL* curl, const TransferState& state)
{
    long status = 0;
    curl_off_t announced = -1;
    if (curl_easy_getinfo(curl, CURLINFO_RESPONSE_CODE, &status) != CURLE_OK ||
        curl_easy_getinfo(curl, CURLINFO_CONTENT_LENGTH_DOWNLOAD_T, &announced) != CURLE_OK)
        return false;
    return status == 200 && state.headersEnded && (announced < 0 || announced == state.bodyBytes);
}

bool Transfer(LPCSTR address, FILE* target, const DownloadTimeouts& timeouts)
{
    CURL* curl = curl_easy_init();
    if (curl == NULL)
        return false;
    TransferState state;
    state.target = target;
    curl_easy_setopt(curl, CURLOPT_URL, address);
    curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, WriteToFile);
    curl_easy_setopt(curl, CURLOPT_WRITEDATA, &state);
    curl_easy_setopt(curl, CURLOPT_HEADERFUNCTION, NoteHeader);
    curl_easy_setopt(curl, CURLOPT_HEADERDATA, &state);
    curl_easy_setopt(curl, CURLOPT_MAXREDIRS, 5L);
    curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
    // An HTTP error page is not the file we asked for.
    curl_easy_setopt(curl, CURLOPT_FAILONERROR, 1L);
    // No limit on the whole transfer (an update file may be large on a slow line), but a
    // server that never answers or stops sending must not hold the caller for ever.
    curl_easy_setopt(curl, CURLOPT_CONNECTTIMEOUT, timeouts.connectSeconds);
    curl_easy_setopt(curl, CURLOPT_LOW_SPEED_TIME, timeouts.lowSpeedSeconds);
    curl_easy_setopt(curl, CURLOPT_LOW_SPEED_LIMIT, timeouts.lowSpeedBytes);
    const bool complete = curl_easy_perform(curl) == CURLE_OK && IsCompleteFile(curl, state);
    curl_easy_cleanup(curl);
    return complete;
}

} // namespace

bool DownloadFile(LPCSTR address, LPCSTR targetPath, const DownloadTimeouts& timeouts)
{
    if (address == NULL || targetPath == NULL || *targetPath == '\0')
        return false;
    char temporaryPath[MAX_PATH];
    if (!GetTempFileNameA(DirectoryOf(targetPath), "tvd", 0, temporaryPath))
        return false;
    FILE* temporary = fopen(temporaryPath, "wb");
    if (temporary == NULL)
    {
        DeleteFileA(temporaryPath);
        return false;
    }

    const bool complete = Transfer(address, temporary, timeouts);
    const bool closed = fclose(temporary) == 0;
    const bool replaced = complete && closed
                          && MoveFileExA(temporaryPath, targetPath,
                                         MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
    if (!replaced)
        DeleteFileA(temporaryPath);
    return replaced;
}
