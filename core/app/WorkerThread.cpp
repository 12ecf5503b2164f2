#include "WorkerThread.h"

#include <process.h>

HANDLE StartWorkerThread(unsigned(__stdcall* entry)(void*), void* context, volatile LONG& running)
{
    InterlockedExchange(&running, 1);
    HANDLE thread = (HANDLE)_beginthreadex(NULL, 0, entry, context, 0, NULL);
    if (thread == NULL)
        InterlockedExchange(&running, 0);
    return thread;
}

void EndWorkerThread(HANDLE& thread, DWORD timeoutMs, volatile LONG& running)
{
    if (thread == NULL)
        return;
    if (WaitForSingleObject(thread, timeoutMs) != WAIT_OBJECT_0)
    {
        // Last resort: workers check their stop request at every step, so a thread still
        // going after the wait hangs in a call that does not return.
        TerminateThread(thread, 1);
        InterlockedExchange(&running, 0);
    }
    CloseHandle(thread);
    thread = NULL;
}
