#include "testsupport/Pump.h"

#include <atomic>
#include <thread>

namespace tolvan::test {

namespace {

// How long one wait may last when no message arrives: the condition usually depends on
// other threads, which do not wake this one.
const DWORD kWakeIntervalMs = 5;

// Dispatches the queued messages; returns true when a WM_QUIT was taken off the queue.
bool DispatchQueued(int& quitCode)
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
    }
    return quit;
}

}  // namespace

void PumpPending()
{
    int quitCode = 0;
    if (DispatchQueued(quitCode))
        PostQuitMessage(quitCode);
}

bool PumpUntil(const std::function<bool()>& condition, DWORD timeoutMs)
{
    const ULONGLONG deadline = GetTickCount64() + timeoutMs;
    bool quit = false;
    int quitCode = 0;
    bool satisfied = false;
    for (;;) {
        quit = DispatchQueued(quitCode) || quit;
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
