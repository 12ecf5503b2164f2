// Creating dialog windows from templates for CWnd/CDialog objects, and the dialog
// initialisation data (RT_DLGINIT: combo and list box strings) of dialog resources.
#include "wincore.h"

#include <vector>

INT_PTR CALLBACK AfxDlgProc(HWND hWnd, UINT message, WPARAM, LPARAM)
{
    // Everything else reaches the object through the subclass (AfxWndProc) before the
    // dialog manager; only the initialisation is the dialog procedure's.
    if (message == WM_INITDIALOG) {
        CDialog* pDlg = dynamic_cast<CDialog*>(afxcore::FindPermanent(hWnd));
        if (pDlg == NULL)
            return TRUE;
        try {
            return pDlg->OnInitDialog();
        } catch (...) {
            // Called by the dialog manager, not through AfxCallWndProc: caught here. A
            // dialog whose initialisation broke off ends as a failed one does.
            afxcore::ProcessHandlerException(hWnd, message);
            if (::IsWindow(hWnd) && afxcore::FindPermanent(hWnd) == pDlg)
                pDlg->EndDialog(-1);
            return FALSE;
        }
    }
    return FALSE;
}

namespace {

bool IsExtendedTemplate(const void* lpTemplate)
{
    const WORD* pWords = static_cast<const WORD*>(lpTemplate);
    return pWords[0] == 1 && pWords[1] == 0xFFFF;
}

DWORD* StyleOf(void* lpTemplate)
{
    BYTE* pBytes = static_cast<BYTE*>(lpTemplate);
    // DLGTEMPLATEEX: dlgVer, signature, helpID, exStyle, style.
    return reinterpret_cast<DWORD*>(IsExtendedTemplate(lpTemplate) ? pBytes + 12 : pBytes);
}

// Size of a template in memory: dialog resources are read-only and must be copied to
// change their style; the size is not stored, so the copy takes a generous bound when the
// template does not come from a resource of known size.
size_t TemplateSize(HINSTANCE hInst, LPCDLGTEMPLATE lpTemplate)
{
    (void)hInst;
    MEMORY_BASIC_INFORMATION info;
    if (::VirtualQuery(lpTemplate, &info, sizeof(info)) == sizeof(info)) {
        size_t available = static_cast<BYTE*>(info.BaseAddress) + info.RegionSize -
                           reinterpret_cast<const BYTE*>(lpTemplate);
        return available < 0x10000 ? available : 0x10000;
    }
    return 0x10000;
}

}  // namespace

LPCDLGTEMPLATE afxcore::LoadDialogTemplate(LPCTSTR lpszTemplateName, HINSTANCE& hInst)
{
    hInst = AfxFindResourceHandle(lpszTemplateName, RT_DIALOG);
    HRSRC hResource = ::FindResourceA(hInst, lpszTemplateName, RT_DIALOG);
    if (hResource == NULL)
        return NULL;
    HGLOBAL hTemplate = ::LoadResource(hInst, hResource);
    if (hTemplate == NULL)
        return NULL;
    return static_cast<LPCDLGTEMPLATE>(::LockResource(hTemplate));
}

BOOL CWnd::CreateDlg(LPCTSTR lpszTemplateName, CWnd* pParentWnd)
{
    HINSTANCE hInst;
    LPCDLGTEMPLATE lpTemplate = afxcore::LoadDialogTemplate(lpszTemplateName, hInst);
    return lpTemplate != NULL && CreateDlgIndirect(lpTemplate, pParentWnd, hInst);
}

