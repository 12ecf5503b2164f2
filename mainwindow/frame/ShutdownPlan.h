// The worker stops of the main window's end, run in their order on a thread of their own
// while the user-interface thread keeps dispatching messages (the workers deliver to the main
// window by SendMessage in their last cycle). First the status-bar clock and the reply
// receivers, together within one bound; then every other worker one after the other, each
// with a bound of its own, stage by stage whatever the order they were added in. A worker
// that does not end in time is reported and left running, never killed; its owner keeps what
// it uses alive.
#pragma once

#include <winsock2.h>
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

// When a worker is stopped at the end, earliest first.
enum ShutdownStage
{
    SHUTDOWN_WITH_RECEIVERS,  // the status-bar clock and the reply receivers: one shared bound
    SHUTDOWN_POLLERS,         // the web quote pollers
    SHUTDOWN_LOADERS,         // the K-line loaders
    SHUTDOWN_DOWNLOADS,       // the instrument lists and the other download tasks
    SHUTDOWN_HISTORY,         // the history download
};

class CShutdownPlan
{
public:
    // Asks a worker to end and waits at most waitMs; true when it has ended.
    typedef std::function<bool(DWORD waitMs)> StopFunction;

    static const DWORD kFirstGroupMs = 3000;
    static const DWORD kEachLaterMs = 2000;
    static const DWORD kPumpMs = 5000;

    CShutdownPlan();
    // Waits for a stopping thread that is still running rather than free what it reads.
    ~CShutdownPlan();
    CShutdownPlan(const CShutdownPlan&) = delete;
    CShutdownPlan& operator=(const CShutdownPlan&) = delete;

    // Stops of the first stage share one bound; every later stop has its own. Within a
    // stage, stops run in the order they were added.
    void Add(ShutdownStage stage, const char* name, StopFunction stop);

    // Runs the stops on a new thread and dispatches this thread's messages until they are
    // done or pumpMs has passed. True when the stopping thread finished in time (each worker
    // may still have been left running: see LeftRunning).
    bool RunPumping(DWORD pumpMs = kPumpMs);
    // Runs the stops on the calling thread (tests, and the plan's own thread).
    void RunStops();

    bool IsBusy() const { return m_busy != 0; }
    // Names of the workers that did not end within their bound.
    std::vector<std::string> LeftRunning() const;

    // How each stop went, in the order they ran; read only once the stops are done.
    struct Outcome
    {
        std::string name;
        DWORD tookMs;
        bool ended;
    };
    std::vector<Outcome> Outcomes() const;

    // Overrides the bounds (tests).
    void SetBounds(DWORD firstGroupMs, DWORD eachLaterMs);

private:
    struct Stop
    {
        ShutdownStage stage;
        std::string name;
        StopFunction stop;
        bool ended = false;
        DWORD tookMs = 0;
    };
    // Runs one stop with this bound, timing it; reports it when it did not end.
    static void RunStop(Stop& entry, DWORD waitMs, DWORD reportedBoundMs);
    static unsigned __stdcall ThreadEntry(void* plan);
    static void PumpPending();

    std::vector<Stop> m_first;
    std::vector<Stop> m_later;  // kept in stage order
    DWORD m_firstGroupMs = kFirstGroupMs;
    DWORD m_eachLaterMs = kEachLaterMs;
    volatile LONG m_busy = 0;
    HANDLE m_thread = NULL;
};
