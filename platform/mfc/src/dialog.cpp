// CDialog: modal dialogs in our own message loop, modeless dialogs, OK/Cancel handling.
#include "wincore.h"

IMPLEMENT_DYNAMIC(CDialog, CWnd)

BEGIN_MESSAGE_MAP(CDialog, CWnd)
    ON_COMMAND(IDOK, &CDialog::OnOK)
    ON_COMMAND(IDCANCEL, &CDialog::OnCancel)
    ON_MESSAGE(WM_INITDIALOG, &CDialog::HandleInitDialog)
    ON_MESSAGE(WM_SETFONT, &CDialog::HandleSetFont)
END_MESSAGE_MAP()

CDialog::CDialog()
    : m_lpszTemplateName(NULL), m_nIDHelp(0), m_hDialogTemplate(NULL), m_lpDialogTemplate(NULL),
      m_lpDialogInit(NULL), m_pParentWnd(NULL), m_hWndTop(NULL)
{
    m_nFlags |= WF_ISDIALOG;
}

CDialog::CDialog(LPCTSTR lpszTemplateName, CWnd* pParentWnd) : CDialog()
{
    m_lpszTemplateName = lpszTemplateName;
    m_pParentWnd = pParentWnd;
    if (IS_INTRESOURCE(lpszTemplateName))
        m_nIDHelp = LOWORD((UINT_PTR)lpszTemplateName);
}

CDialog::CDialog(UINT nIDTemplate, CWnd* pParentWnd) : CDialog()
{
    m_lpszTemplateName = MAKEINTRESOURCEA(nIDTemplate);
    m_pParentWnd = pParentWnd;
    m_nIDHelp = nIDTemplate;
}

CDialog::~CDialog()
{
    if (m_hWnd != NULL && afxcore::FindPermanent(m_hWnd) == this)
        DestroyWindow();
}

// ---------------------------------------------------------------------------------------
// Modeless

BOOL CDialog::Create(LPCTSTR lpszTemplateName, CWnd* pParentWnd)
{
    m_lpszTemplateName = lpszTemplateName;
    if (IS_INTRESOURCE(lpszTemplateName) && m_nIDHelp == 0)
        m_nIDHelp = LOWORD((UINT_PTR)lpszTemplateName);

    HINSTANCE hInst;
    LPCDLGTEMPLATE lpTemplate = afxcore::LoadDialogTemplate(lpszTemplateName, hInst);
    if (lpTemplate == NULL)
        return FALSE;
    if (pParentWnd == NULL)
        pParentWnd = AfxGetMainWnd();
    m_lpDialogInit = NULL;
    m_pParentWnd = pParentWnd;
    return CreateDlgIndirect(lpTemplate, pParentWnd, hInst);
}

BOOL CDialog::Create(UINT nIDTemplate, CWnd* pParentWnd)
{
    return Create(MAKEINTRESOURCEA(nIDTemplate), pParentWnd);
}

BOOL CDialog::CreateIndirect(LPCDLGTEMPLATE lpDialogTemplate, CWnd* pParentWnd, void* lpDialogInit)
{
    if (pParentWnd == NULL)
        pParentWnd = AfxGetMainWnd();
    m_lpDialogInit = lpDialogInit;
    m_pParentWnd = pParentWnd;
    return CreateDlgIndirect(lpDialogTemplate, pParentWnd, AfxGetResourceHandle());
}

BOOL CDialog::CreateIndirect(HGLOBAL hDialogTemplate, CWnd* pParentWnd)
{
    LPCDLGTEMPLATE lpTemplate = static_cast<LPCDLGTEMPLATE>(::GlobalLock(hDialogTemplate));
    BOOL bResult = CreateIndirect(lpTemplate, pParentWnd, NULL);
    ::GlobalUnlock(hDialogTemplate);
    return bResult;
}

BOOL CDialog::InitModalIndirect(LPCDLGTEMPLATE lpDialogTemplate, CWnd* pParentWnd,
                                void* lpDialogInit)
{
    m_lpDialogTemplate = lpDialogTemplate;
    m_lpDialogInit = lpDialogInit;
    m_pParentWnd = pParentWnd;
    return TRUE;
}

