#include "ShutdownPlan.h"

#include "ThreadWait.h"

#include <process.h>

#include <algorithm>
#include <initializer_list>

CShutdownPlan::CShutdownPlan() = default;

CShutdownPlan::~CShutdownPlan()
{
    if (m_thread != NULL)
    {
        ::WaitForSingleObject(m_thread, INFINITE);
        ::CloseHandle(m_thread);
    }
}

void CShutdownPlan::Add(ShutdownStage stage, const char* name, StopFunction stop)
{
    Stop entry;
    entry.stage = stage;
    entry.name = name;
    entry.stop = std::move(stop);
    if (stage == SHUTDOWN_WITH_RECEIVERS)
    {
        m_first.push_back(std::move(entry));
        return;
    }
    // After every stop of the same or an earlier stage.
    auto place = std::upper_bound(m_later.begin(), m_later.end(), stage,
                                  [](ShutdownStage value, const Stop& other) { return value < other.stage; });
    m_later.insert(place, std::move(entry));
}

void CShutdownPlan::SetBounds(DWORD firstGroupMs, DWORD eachLaterMs)
{
    m_firstGroupMs = firstGroupMs;
    m_eachLaterMs = eachLaterMs;
}

void CShutdownPlan::RunStops()
{
    ::InterlockedExchange(&m_busy, 1);
    // The first group shares its bound: each stop gets what the earlier ones left.
    const DWORD start = ::GetTickCount();
    for (Stop& entry : m_first)
    {
        const DWORD elapsed = ::GetTickCount() - start;
        const DWORD left = elapsed >= m_firstGroupMs ? 0 : m_firstGroupMs - elapsed;
        RunStop(entry, left, m_firstGroupMs);
    }
    for (Stop& entry : m_later)
        RunStop(entry, m_eachLaterMs, m_eachLaterMs);
    ::InterlockedExchange(&m_busy, 0);
}

void CShutdownPlan::RunStop(Stop& entry, DWORD waitMs, DWORD reportedBoundMs)
{
    const DWORD start = ::GetTickCount();
    entry.ended = entry.stop(waitMs);
    entry.tookMs = ::GetTickCount() - start;
    if (!entry.ended)
        ReportThreadLeftRunning(entry.name.c_str(), reportedBoundMs);
}

unsigned __stdcall CShutdownPlan::ThreadEntry(void* plan)
{
    static_cast<CShutdownPlan*>(plan)->RunStops();
    return 0;
}

void CShutdownPlan::PumpPending()
{
    MSG msg;
    while (::PeekMessage(&msg, NULL, 0, 0, PM_REMOVE))
    {
        if (msg.message == WM_QUIT)
        {
            // The modal loop that follows must still see it.
            ::PostQuitMessage(static_cast<int>(msg.wParam));
            return;
        }
        ::TranslateMessage(&msg);
        ::DispatchMessage(&msg);
    }
}

bool CShutdownPlan::RunPumping(DWORD pumpMs)
{
    ::InterlockedExchange(&m_busy, 1);
    const uintptr_t thread = _beginthreadex(nullptr, 0, ThreadEntry, this, 0, nullptr);
    if (thread == 0)
    {
        // No thread: stop on this one, still answering sent messages through the waits.
        RunStops();
        return true;
    }
    m_thread = reinterpret_cast<HANDLE>(thread);
    const DWORD start = ::GetTickCount();
    for (;;)
    {
        const DWORD elapsed = ::GetTickCount() - start;
        if (elapsed >= pumpMs)
            break;
        const DWORD result = ::MsgWaitForMultipleObjects(1, &m_thread, FALSE, pumpMs - elapsed, QS_ALLINPUT);
        if (result == WAIT_OBJECT_0)
            break;
        PumpPending();
    }
    if (::WaitForSingleObject(m_thread, 0) != WAIT_OBJECT_0)
    {
        ReportThreadLeftRunning("worker stops", pumpMs);
        return false;
    }
    ::CloseHandle(m_thread);
    m_thread = NULL;
    return true;
}

std::vector<CShutdownPlan::Outcome> CShutdownPlan::Outcomes() const
{
    std::vector<Outcome> outcomes;
    for (const std::vector<Stop>* group : {&m_first, &m_later})
        for (const Stop& entry : *group)
            outcomes.push_back(Outcome{entry.name, entry.tookMs, entry.ended});
    return outcomes;
}

std::vector<std::string> CShutdownPlan::LeftRunning() const
{
    std::vector<std::string> names;
    for (const Stop& entry : m_first)
        if (!entry.ended)
            names.push_back(entry.name);
    for (const Stop& entry : m_later)
        if (!entry.ended)
            names.push_back(entry.name);
    return names;
}
