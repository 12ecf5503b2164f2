// CSingleLock and CMultiLock: scope-bound acquisition of synchronisation objects.
#include "afxmt.h"

CSingleLock::CSingleLock(CSyncObject* pObject, BOOL bInitialLock)
    : m_pObject(pObject), m_hObject(pObject ? pObject->m_hObject : NULL), m_bAcquired(FALSE)
{
    if (pObject == NULL)
        AfxThrowInvalidArgException();
    if (bInitialLock)
        Lock();
}

CSingleLock::~CSingleLock()
{
    Unlock();
}

BOOL CSingleLock::Lock(DWORD dwTimeOut)
{
    if (m_bAcquired)
        return TRUE;
    m_bAcquired = m_pObject->Lock(dwTimeOut);
    return m_bAcquired;
}

BOOL CSingleLock::Unlock()
{
    if (m_bAcquired)
        m_bAcquired = !m_pObject->Unlock();
    return !m_bAcquired;
}

BOOL CSingleLock::Unlock(LONG lCount, LPLONG lPrevCount)
{
    if (m_bAcquired)
        m_bAcquired = !m_pObject->Unlock(lCount, lPrevCount);
    return !m_bAcquired;
}

CMultiLock::CMultiLock(CSyncObject* ppObjects[], DWORD dwCount, BOOL bInitialLock)
    : m_ppObjectArray(ppObjects), m_pHandleArray(NULL), m_bLockedArray(NULL), m_dwCount(dwCount)
{
    if (ppObjects == NULL || dwCount == 0 || dwCount > MAXIMUM_WAIT_OBJECTS)
        AfxThrowInvalidArgException();
    m_pHandleArray = new HANDLE[dwCount];
    m_bLockedArray = new BOOL[dwCount];
    for (DWORD i = 0; i < dwCount; ++i) {
        // Critical sections have no handle to wait on.
        if (ppObjects[i] == NULL || ppObjects[i]->m_hObject == NULL) {
            delete[] m_pHandleArray;
            delete[] m_bLockedArray;
            AfxThrowInvalidArgException();
        }
        m_pHandleArray[i] = ppObjects[i]->m_hObject;
        m_bLockedArray[i] = FALSE;
    }
    if (bInitialLock)
        Lock();
}

CMultiLock::~CMultiLock()
{
    Unlock();
    delete[] m_pHandleArray;
    delete[] m_bLockedArray;
}

DWORD CMultiLock::Lock(DWORD dwTimeOut, BOOL bWaitForAll, DWORD dwWakeMask)
{
    DWORD result;
    if (dwWakeMask == 0)
        result = ::WaitForMultipleObjects(m_dwCount, m_pHandleArray, bWaitForAll, dwTimeOut);
    else
        result = ::MsgWaitForMultipleObjects(m_dwCount, m_pHandleArray, bWaitForAll, dwTimeOut, dwWakeMask);

    DWORD index = m_dwCount;
    if (result >= WAIT_OBJECT_0 && result < WAIT_OBJECT_0 + m_dwCount)
        index = result - WAIT_OBJECT_0;
    else if (result >= WAIT_ABANDONED_0 && result < WAIT_ABANDONED_0 + m_dwCount)
        index = result - WAIT_ABANDONED_0;
    if (index < m_dwCount) {
        if (bWaitForAll) {
            for (DWORD i = 0; i < m_dwCount; ++i)
                m_bLockedArray[i] = TRUE;
        } else {
            m_bLockedArray[index] = TRUE;
        }
    }
    return result;
}

BOOL CMultiLock::Unlock()
{
    for (DWORD i = 0; i < m_dwCount; ++i) {
        if (m_bLockedArray[i])
            m_bLockedArray[i] = !m_ppObjectArray[i]->Unlock();
    }
    return TRUE;
}

BOOL CMultiLock::Unlock(LONG lCount, LPLONG lPrevCount)
{
    BOOL result = TRUE;
    for (DWORD i = 0; i < m_dwCount; ++i) {
        if (m_bLockedArray[i]) {
            BOOL released = m_ppObjectArray[i]->Unlock(lCount, lPrevCount);
            m_bLockedArray[i] = !released;
            result = result && released;
        }
    }
    return result;
}

BOOL CMultiLock::IsLocked(DWORD dwItem)
{
    if (dwItem >= m_dwCount)
        AfxThrowInvalidArgException();
    return m_bLockedArray[dwItem];
}
