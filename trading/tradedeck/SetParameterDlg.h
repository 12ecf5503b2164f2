// The container's settings page: whether an order shows its detail window before it goes.
#pragma once
#include <afxdialogex.h>

class CSetParameterDlg : public CDialogEx
{
public:
    CSetParameterDlg();

protected:
    void PostNcDestroy() override;
    void OnOK() override {}
    void OnCancel() override {}
    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
    afx_msg void OnCheckClicked();
    afx_msg LRESULT OnSetCheck(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()
};
