// The conditional-order settings: a modal dialog whose choices are not carried anywhere yet
// (it keeps no result and sends no record).
#pragma once
#include <afxdialogex.h>

class CConditionSetDlg : public CDialogEx
{
public:
    explicit CConditionSetDlg(CWnd* owner);

    int m_trigger = 0;    // 0 price condition, 1 at the open, 2 at a time, 3 sent by hand
    int m_direction = 0;  // 0 buy, 1 sell
    int m_openClose = 0;  // 0 open, 1 close today, 2 close

protected:
    BOOL OnInitDialog() override;
    afx_msg void OnTriggerClicked();
    afx_msg void OnCountSpin(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnPriceSpin(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnPaint();
    DECLARE_MESSAGE_MAP()

private:
    void ReadTrigger();
    void ApplyTrigger();
    // One integer step of an edit: up adds 1, down subtracts 1 while above 1.
    void StepInteger(UINT editId, int delta);

    CString m_heading;
};
