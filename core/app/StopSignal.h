// A worker thread's stop request, made to reach the calls the worker blocks in. A call that
// waits on something the flag cannot interrupt (an HTTP transfer waiting for a silent server)
// registers a waker while it waits; raising the signal runs every waker, so the call returns
// at once instead of at its own time-out. A thread names its signal with SetForCurrentThread,
// and the blocking helpers look it up there: they need no parameter to be stoppable.
#pragma once
#include <afx.h>
#include <functional>
#include <map>

class CStopSignal
{
public:
    CStopSignal();
    ~CStopSignal();
    CStopSignal(const CStopSignal&) = delete;
    CStopSignal& operator=(const CStopSignal&) = delete;

    // Sets the flag and the event and runs every registered waker (under the signal's lock:
    // a waker must only nudge, never block). Any thread; raising twice does nothing more.
    void Raise();
    // Clears the flag and the event for a new run; only while no thread waits on them.
    void Lower();
    bool IsRaised() const { return m_raised != 0; }
    // Manual reset: set from the raise on.
    HANDLE GetEvent() const { return m_event; }

    // Registers a waker for a blocking call; 0 (and wake not kept) when the signal is raised
    // already, so the caller must not begin to wait. RemoveWaker returns only when the waker
    // is not running and will not run any more: what it reaches may go after that.
    int AddWaker(std::function<void()> wake);
    void RemoveWaker(int id);

    // The signal of the calling thread; null for threads that have none.
    static CStopSignal* OfCurrentThread();
    // Makes signal the calling thread's (null forgets it). The signal must outlive its use.
    static void SetForCurrentThread(CStopSignal* signal);
    // True when the calling thread has a signal and it is raised.
    static bool IsCurrentThreadStopped();

private:
    volatile LONG m_raised;
    HANDLE m_event;
    mutable CRITICAL_SECTION m_lock;  // the wakers, and the raise that runs them
    std::map<int, std::function<void()>> m_wakers;
    int m_nextWaker;
};
