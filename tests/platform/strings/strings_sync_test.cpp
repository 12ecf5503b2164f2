// CSingleLock/CMultiLock over critical sections, mutexes, events and semaphores, with a
// second thread. Threads hand over through events with generous deadlines, never sleeps.
#include <afxmt.h>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <thread>
#include <vector>

namespace {

const DWORD kGenerous = 30000;

struct LockableCase
{
    const char* what;
    std::function<std::unique_ptr<CSyncObject>()> make;
};

// Another thread holds the object: the main thread cannot take it until it is let go.
TEST(CSingleLockTest, ExcludesAnotherThreadUntilReleased)
{
    const LockableCase cases[] = {
        {"critical section", [] { return std::unique_ptr<CSyncObject>(new CCriticalSection); }},
        {"mutex", [] { return std::unique_ptr<CSyncObject>(new CMutex); }},
        {"semaphore", [] { return std::unique_ptr<CSyncObject>(new CSemaphore(1, 1)); }},
    };
    for (const LockableCase& c : cases) {
        std::unique_ptr<CSyncObject> object = c.make();
        CEvent held(FALSE, TRUE), release(FALSE, TRUE);
        BOOL ownerLocked = FALSE, ownerReleasedInTime = FALSE;
        std::thread owner([&] {
            CSingleLock lock(object.get(), TRUE);
            ownerLocked = lock.IsLocked();
            held.SetEvent();
            ownerReleasedInTime = ::WaitForSingleObject(release, kGenerous) == WAIT_OBJECT_0;
        });
        ASSERT_EQ(WAIT_OBJECT_0, ::WaitForSingleObject(held, kGenerous)) << c.what;

        CSingleLock lock(object.get());
        EXPECT_FALSE(lock.Lock(0)) << c.what;
        EXPECT_FALSE(lock.IsLocked()) << c.what;
        release.SetEvent();
        EXPECT_TRUE(lock.Lock(kGenerous)) << c.what;
        EXPECT_TRUE(lock.IsLocked()) << c.what;
        EXPECT_TRUE(lock.Unlock()) << c.what;
        owner.join();
        EXPECT_TRUE(ownerLocked) << c.what;
        EXPECT_TRUE(ownerReleasedInTime) << c.what;
    }
}

TEST(CSingleLockTest, CountersStayExactUnderContention)
{
    CCriticalSection section;
    CMutex mutex;
    long sectionCounter = 0, mutexCounter = 0;
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t) {
        threads.emplace_back([&] {
            for (int i = 0; i < 2000; ++i) {
                {
                    CSingleLock lock(&section, TRUE);
                    long value = sectionCounter;
                    ::SwitchToThread();
                    sectionCounter = value + 1;
                }
                if (i % 10 == 0) {
                    CSingleLock lock(&mutex, TRUE);
                    long value = mutexCounter;
                    ::SwitchToThread();
                    mutexCounter = value + 1;
                }
            }
        });
    }
    for (std::thread& thread : threads)
        thread.join();
    EXPECT_EQ(8000, sectionCounter);
    EXPECT_EQ(800, mutexCounter);
}

TEST(CEventTest, WaitsUntilAnotherThreadSignals)
{
    CEvent ready;   // auto-reset, not signalled
    CSingleLock wait(&ready);
    EXPECT_FALSE(wait.Lock(0));
    std::thread signaller([&] { ready.SetEvent(); });
    EXPECT_TRUE(wait.Lock(kGenerous));
    signaller.join();
    wait.Unlock();
    // Auto-reset: the successful wait consumed the signal.
    EXPECT_FALSE(wait.Lock(0));

    CEvent manual(TRUE, TRUE);   // manual reset, signalled
    EXPECT_TRUE(CSingleLock(&manual).Lock(0));
    EXPECT_TRUE(CSingleLock(&manual).Lock(0));
    manual.ResetEvent();
    EXPECT_FALSE(CSingleLock(&manual).Lock(0));
}

TEST(CMultiLockTest, WaitsForAnyOrAll)
{
    CEvent first(FALSE, TRUE), second(FALSE, TRUE);
    CSyncObject* objects[] = {&first, &second};
    CMultiLock lock(objects, 2);
    EXPECT_EQ((DWORD)WAIT_TIMEOUT, lock.Lock(0, FALSE));

    std::thread signaller([&] { second.SetEvent(); });
    EXPECT_EQ((DWORD)WAIT_OBJECT_0 + 1, lock.Lock(kGenerous, FALSE));
    signaller.join();
    EXPECT_FALSE(lock.IsLocked(0));
    EXPECT_TRUE(lock.IsLocked(1));
    lock.Unlock();

    EXPECT_EQ((DWORD)WAIT_TIMEOUT, lock.Lock(0, TRUE));
    first.SetEvent();
    EXPECT_EQ((DWORD)WAIT_OBJECT_0, lock.Lock(kGenerous, TRUE));
    EXPECT_TRUE(lock.IsLocked(0));

    CSemaphore pool(2, 2);
    CSingleLock a(&pool, TRUE), b(&pool, TRUE), c(&pool);
    EXPECT_TRUE(a.IsLocked());
    EXPECT_TRUE(b.IsLocked());
    EXPECT_FALSE(c.Lock(0));
    a.Unlock();
    EXPECT_TRUE(c.Lock(0));
}

}  // namespace
