#include "TriggerboardDlg.h"

#include "ListDlg.h"
#include "ListTriggeredDlg.h"
#include "TriggerboardResource.h"

BEGIN_MESSAGE_MAP(CTriggerboardDlg, CDialog)
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_WM_SIZE()
END_MESSAGE_MAP()

CTriggerboardDlg::CTriggerboardDlg() : CDialog(IDD_TRIGGERBOARD, NULL) {}

CTriggerboardDlg::~CTriggerboardDlg() {}

BOOL CTriggerboardDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_font.CreatePointFont(90, "宋体");
    CRect client;
    GetClientRect(&client);
    m_tabs.Create(WS_CHILD | WS_VISIBLE, client, this, IDC_TRIGGER_TABS);
    m_tabs.InsertItem(0, "条件单");
    m_tabs.InsertItem(1, "已触发的条件单");
    m_tabs.SetTextColor(0x646464);
    m_tabs.SetSelTextColor(0x000000);
    m_tabs.SetSelTabColor(0x3CC7FF);
    m_tabs.SetTabBkColor(0xE6E6E6);
    m_tabs.SetSelTabColor2(0xFFFFFF);
    m_tabs.SetBkColor(0xFFFFFF);
    m_tabs.SetBorderColor(0xB99D7F);
    m_tabs.SetFont(&m_font);
    m_tabs.SetTextFormat(0x25);
    m_tabs.SetDrawStyle(2);
    m_waiting = new CListDlg;
    m_waiting->Create(IDD_TRIGGER_WAITING, &m_tabs);
    m_triggered = new CListTriggeredDlg;
    m_triggered->Create(IDD_TRIGGER_TRIGGERED, &m_tabs);
    m_waiting->ShowWindow(SW_SHOW);
    m_tabs.SetCurSel(0);
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
    return CDialog::OnNotify(wParam, lParam, pResult);
}

void CTriggerboardDlg::OnSize(UINT nType, int cx, int cy)
{
    CDialog::OnSize(nType, cx, cy);
    LayOut(cx, cy);
}

void CTriggerboardDlg::LayOut(int cx, int cy)
{
    if (m_tabs.GetSafeHwnd() == NULL)
        return;
    m_tabs.MoveWindow(0, 0, cx, cy);
    CRect page;
    m_tabs.GetClientRect(&page);
    for (CWnd* pageWnd : {(CWnd*)m_waiting, (CWnd*)m_triggered})
        if (pageWnd != nullptr && pageWnd->GetSafeHwnd() != NULL)
            pageWnd->MoveWindow(1, 24, page.Width() - 2, page.Height() - 25);
}

void CTriggerboardDlg::OnPaint()
{
    CPaintDC dc(this);
    CRect client;
    GetClientRect(&client);
    dc.FillSolidRect(&client, 0xFFFFFF);
}

BOOL CTriggerboardDlg::OnEraseBkgnd(CDC*)
{
    return TRUE;
}

void CTriggerboardDlg::OnCancel()
{
    DestroyWindow();
}

void CTriggerboardDlg::PostNcDestroy()
{
    delete this;
}
