// Starting and ending a worker thread that keeps a "running" flag: the flag is raised before
// the thread starts, so the owner never sees a fresh worker as idle, and the worker lowers
// it as its last act.
#pragma once

#include <afx.h>

// Raises `running` and starts entry(context) on a new thread. Null (with `running` lowered
// again) when the thread cannot be started.
HANDLE StartWorkerThread(unsigned(__stdcall* entry)(void*), void* context, volatile LONG& running);

// Waits up to timeoutMs for the thread to end (the owner has asked it to stop); one that does
// not end is terminated and `running` lowered for it. Closes the handle and sets it to null.
// Nothing happens for a null handle.
void EndWorkerThread(HANDLE& thread, DWORD timeoutMs, volatile LONG& running);
