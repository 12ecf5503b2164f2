// The on-screen digit keypad of the password page. Its keys are reshuffled before each use;
// a key reports its digit (10 for backspace) to the page.
#pragma once
#include <afxdialogex.h>

#include <vector>

enum : UINT { WM_KEYPAD_KEY = WM_USER + 100 };

class CKeyPasswordDlg : public CDialogEx
{
public:
    CKeyPasswordDlg();

    void ShuffleKeys();
    const std::vector<int>& GetOrder() const { return m_order; }

protected:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    void OnOK() override {}
    void OnCancel() override { ShowWindow(SW_HIDE); }
    afx_msg void OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized);
    DECLARE_MESSAGE_MAP()

private:
    std::vector<int> m_order;
};
