#include "DownloadFile.h"

#include "PathText.h"

#include <curl/curl.h>
#include <stdio.h>

namespace {

size_t WriteToFile(char* data, size_t size, size_t count, void* userData)
{
    return fwrite(data, size, count, static_cast<FILE*>(userData)) * size;
}

CURLcode Transfer(LPCSTR address, FILE* target, const DownloadTimeouts& timeouts)
{
    CURL* curl = curl_easy_init();
    if (curl == NULL)
        return CURLE_FAILED_INIT;
    curl_easy_setopt(curl, CURLOPT_URL, address);
    curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, WriteToFile);
    curl_easy_setopt(curl, CURLOPT_WRITEDATA, target);
    curl_easy_setopt(curl, CURLOPT_MAXREDIRS, 5L);
    curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
    // An HTTP error page is not the file we asked for.
    curl_easy_setopt(curl, CURLOPT_FAILONERROR, 1L);
    // No limit on the whole transfer (an update file may be large on a slow line), but a
    // server that never answers or stops sending must not hold the caller for ever.
    curl_easy_setopt(curl, CURLOPT_CONNECTTIMEOUT, timeouts.connectSeconds);
    curl_easy_setopt(curl, CURLOPT_LOW_SPEED_TIME, timeouts.lowSpeedSeconds);
    curl_easy_setopt(curl, CURLOPT_LOW_SPEED_LIMIT, timeouts.lowSpeedBytes);
    const CURLcode result = curl_easy_perform(curl);
    curl_easy_cleanup(curl);
    return result;
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

    const CURLcode result = Transfer(address, temporary, timeouts);
    const bool closed = fclose(temporary) == 0;
    const bool replaced = result == CURLE_OK && closed
                          && MoveFileExA(temporaryPath, targetPath,
                                         MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
    if (!replaced)
        DeleteFileA(temporaryPath);
    return replaced;
}