BOOL CDialog::InitModalIndirect(HGLOBAL hDialogTemplate, CWnd* pParentWnd)
{
    m_hDialogTemplate = hDialogTemplate;
    m_pParentWnd = pParentWnd;
    return TRUE;
}

// ---------------------------------------------------------------------------------------
// Modal

namespace {

// The windows a modal dialog disables while it runs. They are enabled again however
// DoModal ends: an exception out of its loop (a PreTranslateMessage override, say) must not
// leave the program's windows dead; the dialog's own window goes too then.
class ModalOwners
{
public:
    ModalOwners(CDialog* pDialog, HWND hWndParent)
        : m_pDialog(pDialog), m_hWndParent(hWndParent), m_hWndTop(pDialog->m_hWndTop)
    {
        if (hWndParent != NULL && hWndParent != ::GetDesktopWindow() &&
            ::IsWindowEnabled(hWndParent)) {
            ::EnableWindow(hWndParent, FALSE);
            m_bEnableParent = true;
        }
    }

    ~ModalOwners()
    {
        if (m_pDialog != NULL) {
            // Left by an exception: the dialog is still alive and its loop is over.
            m_pDialog->m_nFlags &= ~(WF_CONTINUEMODAL | WF_MODALLOOP);
            m_pDialog->m_hWndTop = NULL;
            EnableParent();
            if (m_pDialog->m_hWnd != NULL)
                m_pDialog->DestroyWindow();
        }
        EnableParent();
        if (m_hWndTop != NULL && ::IsWindow(m_hWndTop))
            ::EnableWindow(m_hWndTop, TRUE);
    }

    void EnableParent()
    {
        if (m_bEnableParent && ::IsWindow(m_hWndParent))
            ::EnableWindow(m_hWndParent, TRUE);
        m_bEnableParent = false;
    }

    // The normal end: the dialog destroys its window itself (and may delete itself).
    void Finish()
    {
        m_pDialog->m_hWndTop = NULL;
        m_pDialog = NULL;
    }

    ModalOwners(const ModalOwners&) = delete;
    ModalOwners& operator=(const ModalOwners&) = delete;

private:
    CDialog* m_pDialog;
    HWND m_hWndParent;
    HWND m_hWndTop;
    bool m_bEnableParent = false;
};

}  // namespace

HWND CDialog::PreModal()
{
    return CWnd::GetSafeOwner_(m_pParentWnd != NULL ? m_pParentWnd->GetSafeHwnd() : NULL,
                               &m_hWndTop);
}

void CDialog::PostModal()
{
    if (m_hWndTop != NULL && ::IsWindow(m_hWndTop))
        ::EnableWindow(m_hWndTop, TRUE);
    m_hWndTop = NULL;
}

INT_PTR CDialog::DoModal()
{
    if (m_hWnd != NULL)
        return -1;   // already a modeless dialog

    LPCDLGTEMPLATE lpDialogTemplate = m_lpDialogTemplate;
    HGLOBAL hDialogTemplate = m_hDialogTemplate;
    HINSTANCE hInst = AfxGetResourceHandle();
    if (m_lpszTemplateName != NULL) {
        hInst = AfxFindResourceHandle(m_lpszTemplateName, RT_DIALOG);
        HRSRC hResource = ::FindResourceA(hInst, m_lpszTemplateName, RT_DIALOG);
        if (hResource == NULL)
            return -1;
        hDialogTemplate = ::LoadResource(hInst, hResource);
    }
    if (hDialogTemplate != NULL)
        lpDialogTemplate = static_cast<LPCDLGTEMPLATE>(::LockResource(hDialogTemplate));
    if (lpDialogTemplate == NULL)
        return -1;

    HWND hWndParent = PreModal();
    ModalOwners owners(this, hWndParent);

    m_nModalResult = -1;
    m_nFlags |= WF_CONTINUEMODAL;
    if (CreateDlgIndirect(lpDialogTemplate, CWnd::FromHandle(hWndParent), hInst)) {
        if (m_nFlags & WF_CONTINUEMODAL) {
            DWORD dwFlags = MLF_SHOWONIDLE;
            if (GetStyle() & DS_NOIDLEMSG)
                dwFlags |= MLF_NOIDLEMSG;
            RunModalLoop(dwFlags);
        }
        // Hidden before the owner is enabled again, so the owner gets the activation.
        if (m_hWnd != NULL)
            ::SetWindowPos(m_hWnd, NULL, 0, 0, 0, 0,
                           SWP_HIDEWINDOW | SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE |
                               SWP_NOZORDER);
    }
    m_nFlags &= ~WF_CONTINUEMODAL;

    owners.EnableParent();
    if (hWndParent != NULL && m_hWnd != NULL && ::GetActiveWindow() == m_hWnd)
        ::SetActiveWindow(hWndParent);

    // The object may delete itself when its window goes (PostNcDestroy): nothing of it is
    // used after DestroyWindow.
    INT_PTR nResult = m_nModalResult;
    owners.Finish();
    DestroyWindow();
    return nResult;
}

