#include "ChartWorker.h"
#include <process.h>

CChartWorker::~CChartWorker()
{
    // A worker that ended is closed by Stop; one that would not end keeps its handles.
    if (m_hThread == NULL)
        Close();
}

bool CChartWorker::Start(PassFunction pass, void* context)
{
    if (m_hThread != NULL)
        return true;
    m_pass = pass;
    m_context = context;
    m_hStop = CreateEventA(NULL, TRUE, FALSE, NULL);
    m_hWake = CreateEventA(NULL, FALSE, FALSE, NULL);
    if (m_hStop == NULL || m_hWake == NULL)
    {
        Close();
        return false;
    }
    m_hThread = (HANDLE)_beginthreadex(NULL, 0, &CChartWorker::Main, this, 0, NULL);
    if (m_hThread == NULL)
    {
        Close();
        return false;
    }
    return true;
}

void CChartWorker::Wake()
{
    if (m_hWake != NULL)
        SetEvent(m_hWake);
}

unsigned __stdcall CChartWorker::Main(void* self)
{
    CChartWorker* worker = static_cast<CChartWorker*>(self);
    HANDLE events[2] = {worker->m_hStop, worker->m_hWake};
    for (;;)
    {
        while (WaitForSingleObject(worker->m_hStop, 0) != WAIT_OBJECT_0 &&
               worker->m_pass(worker->m_context))
        {
        }
        if (WaitForMultipleObjects(2, events, FALSE, 50) == WAIT_OBJECT_0)
            return 0;
    }
}

bool CChartWorker::Stop(DWORD timeoutMs)
{
    if (m_hThread == NULL)
    {
        Close();
        return true;
    }
    SetEvent(m_hStop);
    DWORD start = GetTickCount();
    for (;;)
    {
        DWORD elapsed = GetTickCount() - start;
        DWORD left = elapsed >= timeoutMs ? 0 : timeoutMs - elapsed;
        // The worker may be sending to a window of this thread: answer while waiting.
        DWORD result = MsgWaitForMultipleObjects(1, &m_hThread, FALSE, left, QS_SENDMESSAGE);
        if (result == WAIT_OBJECT_0)
            break;
        if (result == WAIT_OBJECT_0 + 1)
        {
            MSG msg;
            PeekMessageA(&msg, NULL, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
            continue;
        }
        OutputDebugStringA("Wickplot: a chart worker did not end; it is left running\n");
        return false;
    }
    CloseHandle(m_hThread);
    m_hThread = NULL;
    Close();
    return true;
}

void CChartWorker::Close()
{
    if (m_hStop != NULL)
        CloseHandle(m_hStop);
    if (m_hWake != NULL)
        CloseHandle(m_hWake);
    m_hStop = m_hWake = NULL;
}
