// CCmdTarget: message-map lookup and command routing (ON_COMMAND, ON_CONTROL, ON_NOTIFY
// and their reflected forms).
#include "wincore.h"

IMPLEMENT_DYNAMIC(CCmdTarget, CObject)

const AFX_MSGMAP* PASCAL CCmdTarget::GetThisMessageMap()
{
    static const AFX_MSGMAP_ENTRY _messageEntries[] = {
        { 0, 0, 0, 0, AfxSig_end, (AFX_PMSG)0 }
    };
    static const AFX_MSGMAP messageMap = { NULL, &_messageEntries[0] };
    return &messageMap;
}

const AFX_MSGMAP* CCmdTarget::GetMessageMap() const
{
    return GetThisMessageMap();
}

CCmdTarget::CCmdTarget()
{
}

CCmdTarget::~CCmdTarget()
{
}

namespace {

bool MatchesRegistered(const AFX_MSGMAP_ENTRY* pEntry, UINT nMessage)
{
    return pEntry->nMessage == 0xC000 && pEntry->nSig > AfxSigNotify_EX &&
           *reinterpret_cast<const UINT*>(pEntry->nSig) == nMessage;
}

}  // namespace

const AFX_MSGMAP_ENTRY* PASCAL CCmdTarget::FindMessageEntry(const AFX_MSGMAP* pMap, UINT nMessage,
                                                           UINT nCode, UINT nID)
{
    for (; pMap != NULL; pMap = pMap->pfnGetBaseMap != NULL ? pMap->pfnGetBaseMap() : NULL) {
        for (const AFX_MSGMAP_ENTRY* pEntry = pMap->lpEntries; pEntry->nSig != AfxSig_end;
             ++pEntry) {
            if (nMessage >= 0xC000 && MatchesRegistered(pEntry, nMessage))
                return pEntry;
            if (pEntry->nMessage == nMessage && pEntry->nCode == nCode &&
                nID >= pEntry->nID && nID <= pEntry->nLastID)
                return pEntry;
        }
    }
    return NULL;
}

namespace {

BOOL DispatchCmdMsg(CCmdTarget* pTarget, UINT nID, int nCode, AFX_PMSG pfn, void* pExtra,
                    UINT_PTR nSig, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    if (pHandlerInfo != NULL) {
        // Only asked whether a handler exists.
        pHandlerInfo->pTarget = pTarget;
        pHandlerInfo->pmf = pfn;
        return TRUE;
    }
    AFX_NOTIFY* pNotify = static_cast<AFX_NOTIFY*>(pExtra);
    switch (nSig) {
    case AfxSigCmd_v:
        (pTarget->*pfn)();
        return TRUE;
    case AfxSigCmd_b:
        return (pTarget->*reinterpret_cast<BOOL (CCmdTarget::*)()>(pfn))();
    case AfxSigCmd_RANGE:
        (pTarget->*reinterpret_cast<void (CCmdTarget::*)(UINT)>(pfn))(nID);
        return TRUE;
    case AfxSigCmd_EX:
        return (pTarget->*reinterpret_cast<BOOL (CCmdTarget::*)(UINT)>(pfn))(nID);
    case AfxSigCmdUI: {
        CCmdUI* pCmdUI = static_cast<CCmdUI*>(pExtra);
        if (pCmdUI == NULL)
            return FALSE;
        (pTarget->*reinterpret_cast<void (CCmdTarget::*)(CCmdUI*)>(pfn))(pCmdUI);
        return !pCmdUI->m_bContinueRouting;
    }
    case AfxSigNotify_v:
        if (pNotify == NULL)
            return FALSE;
        (pTarget->*reinterpret_cast<void (CCmdTarget::*)(NMHDR*, LRESULT*)>(pfn))(
            pNotify->pNMHDR, pNotify->pResult);
        return TRUE;
    case AfxSigNotify_b:
        if (pNotify == NULL)
            return FALSE;
        return (pTarget->*reinterpret_cast<BOOL (CCmdTarget::*)(NMHDR*, LRESULT*)>(pfn))(
            pNotify->pNMHDR, pNotify->pResult);
    case AfxSigNotify_RANGE:
        if (pNotify == NULL)
            return FALSE;
        (pTarget->*reinterpret_cast<void (CCmdTarget::*)(UINT, NMHDR*, LRESULT*)>(pfn))(
            nID, pNotify->pNMHDR, pNotify->pResult);
        return TRUE;
    case AfxSigNotify_EX:
        if (pNotify == NULL)
            return FALSE;
        return (pTarget->*reinterpret_cast<BOOL (CCmdTarget::*)(UINT, NMHDR*, LRESULT*)>(pfn))(
            nID, pNotify->pNMHDR, pNotify->pResult);
    default:
        (void)nCode;
        return FALSE;
    }
}

}  // namespace