void CDialog::EndDialog(int nResult)
{
    if (m_nFlags & (WF_MODALLOOP | WF_CONTINUEMODAL))
        EndModalLoop(nResult);
    ::EndDialog(m_hWnd, nResult);
}

// ---------------------------------------------------------------------------------------
// Initialisation

namespace {

// ShowWindow(SW_HIDE) does nothing at all to a window that is not visible, and a dialog is
// not visible while it initialises, so a plain ::ShowWindow(hWnd, SW_HIDE) in OnInitDialog
// would leave no trace and the dialog would be shown after all. While the initialisation
// runs, the dialog is therefore marked visible (the style bit only: no message, no
// activation) with an empty window region, so nothing of it reaches the screen. Any hiding
// then clears the bit, which is what is looked at afterwards.
class InitVisibilityProbe
{
public:
    explicit InitVisibilityProbe(CDialog* pDialog) : m_hWnd(pDialog->m_hWnd)
    {
        DWORD dwStyle = (DWORD)::GetWindowLongA(m_hWnd, GWL_STYLE);
        m_bArmed = (pDialog->m_nFlags & (WF_ININIT | WF_SHOWAFTERINIT)) ==
                       (WF_ININIT | WF_SHOWAFTERINIT) &&
                   !(dwStyle & WS_VISIBLE);
        if (!m_bArmed)
            return;
        ::SetWindowRgn(m_hWnd, ::CreateRectRgn(0, 0, 0, 0), FALSE);
        ::SetWindowLongA(m_hWnd, GWL_STYLE, (LONG)(dwStyle | WS_VISIBLE));
    }

    // After OnInitDialog (the window still exists): notes a hiding in the dialog's flags
    // and takes the marking back, leaving what the initialisation did itself.
    void Settle(CDialog* pDialog)
    {
        if (!m_bArmed)
            return;
        m_bArmed = false;
        HRGN hRgn = ::CreateRectRgn(0, 0, 0, 0);
        bool bOurRegion = ::GetWindowRgn(m_hWnd, hRgn) == NULLREGION;
        ::DeleteObject(hRgn);
        DWORD dwStyle = (DWORD)::GetWindowLongA(m_hWnd, GWL_STYLE);
        if (!(dwStyle & WS_VISIBLE)) {
            pDialog->m_nFlags |= WF_HIDDENININIT;
        } else if (!::IsZoomed(m_hWnd) && !::IsIconic(m_hWnd)) {
            // Not hidden: invisible again until the class layer shows it. (A dialog that
            // maximised or minimised itself was shown that way and stays so.)
            ::SetWindowLongA(m_hWnd, GWL_STYLE, (LONG)(dwStyle & ~WS_VISIBLE));
        }
        if (bOurRegion)
            ::SetWindowRgn(m_hWnd, NULL, ::IsWindowVisible(m_hWnd));
    }

private:
    HWND m_hWnd;
    bool m_bArmed = false;
};

}  // namespace

