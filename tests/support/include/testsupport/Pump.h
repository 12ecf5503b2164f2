// Message pumping for tests: wait for a condition while the calling thread keeps
// dispatching its messages (windows created on it, timers, cross-thread SendMessage).
// There is deliberately no "pump for N milliseconds": tests wait for what they expect.
// Both pumps run the idle work of the program's message loop whenever they empty the queue
// (after a message that is a reason for it, as the loop does): temporary window and drawing
// objects handed out by FromHandle and SelectObject are deleted then, as in the program.
#pragma once

#include <winsock2.h>
#include <windows.h>

#include <functional>

namespace tolvan::test {

// Dispatches everything queued for the calling thread and returns once the queue is
// empty. A WM_QUIT found on the way is posted again so the caller's own loop sees it.
void PumpPending();

// Pumps the calling thread's messages until `condition` returns true (checked after every
// batch of messages and at least every few milliseconds) or `timeoutMs` passes. Returns
// whether the condition held; it is evaluated once more at the deadline.
bool PumpUntil(const std::function<bool()>& condition, DWORD timeoutMs = 30000);

// Runs `work` on a thread of its own while this one pumps, and returns when the work is done
// (after at most `timeoutMs` of pumping it still waits for the work to end). For work that
// waits on threads which deliver by SendMessage to windows of this thread.
void WhilePumping(const std::function<void()>& work, DWORD timeoutMs = 60000);

}  // namespace tolvan::test
