// One reply receiver: a thread that serves one server connection every 100 ms, takes the
// messages the connection queued, parses them and hands the records to the main window with
// synchronous messages. The kinds of connection differ only in what a cycle does.
#pragma once
#include <afx.h>

#include "StoppableThread.h"

class CNetwork;
class IReceiverHost;

class CReplyReceiver
{
public:
    CReplyReceiver(IReceiverHost& host, CNetwork* connection);
    // Derived receivers stop the thread in their destructors, while their parts still exist.
    virtual ~CReplyReceiver();
    CReplyReceiver(const CReplyReceiver&) = delete;
    CReplyReceiver& operator=(const CReplyReceiver&) = delete;

    // Starts the thread, paused or not. False when it cannot be started.
    bool Start(bool paused = false);
    // Asks the thread to end after its current cycle (also whatever it started itself).
    virtual void RequestStop();
    // RequestStop, then waits up to timeoutMs, answering sent messages. True when the thread
    // ended (its handle is closed); one that did not is reported and left running.
    bool Stop(DWORD timeoutMs);
    // Null when no thread was started or it was stopped.
    HANDLE GetThreadHandle() const { return m_worker.GetHandle(); }
    // True while the receiver's thread, or a thread it started, has not ended: the receiver
    // must not be freed then.
    virtual bool IsRunning() const { return m_worker.IsAlive(); }

    // While paused the thread only sleeps: queued messages wait in the connection.
    void SetPaused(bool paused);
    bool IsPaused() const { return m_paused != 0; }
    // Length of one cycle (100 ms; tests shorten it).
    void SetCycleMs(DWORD cycleMs) { m_cycleMs = cycleMs; }

    // Cycles the thread has gone through (paused ones included).
    LONG GetCycleCount() const { return m_cycles; }

    CNetwork* GetConnection() const { return m_connection; }
    IReceiverHost& GetHost() const { return m_host; }

    // The work of one cycle; the thread calls it every cycle unless paused.
    virtual void RunCycle() = 0;

protected:
    // For the destructors of derived receivers, whose parts the thread uses: stops the thread
    // and, when it has not ended within timeoutMs, waits on rather than free under it.
    void StopBeforeDestruction(DWORD timeoutMs) { RequestStop(); m_worker.Join(timeoutMs); }
    // Called on the receiver's thread after its last cycle.
    virtual void OnThreadEnd() {}
    // True when the connection's client is connected.
    bool IsConnectionUp() const;

    IReceiverHost& m_host;
    CNetwork* m_connection;  // not owned

private:
    void Loop();

    CStoppableThread m_worker;
    volatile LONG m_paused;
    volatile LONG m_cycles;
    DWORD m_cycleMs;
};