LRESULT CDialog::HandleInitDialog(WPARAM, LPARAM)
{
    PreInitDialog();
    RECT rectOld;
    ::GetWindowRect(m_hWnd, &rectOld);
    HWND hWnd = m_hWnd;

    // Runs the dialog manager, which calls AfxDlgProc and so OnInitDialog.
    InitVisibilityProbe visibility(this);
    LRESULT lResult = Default();
    if (::IsWindow(hWnd) && afxcore::FindPermanent(hWnd) == this)
        visibility.Settle(this);

    // A pop-up dialog that did not place itself is centred over its owner.
    if (!::IsWindow(hWnd) || afxcore::FindPermanent(hWnd) != this)
        return lResult;
    DWORD dwStyle = GetStyle();
    if (dwStyle & (WS_VISIBLE | WS_CHILD))
        return lResult;
    RECT rect;
    ::GetWindowRect(m_hWnd, &rect);
    if (rect.left != rectOld.left || rect.top != rectOld.top)
        return lResult;
    if (CheckAutoCenter())
        CenterWindow();
    return lResult;
}

LRESULT CDialog::HandleSetFont(WPARAM wParam, LPARAM)
{
    OnSetFont(CFont::FromHandle(reinterpret_cast<HFONT>(wParam)));
    return Default();
}

void CDialog::OnSetFont(CFont*)
{
}

void CDialog::PreInitDialog()
{
}

BOOL CDialog::CheckAutoCenter()
{
    return (GetStyle() & (DS_CENTER | DS_CENTERMOUSE | DS_ABSALIGN)) == 0;
}

BOOL CDialog::OnInitDialog()
{
    BOOL bDlgInit = m_lpDialogInit != NULL ? ExecuteDlgInit(m_lpDialogInit)
                                           : ExecuteDlgInit(m_lpszTemplateName);
    if (!bDlgInit) {
        EndDialog(-1);
        return FALSE;
    }
    if (!UpdateData(FALSE)) {
        EndDialog(-1);
        return FALSE;
    }
    return TRUE;   // focus to the first control
}

void CDialog::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    EndDialog(IDOK);
}

void CDialog::OnCancel()
{
    EndDialog(IDCANCEL);
}

// ---------------------------------------------------------------------------------------
// Messages and navigation

BOOL CDialog::PreTranslateMessage(MSG* pMsg)
{
    // Escape in a multi-line edit would otherwise be eaten by the edit.
    if (pMsg->message == WM_KEYDOWN && (pMsg->wParam == VK_ESCAPE || pMsg->wParam == VK_CANCEL) &&
        (::GetWindowLongA(pMsg->hwnd, GWL_STYLE) & ES_MULTILINE) && ::IsChild(m_hWnd, pMsg->hwnd)) {
        char className[16];
        if (::GetClassNameA(pMsg->hwnd, className, sizeof(className)) &&
            lstrcmpiA(className, "Edit") == 0) {
            HWND hItem = ::GetDlgItem(m_hWnd, IDCANCEL);
            if (hItem == NULL || ::IsWindowEnabled(hItem)) {
                SendMessage(WM_COMMAND, IDCANCEL, 0);
                return TRUE;
            }
        }
    }
    return PreTranslateInput(pMsg);
}

BOOL CDialog::PreTranslateInput(LPMSG lpMsg)
{
    // Only keyboard and mouse input is dialog navigation.
    if ((lpMsg->message < WM_KEYFIRST || lpMsg->message > WM_KEYLAST) &&
        (lpMsg->message < WM_MOUSEFIRST || lpMsg->message > WM_MOUSELAST))
        return FALSE;
    return IsDialogMessage(lpMsg);
}

BOOL CDialog::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    return CWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

void CDialog::NextDlgCtrl() const
{
    ::SendMessageA(m_hWnd, WM_NEXTDLGCTL, 0, 0);
}

void CDialog::PrevDlgCtrl() const
{
    ::SendMessageA(m_hWnd, WM_NEXTDLGCTL, 1, 0);
}

void CDialog::GotoDlgCtrl(CWnd* pWndCtrl)
{
    if (pWndCtrl != NULL)
        ::SendMessageA(m_hWnd, WM_NEXTDLGCTL, (WPARAM)pWndCtrl->m_hWnd, 1L);
}

void CDialog::SetDefID(UINT nID)
{
    ::SendMessageA(m_hWnd, DM_SETDEFID, nID, 0);
}

DWORD CDialog::GetDefID() const
{
    return (DWORD)::SendMessageA(m_hWnd, DM_GETDEFID, 0, 0);
}

void CDialog::MapDialogRect(LPRECT lpRect) const
{
    ::MapDialogRect(m_hWnd, lpRect);
}
