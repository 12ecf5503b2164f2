// Downloads one address into a file (update lists and update files).
#pragma once
#include <afx.h>

// Creates or truncates targetPath and writes the response body of address into it (redirects
// are not followed; 5 s to connect, and a transfer that stalls for 15 s fails). True when the transfer succeeded; otherwise the target is
// deleted and the result is false. False without any request when the target cannot be
// created (for instance in a missing directory).
bool DownloadFile(LPCSTR address, LPCSTR targetPath);
