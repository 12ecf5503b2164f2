// Ending the market-data workers. Workers report to the main window with SendMessage, so a
// thread that waits for one of them must keep answering sent messages meanwhile: otherwise
// the worker blocks in its send, the wait runs out and the worker is killed mid-call.
#pragma once
#include <afx.h>

// Waits up to timeoutMs for the thread to end while dispatching the messages other threads
// send to the calling thread (posted messages stay queued). True when it ended.
bool WaitForThreadEnd(HANDLE hThread, DWORD timeoutMs);

// Waits as above, terminates the thread when it has not ended in time, closes the handle and
// sets it to null. Nothing happens for a null handle.
void EndThreadAndClose(HANDLE& hThread, DWORD timeoutMs);
