#include "TriggerboardDlg.h"

#include "ListDlg.h"
#include "ListTriggeredDlg.h"
#include "TriggerboardResource.h"

CTriggerboardDlg::CTriggerboardDlg() : CTabPagesDlg(IDD_TRIGGERBOARD) {}

CTriggerboardDlg::~CTriggerboardDlg() {}

BOOL CTriggerboardDlg::OnInitDialog()
{
    CTabPagesDlg::OnInitDialog();
    CreateTabs(IDC_TRIGGER_TABS, {"条件单", "已触发的条件单"});
    m_waiting = new CListDlg;
    m_waiting->Create(IDD_TRIGGER_WAITING, &m_tabs);
    m_triggered = new CListTriggeredDlg;
    m_triggered->Create(IDD_TRIGGER_TRIGGERED, &m_tabs);
    m_waiting->ShowWindow(SW_SHOW);
    m_tabs.SetCurSel(0);
    CRect client;
    GetClientRect(&client);
    LayOut(client.Width(), client.Height());
    return TRUE;
}

void CTriggerboardDlg::ShowPage(int tab)
{
    m_waiting->ShowWindow(tab == 0 ? SW_SHOW : SW_HIDE);
    m_triggered->ShowWindow(tab == 1 ? SW_SHOW : SW_HIDE);
}

BOOL CTriggerboardDlg::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    const NMHDR* header = reinterpret_cast<const NMHDR*>(lParam);
    if (header->idFrom == IDC_TRIGGER_TABS && header->code == TCN_SELCHANGE) {
        ShowPage(m_tabs.GetCurSel());
        *pResult = 0;
        return TRUE;
    }
    return CTabPagesDlg::OnNotify(wParam, lParam, pResult);
}

void CTriggerboardDlg::LayOut(int cx, int cy)
{
    if (!PlaceTabs(cx, cy))
        return;
    PlacePage(m_waiting);
    PlacePage(m_triggered);
}
