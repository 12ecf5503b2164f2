#include "SymbolListThread.h"

#include "MarketDataMessages.h"
#include "MarketListProc.h"
#include "WebServices.h"

#include <map>
#include <mutex>

namespace {

const DWORD kListBudgetMs = 20000;
const DWORD kShowPauseMs = 1000;
// The one-shot timer that starts the thread; any id the main window's own timers do not use.
const UINT_PTR kStartTimerId = 0x4C53;

struct StepMessage
{
    UINT message;
    WPARAM wParam;
};

const StepMessage kStepMessages[4] = {
    {WM_MARKETLIST_READY, 1},
    {WM_MARKETINFO_READY, 1},
    {WM_MARKETLIST_READY, 0},
    {WM_MARKETINFO_READY, 0},
};

struct ThreadArgument
{
    HWND mainWindow;
    SymbolListSources sources;
};

// Sources waiting for their window's timer.
std::mutex g_pendingLock;
std::map<HWND, SymbolListSources> g_pending;

DWORD WINAPI SymbolListThread(void* argument)
{
    ThreadArgument* block = static_cast<ThreadArgument*>(argument);
    const HWND mainWindow = block->mainWindow;
    StartupClock clock;
    clock.now = [] { return ::GetTickCount(); };
    clock.sleep = [](DWORD ms) { ::Sleep(ms); };
    clock.stopped = [mainWindow] { return !::IsWindow(mainWindow); };
    RunSymbolListWait(mainWindow, block->sources, GetStartupNotice(), clock);
    delete block;
    return 0;
}

void CALLBACK StartWhenIdle(HWND window, UINT, UINT_PTR id, DWORD)
{
    ::KillTimer(window, id);
    ThreadArgument* block = new ThreadArgument{window, SymbolListSources()};
    {
        std::lock_guard<std::mutex> guard(g_pendingLock);
        auto found = g_pending.find(window);
        if (found == g_pending.end())
        {
            delete block;
            return;
        }
        block->sources = found->second;
        g_pending.erase(found);
    }
    HANDLE thread = ::CreateThread(NULL, 0, SymbolListThread, block, 0, NULL);
    if (thread == NULL)
        delete block;
    else
        ::CloseHandle(thread);
}

}  // namespace

SymbolListSources DefaultSymbolListSources()
{
    CAMarketListProc& lists = GetMarketListProc();
    SymbolListSources sources;
    sources.fetchNotice = [](NoticeRecord& notice) { FetchNotices("", notice); };
    sources.ready[0] = [&lists] { return lists.IsCsmListReady(); };
    sources.ready[1] = [&lists] { return lists.IsCsmInfoReady(); };
    sources.ready[2] = [&lists] { return lists.IsHksListReady(); };
    sources.ready[3] = [&lists] { return lists.IsHksInfoReady(); };
    sources.lists[0] = &lists.GetCsmItems();
    sources.lists[1] = &lists.GetCsmRows();
    sources.lists[2] = &lists.GetHksItems();
    sources.lists[3] = &lists.GetHksRows();
    return sources;
}

NoticeRecord& GetStartupNotice()
{
    static NoticeRecord* notice = new NoticeRecord;
    return *notice;
}

void RunSymbolListWait(HWND mainWindow, const SymbolListSources& sources, NoticeRecord& notice,
                       const StartupClock& clock)
{
    if (sources.fetchNotice)
        sources.fetchNotice(notice);
    std::vector<InstrumentListStep> steps;
    for (int i = 0; i < 4; ++i)
    {
        const StepMessage step = kStepMessages[i];
        const void* list = sources.lists[i];
        steps.push_back(InstrumentListStep{sources.ready[i], [mainWindow, step, list] {
            ::SendMessage(mainWindow, step.message, step.wParam, reinterpret_cast<LPARAM>(list));
        }});
    }
    WaitForInstrumentLists(steps, kListBudgetMs, clock);
    if (clock.stopped && clock.stopped())
        return;
    clock.sleep(kShowPauseMs);
    if (!(clock.stopped && clock.stopped()))
        ::SendMessage(mainWindow, WM_SHOW_NOTICES, 0, 0);
}

void StartSymbolListThread(HWND mainWindow, const SymbolListSources& sources)
{
    {
        std::lock_guard<std::mutex> guard(g_pendingLock);
        g_pending[mainWindow] = sources;
    }
    // A timer message comes only when the window's queue is empty, that is once the
    // initialisation has returned to the message loop.
    ::SetTimer(mainWindow, kStartTimerId, 0, StartWhenIdle);
}

void StartSymbolListThread(HWND mainWindow)
{
    StartSymbolListThread(mainWindow, DefaultSymbolListSources());
}
