// "风险设置": shows the account's total assets and takes the automatic liquidation line for
// the main window's risk-control monitor. Created once, modeless, and hidden and shown again;
// OK and Cancel only hide it and tell the owner (WM_RISK_SET, WM_RISK_CANCEL).
#pragma once
#include <afxdialogex.h>
#include "DeskResource.h"
#include "EditCustom.h"

// wParam: the funds record (SummaryRecord*, first text the total assets), owned by the sender.
#define WM_RISK_ASSETS 11129
// Sent to the owner after OK and after Cancel (0, 0).
#define WM_RISK_SET 11130
#define WM_RISK_CANCEL 11131

class CRiskSetDlg : public CDialogEx
{
public:
    enum { IDD = IDD_RISKSET_DIALOG };

    explicit CRiskSetDlg(CWnd* pParent = nullptr);

    void SetLine(double line) { m_line = line; }
    double GetLine() const { return m_line; }
    const CString& GetAssetsText() const { return m_assets; }
    // What the assets rectangle shows: two decimals, "---" for the servers' "no value".
    static CString AssetsDisplayText(const CString& assets);
    // The edit's text for a line: "%f" cut to two decimals.
    static CString LineText(double line);

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;
    afx_msg LRESULT OnAssets(WPARAM wParam, LPARAM lParam);
    afx_msg void OnShowWindow(BOOL show, UINT status);
    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT ctlColor);

    DECLARE_MESSAGE_MAP()

private:
    void TellOwner(UINT message);

    double m_line = 0.0;
    CString m_assets;
    CRect m_assetsRect;
    CFont m_boldFont;
    CEditCustom m_lineEdit;
    CWnd* m_owner;
};
