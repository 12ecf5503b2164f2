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
    int statusOfLine = -1;  // the status as the last status line states it; -1 when unreadable
    curl_off_t bodyBytes = 0;
};

// "HTTP/1.1 200 OK" gives 200; a line of no version ("HTTP/-1.1 204") or of no three-digit
// status gives -1, however leniently the transfer itself read it.
int StatusOfLine(const char* line, size_t length)
{
    size_t at = 5;  // past "HTTP/"
    const size_t majorStart = at;
    while (at < length && line[at] >= '0' && line[at] <= '9')
        ++at;
    if (at == majorStart)
        return -1;
    if (at < length && line[at] == '.')
    {
        const size_t minorStart = ++at;
        while (at < length && line[at] >= '0' && line[at] <= '9')
            ++at;
        if (at == minorStart)
            return -1;
    }
    if (at + 4 > length || line[at] != ' ')
        return -1;
    int status = 0;
    for (size_t i = at + 1; i < at + 4; ++i)
    {
        if (line[i] < '0' || line[i] > '9')
            return -1;
        status = status * 10 + (line[i] - '0');
    }
    const bool ended = at + 4 == length || line[at + 4] == ' ' || line[at + 4] == '\r' || line[at + 4] == '\n';
    return ended ? status : -1;
}

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
    {
        state->headersEnded = false;
        state->statusOfLine = StatusOfLine(data, length);
    }
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
    return status == 200 && state.statusOfLine == 200 && state.headersEnded &&
           (announced < 0 || announced == state.bodyBytes);
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
