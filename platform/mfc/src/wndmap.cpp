// Handle maps of CWnd: permanent objects (process wide, filtered by module state) and the
// per-thread temporary objects that FromHandle makes for other windows.
#include "wincore.h"

#include <mutex>

namespace afxcore {
namespace {

SRWLOCK g_permanentLock = SRWLOCK_INIT;

std::unordered_map<HWND, CWnd*>& PermanentMap()
{
    // Never destroyed: windows may be destroyed by static destructors at process exit.
    static auto* map = new std::unordered_map<HWND, CWnd*>;
    return *map;
}

}  // namespace

void AddPermanent(HWND hWnd, CWnd* pWnd)
{
    ::AcquireSRWLockExclusive(&g_permanentLock);
    PermanentMap()[hWnd] = pWnd;
    ::ReleaseSRWLockExclusive(&g_permanentLock);
}

void RemovePermanent(HWND hWnd, CWnd* pWnd)
{
    ::AcquireSRWLockExclusive(&g_permanentLock);
    auto& map = PermanentMap();
    auto found = map.find(hWnd);
    if (found != map.end() && found->second == pWnd)
        map.erase(found);
    ::ReleaseSRWLockExclusive(&g_permanentLock);
}

CWnd* FindPermanent(HWND hWnd)
{
    if (hWnd == NULL)
        return NULL;
    ::AcquireSRWLockShared(&g_permanentLock);
    auto& map = PermanentMap();
    auto found = map.find(hWnd);
    CWnd* pWnd = found != map.end() ? found->second : NULL;
    ::ReleaseSRWLockShared(&g_permanentLock);
    return pWnd;
}

void IdleCleanup()
{
    if (State().loopDepth <= 1)
        AfxDeleteTempObjects();
}

}  // namespace afxcore

using afxcore::State;

CWnd* PASCAL CWnd::FromHandlePermanent(HWND hWnd)
{
    CWnd* pWnd = afxcore::FindPermanent(hWnd);
    if (pWnd == NULL || pWnd->m_pModuleState != AfxGetModuleState())
        return NULL;
    return pWnd;
}

CWnd* PASCAL CWnd::FromHandle(HWND hWnd)
{
    if (hWnd == NULL)
        return NULL;
    if (CWnd* pWnd = FromHandlePermanent(hWnd))
        return pWnd;
    afxcore::ThreadState& state = State();
    auto found = state.tempWnds.find(hWnd);
    if (found != state.tempWnds.end()) {
        if (found->second->m_hWnd == hWnd)
            return found->second;
        // The temporary was detached or destroyed meanwhile; keep it alive until the
        // idle cleanup (a caller may still hold it) and make a new one.
        state.retiredTemps.push_back(found->second);
        state.tempWnds.erase(found);
    }
    CWnd* pTemp = new CWnd;
    pTemp->m_hWnd = hWnd;
    state.tempWnds[hWnd] = pTemp;
    return pTemp;
}

void PASCAL CWnd::DeleteTempMap()
{
    afxcore::ThreadState& state = State();
    // Taken out first: a destructor must not meet the map being iterated.
    std::unordered_map<HWND, CWnd*> temps;
    temps.swap(state.tempWnds);
    std::vector<CWnd*> retired;
    retired.swap(state.retiredTemps);
    for (auto& entry : temps) {
        entry.second->m_hWnd = NULL;
        delete entry.second;
    }
    for (CWnd* pWnd : retired) {
        pWnd->m_hWnd = NULL;
        delete pWnd;
    }
}

void AFXAPI AfxDeleteTempObjects()
{
    CWnd::DeleteTempMap();
    AfxDeleteTempGdiObjects();
}

BOOL CWnd::Attach(HWND hWndNew)
{
    if (hWndNew == NULL || m_hWnd != NULL)
        return FALSE;
    // A window has at most one permanent object.
    if (afxcore::FindPermanent(hWndNew) != NULL)
        return FALSE;
    m_hWnd = hWndNew;
    m_pModuleState = AfxGetModuleState();
    afxcore::AddPermanent(hWndNew, this);
    return TRUE;
}

HWND CWnd::Detach()
{
    HWND hWnd = m_hWnd;
    if (hWnd != NULL)
        afxcore::RemovePermanent(hWnd, this);
    m_hWnd = NULL;
    return hWnd;
}

BOOL CWnd::SubclassWindow(HWND hWnd)
{
    if (!::IsWindow(hWnd) || !Attach(hWnd))
        return FALSE;
    PreSubclassWindow();
    WNDPROC oldWndProc =
        (WNDPROC)::SetWindowLongPtrA(hWnd, GWLP_WNDPROC, (LONG_PTR)AfxGetAfxWndProc());
    // A window already routed through AfxWndProc (its object was detached) keeps the
    // procedure it had before that.
    if (oldWndProc != AfxGetAfxWndProc() && m_pfnSuper == NULL)
        m_pfnSuper = oldWndProc;
    return TRUE;
}

BOOL CWnd::SubclassDlgItem(UINT nID, CWnd* pParent)
{
    if (pParent == NULL || pParent->m_hWnd == NULL)
        return FALSE;
    HWND hWndControl = ::GetDlgItem(pParent->m_hWnd, nID);
    if (hWndControl == NULL)
        return FALSE;
    return SubclassWindow(hWndControl);
}

HWND CWnd::UnsubclassWindow()
{
    if (m_hWnd == NULL)
        return NULL;
    if (m_pfnSuper != NULL)
        ::SetWindowLongPtrA(m_hWnd, GWLP_WNDPROC, (LONG_PTR)m_pfnSuper);
    m_pfnSuper = NULL;
    return Detach();
}
