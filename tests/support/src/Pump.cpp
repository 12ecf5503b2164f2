#include "testsupport/Pump.h"

#include <afxwin.h>

#include <atomic>
#include <thread>

namespace tolvan::test {

namespace {

// How long one wait may last when no message arrives: the condition usually depends on
// other threads, which do not wake this one.
const DWORD kWakeIntervalMs = 5;

// The idle work of the program's message loop once its queue is empty: the thread's
// OnIdle rounds, which delete the temporary window and drawing objects that FromHandle and
// SelectObject hand out. A test that pumped without it would let code keep such an object
// across messages, which the program frees under it.
void RunIdle()
{
    if (CWinThread* thread = AfxGetThread()) {
        for (LONG round = 0; thread->OnIdle(round); ++round) {
        }
        return;
    }
    AfxDeleteTempObjects();
}

// Dispatches the queued messages, then runs the idle work when one of them was a reason
// for it (as the program's loop does: a repaint or the caret's blink is none); returns true
// when a WM_QUIT was taken off the queue.
bool DispatchQueued(int& quitCode, bool& idleDue)
{
    bool quit = false;
    MSG msg;
    while (PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            quit = true;
            quitCode = static_cast<int>(msg.wParam);
            continue;
        }
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
        if (AfxIsIdleMessage(&msg))
            idleDue = true;
    }
    if (idleDue) {
        idleDue = false;
        RunIdle();
    }
    return quit;
}

}  // namespace

void PumpPending()
{
    int quitCode = 0;
    // The program's loop runs its idle work whenever it finds its queue empty at the start.
    bool idleDue = true;
    if (DispatchQueued(quitCode, idleDue))
        PostQuitMessage(quitCode);
}

bool PumpUntil(const std::function<bool()>& condition, DWORD timeoutMs)
{
    const ULONGLONG deadline = GetTickCount64() + timeoutMs;
    bool quit = false;
    int quitCode = 0;
    bool satisfied = false;
    bool idleDue = true;
    for (;;) {
        quit = DispatchQueued(quitCode, idleDue) || quit;
        if (condition()) {
            satisfied = true;
            break;
        }
        const ULONGLONG now = GetTickCount64();
        if (now >= deadline)
            break;
        const ULONGLONG left = deadline - now;
        const DWORD wait = left < kWakeIntervalMs ? static_cast<DWORD>(left) : kWakeIntervalMs;
        MsgWaitForMultipleObjectsEx(0, NULL, wait, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
    }
    if (quit)
        PostQuitMessage(quitCode);
    return satisfied;
}

void WhilePumping(const std::function<void()>& work, DWORD timeoutMs)
{
    std::atomic<bool> done(false);
    std::thread worker([&] {
        work();
        done = true;
    });
    PumpUntil([&] { return done.load(); }, timeoutMs);
    worker.join();
}

}  // namespace tolvan::test
