#include "ThreadStop.h"

bool WaitForThreadEnd(HANDLE hThread, DWORD timeoutMs)
{
    if (hThread == NULL)
        return true;
    const DWORD start = GetTickCount();
    for (;;)
    {
        DWORD elapsed = GetTickCount() - start;
        DWORD remaining = elapsed >= timeoutMs ? 0 : timeoutMs - elapsed;
        DWORD wait = MsgWaitForMultipleObjects(1, &hThread, FALSE, remaining, QS_SENDMESSAGE);
        if (wait == WAIT_OBJECT_0)
            return true;
        if (wait != WAIT_OBJECT_0 + 1)
            return WaitForSingleObject(hThread, 0) == WAIT_OBJECT_0;
        // Peeking delivers the messages sent to this thread; nothing posted is removed.
        MSG msg;
        PeekMessage(&msg, NULL, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
    }
}

void EndThreadAndClose(HANDLE& hThread, DWORD timeoutMs)
{
    if (hThread == NULL)
        return;
    if (!WaitForThreadEnd(hThread, timeoutMs))
    {
        // Last resort of a worker stuck beyond its transfer time-outs.
        TerminateThread(hThread, 1);
        WaitForSingleObject(hThread, 1000);
    }
    CloseHandle(hThread);
    hThread = NULL;
}
