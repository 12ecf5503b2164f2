// Waiting for other threads to end. The workers of this program deliver to the main window
// with SendMessage, so a window's thread that waits for one of them must keep answering the
// messages sent to it; otherwise the worker sits in its send, the wait runs out and both
// sides are stuck. Posted messages stay queued: nothing else runs inside the wait.
#pragma once
#include <afx.h>
#include <string>
#include <vector>

// Waits until every handle is signalled or timeoutMs has passed (INFINITE for no limit),
// answering sent messages meanwhile when the calling thread owns windows. Any number of
// handles; null handles count as signalled. True when all were signalled.
bool WaitForThreads(const HANDLE* handles, size_t count, DWORD timeoutMs);
bool WaitForThreads(const std::vector<HANDLE>& handles, DWORD timeoutMs);
bool WaitForThread(HANDLE thread, DWORD timeoutMs);

// Writes to the debugger log that a thread did not end within the wait. Such a thread is
// never killed (it may hold a lock of the heap, of libcurl or of a connection): it is left
// running with everything it uses kept alive. The name is also kept for ThreadsLeftRunning.
void ReportThreadLeftRunning(const char* name, DWORD waitedMs);
// Every name reported so far by ReportThreadLeftRunning in this process, in order.
std::vector<std::string> ThreadsLeftRunning();
