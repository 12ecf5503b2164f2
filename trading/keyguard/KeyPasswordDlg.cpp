#include "KeyPasswordDlg.h"

#include "KeyOrder.h"
#include "KeyguardResource.h"

#include <cstdlib>

CKeyPasswordDlg::CKeyPasswordDlg() : CDialogEx(IDD_PASSWORD_KEYPAD, NULL) {}

BEGIN_MESSAGE_MAP(CKeyPasswordDlg, CDialogEx)
    ON_WM_ACTIVATE()
END_MESSAGE_MAP()

void CKeyPasswordDlg::ShuffleKeys()
{
    m_order = keyguard::ShuffleDigits(keyguard::SystemPicker());
    for (int i = 0; i < (int)m_order.size(); ++i) {
        CString caption;
        caption.Format("%d", m_order[i]);
        SetDlgItemText(IDC_KEYPAD_FIRST + i, caption);
    }
}

BOOL CKeyPasswordDlg::OnCommand(WPARAM wParam, LPARAM lParam)
{
    UINT id = LOWORD(wParam);
    if (HIWORD(wParam) == BN_CLICKED && id >= IDC_KEYPAD_FIRST && id <= IDC_KEYPAD_BACKSPACE) {
        int key = 10;
        if (id != IDC_KEYPAD_BACKSPACE) {
            CString caption;
            GetDlgItemText(id, caption);
            key = atoi(caption);
        }
        CWnd* page = GetParent();
        if (page != nullptr)
            page->SendMessage(WM_KEYPAD_KEY, (WPARAM)key);
        return TRUE;
    }
    return CDialogEx::OnCommand(wParam, lParam);
}

void CKeyPasswordDlg::OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized)
{
    CDialogEx::OnActivate(nState, pWndOther, bMinimized);
    if (nState == WA_INACTIVE)
        ShowWindow(SW_HIDE);
}
