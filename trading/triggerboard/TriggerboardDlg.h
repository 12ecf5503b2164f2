// The conditional-order window (`CTriggerboardDlg`): a tab strip over the waiting and the
// triggered list pages.
#pragma once
#include <afxwin.h>

#include <TabPagesDlg.h>

class CListDlg;
class CListTriggeredDlg;

class CTriggerboardDlg : public CTabPagesDlg
{
public:
    CTriggerboardDlg();
    ~CTriggerboardDlg() override;

protected:
    BOOL OnInitDialog() override;
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    void LayOut(int cx, int cy) override;

private:
    void ShowPage(int tab);

    // Each page deletes itself when its window is destroyed with the tab strip.
    CListDlg* m_waiting = nullptr;
    CListTriggeredDlg* m_triggered = nullptr;
};
