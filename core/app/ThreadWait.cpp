#include "ThreadWait.h"

#include <stdio.h>

#include <mutex>

namespace
{
// The reports of threads left running. Reported from any thread, also while the process
// ends: both live for the whole process.
std::mutex& LeftRunningLock()
{
    static std::mutex* lock = new std::mutex;
    return *lock;
}

std::vector<std::string>& LeftRunningNames()
{
    static std::vector<std::string>* names = new std::vector<std::string>;
    return *names;
}

// Milliseconds left of timeoutMs since start; INFINITE stays INFINITE.
DWORD Remaining(DWORD start, DWORD timeoutMs)
{
    if (timeoutMs == INFINITE)
        return INFINITE;
    const DWORD elapsed = ::GetTickCount() - start;
    return elapsed >= timeoutMs ? 0 : timeoutMs - elapsed;
}

// Answers the messages other threads have sent to this one. Peeking with PM_QS_SENDMESSAGE
// delivers them without taking any posted message off the queue.
void AnswerSentMessages()
{
    MSG msg;
    ::PeekMessage(&msg, NULL, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
}

bool WaitAnswering(HANDLE handle, DWORD start, DWORD timeoutMs)
{
    for (;;)
    {
        const DWORD result = ::MsgWaitForMultipleObjects(1, &handle, FALSE, Remaining(start, timeoutMs),
                                                         QS_SENDMESSAGE);
        if (result == WAIT_OBJECT_0)
            return true;
        if (result != WAIT_OBJECT_0 + 1)
            return ::WaitForSingleObject(handle, 0) == WAIT_OBJECT_0;
        AnswerSentMessages();
    }
}
}

bool WaitForThreads(const HANDLE* handles, size_t count, DWORD timeoutMs)
{
    // Only a thread with windows can be sent messages; asking would make any other thread
    // one with a message queue.
    const bool answer = ::IsGUIThread(FALSE) != FALSE;
    if (answer)
        AnswerSentMessages();
    const DWORD start = ::GetTickCount();
    // One at a time: a wait for all handles together would also wait for a message to arrive.
    for (size_t i = 0; i < count; ++i)
    {
        if (handles[i] == NULL)
            continue;
        const bool ended = answer ? WaitAnswering(handles[i], start, timeoutMs)
                                  : ::WaitForSingleObject(handles[i], Remaining(start, timeoutMs)) == WAIT_OBJECT_0;
        if (!ended)
            return false;
    }
    return true;
}

bool WaitForThreads(const std::vector<HANDLE>& handles, DWORD timeoutMs)
{
    return WaitForThreads(handles.empty() ? NULL : &handles[0], handles.size(), timeoutMs);
}

bool WaitForThread(HANDLE thread, DWORD timeoutMs)
{
    return WaitForThreads(&thread, 1, timeoutMs);
}

void ReportThreadLeftRunning(const char* name, DWORD waitedMs)
{
    char text[200];
    _snprintf(text, sizeof(text) - 1, "Tolvan: thread \"%s\" did not end within %lu ms; left running\n",
              name != NULL ? name : "?", (unsigned long)waitedMs);
    text[sizeof(text) - 1] = '\0';
    ::OutputDebugStringA(text);
    std::lock_guard<std::mutex> guard(LeftRunningLock());
    LeftRunningNames().push_back(name != NULL ? name : "?");
}

std::vector<std::string> ThreadsLeftRunning()
{
    std::lock_guard<std::mutex> guard(LeftRunningLock());
    return LeftRunningNames();
}
