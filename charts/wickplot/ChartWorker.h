// One worker thread of a chart window: it runs passes of work while they find work, sleeps
// until woken (or 50 ms, to see busy flags cleared) and ends when told. The window stops it
// by its event and waits for it, answering messages that the worker sends meanwhile; it is
// never terminated.
#pragma once
#include <afx.h>

class CChartWorker
{
public:
    // One pass; true when it did work (the next pass follows at once).
    typedef bool (*PassFunction)(void* context);

    CChartWorker() = default;
    ~CChartWorker();
    CChartWorker(const CChartWorker&) = delete;
    CChartWorker& operator=(const CChartWorker&) = delete;

    // Starts the thread unless it runs already. False when it cannot be started.
    bool Start(PassFunction pass, void* context);
    bool IsStarted() const { return m_hThread != NULL; }
    void Wake();
    // Signals the stop event and waits up to timeoutMs. False when the thread is still
    // running: it is reported and left alone, and the caller must keep its context alive.
    bool Stop(DWORD timeoutMs);

private:
    static unsigned __stdcall Main(void* self);
    void Close();

    HANDLE m_hThread = NULL;
    HANDLE m_hStop = NULL;
    HANDLE m_hWake = NULL;
    PassFunction m_pass = nullptr;
    void* m_context = nullptr;
};