BOOL CCmdTarget::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    // nCode carries the window message in its high word (WM_NOTIFY, reflected messages);
    // plain commands and control notifications have 0 there.
    UINT nMsg = 0;
    UINT nCodeOnly = (UINT)nCode;
    if ((UINT)nCode != CN_UPDATE_COMMAND_UI) {
        nMsg = HIWORD((DWORD)nCode);
        nCodeOnly = LOWORD((DWORD)nCode);
    }
    if (nMsg == 0)
        nMsg = WM_COMMAND;

    for (const AFX_MSGMAP* pMap = GetMessageMap(); pMap != NULL;
         pMap = pMap->pfnGetBaseMap != NULL ? pMap->pfnGetBaseMap() : NULL) {
        for (const AFX_MSGMAP_ENTRY* pEntry = pMap->lpEntries; pEntry->nSig != AfxSig_end;
             ++pEntry) {
            if (pEntry->nMessage != nMsg || pEntry->nCode != nCodeOnly)
                continue;
            if (nID < pEntry->nID || nID > pEntry->nLastID)
                continue;
            // The first matching entry decides; an _EX handler returning FALSE sends the
            // command on to other targets (for a reflected one: to the parent).
            return DispatchCmdMsg(this, nID, (int)nCodeOnly, pEntry->pfn, pExtra, pEntry->nSig,
                                  pHandlerInfo);
        }
    }
    return FALSE;
}

void CCmdTarget::BeginWaitCursor()
{
    ::SetCursor(::LoadCursor(NULL, IDC_WAIT));
}

void CCmdTarget::EndWaitCursor()
{
    ::SetCursor(::LoadCursor(NULL, IDC_ARROW));
}

void CCmdTarget::RestoreWaitCursor()
{
    ::SetCursor(::LoadCursor(NULL, IDC_WAIT));
}

// ---------------------------------------------------------------------------------------
// CCmdUI

CCmdUI::CCmdUI()
    : m_nID(0), m_nIndex(0), m_pMenu(NULL), m_pSubMenu(NULL), m_pOther(NULL),
      m_bEnableChanged(FALSE), m_bContinueRouting(FALSE), m_nIndexMax(0), m_pParentMenu(NULL)
{
}

void CCmdUI::Enable(BOOL bOn)
{
    if (m_pMenu != NULL) {
        m_pMenu->EnableMenuItem(m_nIndex, MF_BYPOSITION | (bOn ? MF_ENABLED : (MF_DISABLED | MF_GRAYED)));
    } else if (m_pOther != NULL) {
        m_pOther->EnableWindow(bOn);
    }
    m_bEnableChanged = TRUE;
}

void CCmdUI::SetCheck(int nCheck)
{
    if (m_pMenu != NULL) {
        m_pMenu->CheckMenuItem(m_nIndex, MF_BYPOSITION | (nCheck ? MF_CHECKED : MF_UNCHECKED));
    } else if (m_pOther != NULL && (m_pOther->SendMessage(WM_GETDLGCODE) & DLGC_BUTTON)) {
        m_pOther->SendMessage(BM_SETCHECK, nCheck);
    }
}

void CCmdUI::SetRadio(BOOL bOn)
{
    SetCheck(bOn ? 1 : 0);
}

void CCmdUI::SetText(LPCTSTR lpszText)
{
    if (m_pMenu != NULL) {
        UINT nState = m_pMenu->GetMenuState(m_nIndex, MF_BYPOSITION) &
                      (MF_CHECKED | MF_GRAYED | MF_DISABLED);
        m_pMenu->ModifyMenu(m_nIndex, MF_BYPOSITION | MF_STRING | nState, m_nID, lpszText);
    } else if (m_pOther != NULL) {
        AfxSetWindowText(m_pOther->m_hWnd, lpszText);
    }
}

BOOL CCmdUI::DoUpdate(CCmdTarget* pTarget, BOOL bDisableIfNoHndler)
{
    if (m_nID == 0 || LOWORD(m_nID) == 0xFFFF)
        return TRUE;
    m_bEnableChanged = FALSE;
    BOOL bResult = pTarget->OnCmdMsg(m_nID, (int)CN_UPDATE_COMMAND_UI, this, NULL);
    if (!bResult && bDisableIfNoHndler && !m_bEnableChanged) {
        AFX_CMDHANDLERINFO info = { NULL, NULL };
        if (!pTarget->OnCmdMsg(m_nID, CN_COMMAND, NULL, &info))
            Enable(FALSE);
    }
    return bResult;
}
