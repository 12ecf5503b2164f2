// Worker threads are stopped by their stop request and waited for with a bound; a wait on a
// window's thread answers what the worker sends meanwhile, and a worker that outlives the
// bound is left running with its events alive, never killed.
#include <gtest/gtest.h>

#include <atomic>
#include <vector>

#include "StoppableThread.h"
#include "ThreadWait.h"
#include "testsupport/RecordingWindow.h"

using tolvan::test::RecordingWindow;

namespace {

TEST(StoppableThread, AWorkerThatOutlivesTheBoundIsLeftRunningAndEndsByItself)
{
    HANDLE release = CreateEventA(NULL, TRUE, FALSE, NULL);
    std::atomic<bool> sawStop(false), finished(false);
    CStoppableThread thread("stubborn");
    ASSERT_TRUE(thread.Start([&] {
        WaitForSingleObject(release, INFINITE);  // deaf to the stop request for a while
        sawStop = thread.WaitForWake(INFINITE);
        finished = true;
    }));

    EXPECT_FALSE(thread.Stop(50));
    EXPECT_TRUE(thread.IsAlive());
    EXPECT_FALSE(thread.Start([] {}));  // no second worker beside the first
    ASSERT_NE(HANDLE(NULL), thread.GetHandle());

    // Left running, it still finds its stop request and its events when it looks.
    SetEvent(release);
    EXPECT_TRUE(thread.Stop(30000));
    EXPECT_TRUE(sawStop.load());
    EXPECT_TRUE(finished.load());
    EXPECT_EQ(HANDLE(NULL), thread.GetHandle());

    // Stopped, it can run again, with the stop request lowered.
    ResetEvent(release);
    std::atomic<bool> stopSeenAtStart(true);
    ASSERT_TRUE(thread.Start([&] {
        stopSeenAtStart = thread.IsStopRequested();
        SetEvent(release);
    }));
    ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(release, 30000));
    EXPECT_TRUE(thread.Stop(30000));
    EXPECT_FALSE(stopSeenAtStart.load());
    CloseHandle(release);
}

TEST(StoppableThread, StopOnAWindowsThreadAnswersWhatTheWorkerSends)
{
    RecordingWindow window;
    HANDLE sending = CreateEventA(NULL, TRUE, FALSE, NULL);
    std::atomic<bool> answered(false);
    CStoppableThread thread("sender");
    ASSERT_TRUE(thread.Start([&] {
        SetEvent(sending);
        SendMessage(window, WM_APP + 1, 0, 0);
        answered = true;
        thread.WaitForWake(INFINITE);
    }));
    // The worker is in (or about to enter) its send; this thread does not pump.
    ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(sending, 30000));
    EXPECT_TRUE(thread.Stop(30000));
    EXPECT_TRUE(answered.load());
    EXPECT_EQ(1u, window.Count(WM_APP + 1));
    CloseHandle(sending);
}

TEST(ThreadWait, WaitsForEveryHandleOfAnyNumber)
{
    std::vector<HANDLE> events;
    for (int i = 0; i < 100; ++i)
        events.push_back(CreateEventA(NULL, TRUE, TRUE, NULL));
    events.push_back(NULL);  // a thread never started
    EXPECT_TRUE(WaitForThreads(events, 1000));
    ResetEvent(events[90]);  // one past the first 64 still running
    EXPECT_FALSE(WaitForThreads(events, 50));
    for (HANDLE event : events)
        if (event != NULL)
            CloseHandle(event);
}

}  // namespace