BOOL CWnd::CreateDlgIndirect(LPCDLGTEMPLATE lpDialogTemplate, CWnd* pParentWnd, HINSTANCE hInst)
{
    if (lpDialogTemplate == NULL || m_hWnd != NULL)
        return FALSE;
    if (hInst == NULL)
        hInst = AfxGetResourceHandle();

    // The dialog is created hidden: the dialog manager would show a WS_VISIBLE template
    // right after WM_INITDIALOG even when OnInitDialog hid the window. We show it ourselves
    // unless the initialisation hid it.
    size_t size = TemplateSize(hInst, lpDialogTemplate);
    std::vector<DWORD> copy((size + sizeof(DWORD) - 1) / sizeof(DWORD));
    memcpy(copy.data(), lpDialogTemplate, size);
    DWORD* pStyle = StyleOf(copy.data());
    bool bTemplateVisible = (*pStyle & WS_VISIBLE) != 0;
    *pStyle &= ~WS_VISIBLE;

    bool bModal = (m_nFlags & WF_CONTINUEMODAL) != 0;
    m_nFlags |= WF_ININIT;
    m_nFlags &= ~(WF_HIDDENININIT | WF_SHOWAFTERINIT);
    if (bModal || bTemplateVisible)
        m_nFlags |= WF_SHOWAFTERINIT;
    HWND hWndParent = pParentWnd != NULL ? pParentWnd->GetSafeHwnd() : NULL;

    afxcore::HookWindowCreate(this);
    HWND hWnd = ::CreateDialogIndirectParamA(hInst, reinterpret_cast<LPCDLGTEMPLATE>(copy.data()),
                                             hWndParent, AfxDlgProc, 0);
    afxcore::UnhookWindowCreate();
    m_nFlags &= ~(WF_ININIT | WF_SHOWAFTERINIT);

    if (hWnd == NULL) {
        // Creation failed or the dialog destroyed itself while initialising.
        if (m_hWnd != NULL && !::IsWindow(m_hWnd))
            Detach();
        return FALSE;
    }
    if (m_hWnd == NULL) {
        // Not caught while being created (should not happen): take it over now.
        SubclassWindow(hWnd);
    }
    if (bTemplateVisible && !bModal && !(m_nFlags & WF_HIDDENININIT) && !::IsWindowVisible(hWnd)) {
        ::ShowWindow(hWnd, SW_SHOWNORMAL);
        ::UpdateWindow(hWnd);
    }
    return TRUE;
}

BOOL CWnd::ExecuteDlgInit(LPCTSTR lpszResourceName)
{
    if (lpszResourceName == NULL)
        return TRUE;
    HINSTANCE hInst = AfxFindResourceHandle(lpszResourceName, MAKEINTRESOURCEA(240));
    HRSRC hResource = ::FindResourceA(hInst, lpszResourceName, MAKEINTRESOURCEA(240));
    if (hResource == NULL)
        return TRUE;   // no initialisation data: nothing to do
    HGLOBAL hData = ::LoadResource(hInst, hResource);
    if (hData == NULL)
        return FALSE;
    return ExecuteDlgInit(::LockResource(hData));
}

BOOL CWnd::ExecuteDlgInit(LPVOID lpResource)
{
    if (lpResource == NULL)
        return TRUE;
    // Records: WORD control id, WORD message, DWORD length, data; a zero id ends the list.
    // The messages are the 16-bit LB_ADDSTRING/CB_ADDSTRING numbers.
    const BYTE* p = static_cast<const BYTE*>(lpResource);
    for (;;) {
        WORD nIDC;
        memcpy(&nIDC, p, sizeof(WORD));
        if (nIDC == 0)
            break;
        WORD nMsg;
        DWORD dwLen;
        memcpy(&nMsg, p + 2, sizeof(WORD));
        memcpy(&dwLen, p + 4, sizeof(DWORD));
        const char* lpData = reinterpret_cast<const char*>(p + 8);
        UINT message = nMsg;
        if (nMsg == 0x0401)
            message = LB_ADDSTRING;
        else if (nMsg == 0x0403)
            message = CB_ADDSTRING;
        if (message == LB_ADDSTRING || message == CB_ADDSTRING) {
            LRESULT result = ::SendDlgItemMessageA(m_hWnd, nIDC, message, 0, (LPARAM)lpData);
            if (result == LB_ERR || result == LB_ERRSPACE)
                return FALSE;
        }
        p += 8 + dwLen;
    }
    return TRUE;
}
