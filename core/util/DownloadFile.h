// Downloads one address into a file (update lists and update files).
#pragma once
#include <afx.h>

// How long a transfer may wait: for the connection, and while fewer than lowSpeedBytes per
// second arrive (a server that accepts and then stays silent ends the transfer after
// lowSpeedSeconds).
struct DownloadTimeouts
{
    long connectSeconds = 10;
    long lowSpeedSeconds = 30;
    long lowSpeedBytes = 1;
};

// Writes the response body of address into a temporary file beside targetPath and puts it in
// the target's place only when the transfer succeeded: a complete "200" answer whose body has
// the length the server announced, if it announced one (redirects are not followed, so a
// redirect fails like every other status). On any
// failure the result is false, the temporary file is deleted and an existing target is left
// as it was. False without any request when no file can be created beside the target (for
// instance in a missing directory).
bool DownloadFile(LPCSTR address, LPCSTR targetPath, const DownloadTimeouts& timeouts = DownloadTimeouts());
