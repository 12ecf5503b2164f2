// The initial load after a query login: account summary, positions and today's orders are
// asked for one after the other, each up to three times, so the trading views fill without
// the user asking. It runs on a thread of its own, started by the query connection's parser
// when a query login is accepted; the parser notes which replies arrived.
#pragma once
#include <afx.h>
#include <functional>

#include "StoppableThread.h"

class CConnectionRegistry;
class IReceiverHost;

class CInitialQuery
{
public:
    enum Arrival
    {
        SUMMARY_ARRIVED = 0,
        POSITIONS_ARRIVED,
        ORDERS_ARRIVED,
        ARRIVAL_COUNT
    };

    CInitialQuery(IReceiverHost& host, CConnectionRegistry& registry);
    // Stops a run that is still going and waits for it (it works on this object).
    ~CInitialQuery();
    CInitialQuery(const CInitialQuery&) = delete;
    CInitialQuery& operator=(const CInitialQuery&) = delete;

    void NoteArrival(Arrival arrival);
    bool HasArrived(Arrival arrival) const;
    void ClearArrivals();

    // Starts a new run. A run of an earlier login that is still going is stopped first (it
    // ends at its next wait, answering what it is sending), so one login never leaves a
    // thread behind. False when the thread cannot be started, or when the earlier run did
    // not end in time: it is left running (reported) and no second run starts beside it.
    bool Start();
    // Asks a running load to end and waits up to timeoutMs, answering sent messages. True
    // when no run is left; one that did not end is reported and left running.
    bool Stop(DWORD timeoutMs);
    // Only sets the stop request (the shutdown waits for all threads together).
    void RequestStop();
    bool IsRunning() const { return m_worker.IsAlive(); }
    // The current run's thread, null when none was started or it was stopped.
    HANDLE GetThreadHandle() const { return m_worker.GetHandle(); }

    // Length of one wait step (100 ms by default; tests shorten it).
    void SetStepMs(DWORD stepMs) { m_stepMs = stepMs; }

    // The run itself: -1 when there is no query session, else 0.
    int Run();

private:
    // False when the run must end (stop request, or the query login was lost while
    // watchConnection).
    bool WaitSteps(int steps, bool watchConnection, Arrival* arrival);
    // Up to three tries of send, each followed by up to ten steps of waiting for arrival.
    // False when the run must end.
    bool AskUntilAnswered(Arrival arrival, const std::function<void()>& send);

    IReceiverHost& m_host;
    CConnectionRegistry& m_registry;
    volatile LONG m_arrived[ARRIVAL_COUNT];
    CStoppableThread m_worker;
    DWORD m_stepMs;
};
