// Synchronisation objects over the Win32 kernel objects, and the lock helpers that release
// them when they go out of scope.
#pragma once

#include "afx.h"

class AFX_API CSyncObject : public CObject
{
    DECLARE_DYNAMIC(CSyncObject)
public:
    explicit CSyncObject(LPCTSTR pstrName);
    virtual ~CSyncObject();

    operator HANDLE() const { return m_hObject; }

    // TRUE when the object was acquired (or signalled) within dwTimeout milliseconds.
    virtual BOOL Lock(DWORD dwTimeout = INFINITE);
    virtual BOOL Unlock() = 0;
    virtual BOOL Unlock(LONG lCount, LPLONG lpPrevCount = NULL);

    HANDLE m_hObject;
};

class AFX_API CSemaphore : public CSyncObject
{
    DECLARE_DYNAMIC(CSemaphore)
public:
    CSemaphore(LONG lInitialCount = 1, LONG lMaxCount = 1, LPCTSTR pstrName = NULL,
               LPSECURITY_ATTRIBUTES lpsaAttributes = NULL);
    virtual ~CSemaphore();

    BOOL Unlock() override;
    BOOL Unlock(LONG lCount, LPLONG lprevCount = NULL) override;
};

class AFX_API CMutex : public CSyncObject
{
    DECLARE_DYNAMIC(CMutex)
public:
    CMutex(BOOL bInitiallyOwn = FALSE, LPCTSTR lpszName = NULL,
           LPSECURITY_ATTRIBUTES lpsaAttribute = NULL);
    virtual ~CMutex();

    BOOL Unlock() override;
    using CSyncObject::Unlock;
};

class AFX_API CEvent : public CSyncObject
{
    DECLARE_DYNAMIC(CEvent)
public:
    CEvent(BOOL bInitiallyOwn = FALSE, BOOL bManualReset = FALSE, LPCTSTR lpszName = NULL,
           LPSECURITY_ATTRIBUTES lpsaAttribute = NULL);
    virtual ~CEvent();

    BOOL SetEvent();
    BOOL PulseEvent();
    BOOL ResetEvent();
    BOOL Unlock() override;
    using CSyncObject::Unlock;
};

class AFX_API CCriticalSection : public CSyncObject
{
    DECLARE_DYNAMIC(CCriticalSection)
public:
    CCriticalSection();
    virtual ~CCriticalSection();

    operator CRITICAL_SECTION*() { return &m_sect; }

    BOOL Unlock() override;
    using CSyncObject::Unlock;
    BOOL Lock();
    // A finite timeout polls TryEnterCriticalSection until it expires.
    BOOL Lock(DWORD dwTimeout) override;

    CRITICAL_SECTION m_sect;
};

// Locks one object for the lifetime of the lock (or between Lock and Unlock).
class AFX_API CSingleLock
{
public:
    explicit CSingleLock(CSyncObject* pObject, BOOL bInitialLock = FALSE);
    ~CSingleLock();

    BOOL Lock(DWORD dwTimeOut = INFINITE);
    BOOL Unlock();
    BOOL Unlock(LONG lCount, LPLONG lPrevCount = NULL);
    BOOL IsLocked() const { return m_bAcquired; }

protected:
    CSyncObject* m_pObject;
    HANDLE m_hObject;
    BOOL m_bAcquired;

private:
    CSingleLock(const CSingleLock&) = delete;
    void operator=(const CSingleLock&) = delete;
};

// Waits on several kernel objects (not critical sections) at once.
class AFX_API CMultiLock
{
public:
    CMultiLock(CSyncObject* ppObjects[], DWORD dwCount, BOOL bInitialLock = FALSE);
    ~CMultiLock();

    // WAIT_OBJECT_0 + i, WAIT_ABANDONED_0 + i, WAIT_TIMEOUT or WAIT_FAILED, as
    // MsgWaitForMultipleObjects (WaitForMultipleObjects when dwWakeMask is 0).
    DWORD Lock(DWORD dwTimeOut = INFINITE, BOOL bWaitForAll = TRUE, DWORD dwWakeMask = 0);
    BOOL Unlock();
    BOOL Unlock(LONG lCount, LPLONG lPrevCount = NULL);
    BOOL IsLocked(DWORD dwItem);

protected:
    CSyncObject** m_ppObjectArray;
    HANDLE* m_pHandleArray;
    BOOL* m_bLockedArray;
    DWORD m_dwCount;

private:
    CMultiLock(const CMultiLock&) = delete;
    void operator=(const CMultiLock&) = delete;
};
