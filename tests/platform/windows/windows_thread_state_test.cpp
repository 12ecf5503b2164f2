// The end of a std::thread that used the window core's per-thread state. The threads library
// runs a std::thread's clean-up (its key destructors) holding its thread-list lock, and a
// thread ending at the same moment holds the loader lock while it asks for that list lock:
// the per-thread state's clean-up must not need the loader lock there, or both wait for ever.
#include <afxwin.h>

#include <gtest/gtest.h>

#include <pthread.h>

#include <thread>

namespace {

const DWORD kDeadlineMs = 30000;

// Holds the process's loader lock, as a thread inside its detach notifications does.
class LoaderLockHold
{
public:
    LoaderLockHold()
    {
        HMODULE ntdll = ::GetModuleHandleA("ntdll.dll");
        m_lock = reinterpret_cast<LockFn>(::GetProcAddress(ntdll, "LdrLockLoaderLock"));
        m_unlock = reinterpret_cast<UnlockFn>(::GetProcAddress(ntdll, "LdrUnlockLoaderLock"));
        m_held = m_lock != NULL && m_unlock != NULL && m_lock(0, NULL, &m_cookie) == 0;
    }
    ~LoaderLockHold() { Release(); }
    bool IsHeld() const { return m_held; }
    void Release()
    {
        if (m_held)
            m_unlock(0, m_cookie);
        m_held = false;
    }

private:
    typedef LONG(NTAPI* LockFn)(ULONG flags, ULONG* disposition, ULONG_PTR* cookie);
    typedef LONG(NTAPI* UnlockFn)(ULONG flags, ULONG_PTR cookie);
    LockFn m_lock = NULL;
    UnlockFn m_unlock = NULL;
    ULONG_PTR m_cookie = 0;
    bool m_held = false;
};

void SignalCleanUpReached(void* event)
{
    ::SetEvent(static_cast<HANDLE>(event));
}

TEST(ThreadStateTest, AStdThreadThatUsedTheStateGetsThroughItsCleanUpWhileTheLoaderLockIsHeld)
{
    // This thread's state first: a clean-up the state registered with the C++ run-time's
    // thread-exit list would then run before the key made below.
    ASSERT_NE((AFX_THREAD_STATE*)NULL, AfxGetThreadState());
    pthread_key_t key;
    ASSERT_EQ(0, pthread_key_create(&key, &SignalCleanUpReached));
    HANDLE started = ::CreateEventA(NULL, TRUE, FALSE, NULL);
    HANDLE finish = ::CreateEventA(NULL, TRUE, FALSE, NULL);
    HANDLE cleanedUp = ::CreateEventA(NULL, TRUE, FALSE, NULL);

    std::thread worker([&] {
        AfxGetThreadState()->m_pWndInit = NULL;
        pthread_setspecific(key, cleanedUp);
        ::SetEvent(started);
        ::WaitForSingleObject(finish, INFINITE);
    });
    const bool workerStarted = ::WaitForSingleObject(started, kDeadlineMs) == WAIT_OBJECT_0;

    LoaderLockHold loaderLock;
    const bool lockHeld = loaderLock.IsHeld();
    ::SetEvent(finish);
    // The worker's key destructors run after its function returned; the thread's own exit
    // then waits for the loader lock, which is fine.
    const DWORD reached =
        workerStarted && lockHeld ? ::WaitForSingleObject(cleanedUp, kDeadlineMs) : WAIT_FAILED;
    loaderLock.Release();
    worker.join();

    EXPECT_TRUE(workerStarted);
    EXPECT_TRUE(lockHeld);
    EXPECT_EQ(WAIT_OBJECT_0, reached);
    pthread_key_delete(key);
    ::CloseHandle(started);
    ::CloseHandle(finish);
    ::CloseHandle(cleanedUp);
}

}  // namespace
