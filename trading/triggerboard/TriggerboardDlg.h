// The conditional-order window (`CTriggerboardDlg`): a tab strip over the waiting and the
// triggered list pages.
#pragma once
#include <afxwin.h>

#include <TabCtrlEx.h>

class CListDlg;
class CListTriggeredDlg;

class CTriggerboardDlg : public CDialog
{
public:
    CTriggerboardDlg();
    ~CTriggerboardDlg() override;

protected:
    BOOL OnInitDialog() override;
    void OnCancel() override;
    void OnOK() override {}
    void PostNcDestroy() override;
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnSize(UINT nType, int cx, int cy);

private:
    void ShowPage(int tab);
    // Not OnSize: a handler called outside its message would pass the current message on.
    void LayOut(int cx, int cy);

    CFont m_font;
    CTabCtrlEx m_tabs;
    // Each page deletes itself when its window is destroyed with the tab strip.
    CListDlg* m_waiting = nullptr;
    CListTriggeredDlg* m_triggered = nullptr;

    DECLARE_MESSAGE_MAP()
};
