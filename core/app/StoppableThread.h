// One worker thread with a stop request and a wake-up, owned by the object whose work it
// does. The worker waits only through WaitForWake (or on GetStopEvent), so a stop reaches it
// at once; the owner stops it with a bounded wait that answers sent messages. A worker that
// does not end within the bound is reported and left running: it is never killed, and the
// owner must keep alive what it uses (the destructor waits for it rather than free it).
// The stop request is the worker's stop signal: its HTTP transfers end as soon as it rises.
#pragma once
#include <afx.h>
#include <functional>
#include "StopSignal.h"

class CStoppableThread
{
public:
    // name: for the log when the thread will not end.
    explicit CStoppableThread(const char* name);
    // Join(0) for a thread still running: the owner's members it works on are about to be
    // freed.
    ~CStoppableThread();
    CStoppableThread(const CStoppableThread&) = delete;
    CStoppableThread& operator=(const CStoppableThread&) = delete;

    // Runs work on a new thread with the stop request lowered. False when the previous
    // thread of this object is still alive (it was asked to stop and has not ended) or no
    // thread could be started. The handle of a previous thread that ended is closed here.
    bool Start(std::function<void()> work);

    // Raises the stop request and wakes the worker; returns at once.
    void RequestStop();
    // RequestStop, then waits up to timeoutMs for the thread to end. True when no thread is
    // alive any more (its handle is closed); false when it is still running (reported) or
    // when called on the worker itself, which cannot wait for its own end.
    bool Stop(DWORD timeoutMs);
    // For an owner about to free what the thread uses: Stop(reportAfterMs), and when the
    // thread has not ended by then, wait for it without limit instead of freeing under it.
    void Join(DWORD reportAfterMs);

    // Wakes the worker from WaitForWake without asking it to stop (new work is there).
    void Wake();
    // On the worker: waits up to ms for a wake-up or the stop request; true when a stop was
    // requested (then it returns at once).
    bool WaitForWake(DWORD ms);
    bool IsStopRequested() const { return m_stop.IsRaised(); }
    // Set (and kept set) by the stop request, for workers that wait on handles themselves.
    HANDLE GetStopEvent() const { return m_stop.GetEvent(); }

    // True from Start until the thread has ended.
    bool IsAlive() const;
    bool IsCurrentThread() const;
    // The current thread's handle, null when none was started (or it was closed by Stop).
    HANDLE GetHandle() const { return m_thread; }

private:
    struct Launch;
    static unsigned __stdcall Entry(void* launch);
    void CloseEndedThread();

    const char* m_name;
    HANDLE m_thread;
    unsigned m_threadId;
    CStopSignal m_stop;  // its event is manual reset: every later wait returns at once
    HANDLE m_wakeEvent;  // auto reset
};
