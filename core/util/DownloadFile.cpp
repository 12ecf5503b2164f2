#include "DownloadFile.h"

#include <curl/curl.h>
#include <stdio.h>

namespace {

const long kConnectTimeoutSeconds = 5;
// Below this many bytes a second for kLowSpeedSeconds the transfer is given up.
const long kLowSpeedBytesPerSecond = 1;
const long kLowSpeedSeconds = 15;

size_t WriteToFile(char* data, size_t size, size_t count, void* userData)
{
    return fwrite(data, size, count, static_cast<FILE*>(userData)) * size;
}

} // namespace

bool DownloadFile(LPCSTR address, LPCSTR targetPath)
{
    if (address == NULL || targetPath == NULL || *targetPath == '\0')
        return false;
    FILE* target = fopen(targetPath, "wb");
    if (target == NULL)
        return false;

    CURLcode result = CURLE_FAILED_INIT;
    CURL* curl = curl_easy_init();
    if (curl != NULL)
    {
        curl_easy_setopt(curl, CURLOPT_URL, address);
        curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, WriteToFile);
        curl_easy_setopt(curl, CURLOPT_WRITEDATA, target);
        curl_easy_setopt(curl, CURLOPT_MAXREDIRS, 5L);
        curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
        // An HTTP error page is not the file we asked for.
        curl_easy_setopt(curl, CURLOPT_FAILONERROR, 1L);
        // A dead or stalled server must not hold the update check forever.
        curl_easy_setopt(curl, CURLOPT_CONNECTTIMEOUT, kConnectTimeoutSeconds);
        curl_easy_setopt(curl, CURLOPT_LOW_SPEED_LIMIT, kLowSpeedBytesPerSecond);
        curl_easy_setopt(curl, CURLOPT_LOW_SPEED_TIME, kLowSpeedSeconds);
        result = curl_easy_perform(curl);
        curl_easy_cleanup(curl);
    }
    bool closed = fclose(target) == 0;
    if (result != CURLE_OK || !closed)
    {
        DeleteFileA(targetPath);
        return false;
    }
    return true;
}
