#include "OrderDlg.h"

#include "SlipdeskResource.h"

#include <TradingMessages.h>

COrderDlg::COrderDlg() : CDialogEx(IDD_ORDER, NULL) {}

COrderDlg::~COrderDlg() = default;

BEGIN_MESSAGE_MAP(COrderDlg, CDialogEx)
    ON_MESSAGE(WM_ORDER_INSTRUMENT, &COrderDlg::OnOrderInstrument)
    ON_BN_CLICKED(IDC_ORDER_COLLAPSE, &COrderDlg::OnCollapseButton)
    ON_NOTIFY(TCN_SELCHANGE, IDC_ORDER_TAB, &COrderDlg::OnTabChanged)
    ON_WM_SIZE()
    ON_WM_PAINT()
END_MESSAGE_MAP()

void COrderDlg::PostNcDestroy()
{
    CDialogEx::PostNcDestroy();
    delete this;
}

void COrderDlg::OnCancel()
{
    DestroyWindow();
}

BOOL COrderDlg::OnInitDialog()
{
    CDialogEx::OnInitDialog();
    m_font.CreatePointFont(90, "宋体");
    CRect client;
    GetClientRect(&client);
    m_tab.Create(WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS, client, this, IDC_ORDER_TAB);
    m_tab.InsertItem(0, "下单板");
    m_tab.SetTextColor(0x646464);
    m_tab.SetSelTextColor(0);
    m_tab.SetSelTabColor(0x3CC7FF);
    m_tab.SetTabBkColor(0xE6E6E6);
    m_tab.SetSelTabColor2(0xFFFFFF);
    m_tab.SetBkColor(0xFFFFFF);
    m_tab.SetBorderColor(0xB99D7F);
    m_tab.SetFont(&m_font);
    m_tab.SendMessage(WM_SETFONT, (WPARAM)m_font.GetSafeHandle(), FALSE);
    m_tab.SetTextFormat(37);
    m_tab.SetDrawStyle(2);

    m_form.Create(IDD_LIGHTNING, &m_tab);
    m_tradition.Create(IDD_TRADITION, &m_tab);
    m_bull.Create(IDD_BULL, &m_tab);
    m_quick.Create(IDD_QUICK, &m_tab);
    m_form.ShowWindow(SW_SHOW);
    m_tab.SetCurSel(0);

    m_collapse.Create("<", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, CRect(0, 0, 10, 10), this, IDC_ORDER_COLLAPSE);
    m_collapse.SetStyle(0);
    m_collapse.SetBkColor(0xEBF5F5);
    m_collapse.SetTextColor(0);
    m_collapse.SetTextFormat(21);
    m_collapse.SetFont(&m_font);
    Layout();
    return TRUE;
}

CWnd* COrderDlg::Page(int index)
{
    CWnd* pages[] = {&m_form, &m_tradition, &m_bull, &m_quick};
    return index >= 0 && index < 4 ? pages[index] : nullptr;
}

void COrderDlg::Layout()
{
    if (!::IsWindow(m_tab.GetSafeHwnd()) || !::IsWindow(m_collapse.GetSafeHwnd()))
        return;
    CRect client;
    GetClientRect(&client);
    int w = client.Width(), h = client.Height();
    if (m_collapsed) {
        m_tab.MoveWindow(0, 0, 0, 0);
        m_collapse.MoveWindow(0, 0, w, h);
        return;
    }
    m_tab.MoveWindow(5, 5, w - 20, h - 10);
    CRect pageRect;
    m_tab.GetClientRect(&pageRect);
    pageRect.DeflateRect(1, 24, 1, 1);
    for (int i = 0; i < 4; ++i)
        if (::IsWindow(Page(i)->GetSafeHwnd()))
            Page(i)->MoveWindow(pageRect);
    m_collapse.MoveWindow(w - 10, 0, 10, h);
}

void COrderDlg::OnSize(UINT nType, int cx, int cy)
{
    CDialogEx::OnSize(nType, cx, cy);
    Layout();
}

LRESULT COrderDlg::OnOrderInstrument(WPARAM wParam, LPARAM lParam)
{
    for (int i = 0; i < 4; ++i)
        if (::IsWindow(Page(i)->GetSafeHwnd()))
            Page(i)->SendMessage(WM_ORDER_INSTRUMENT, wParam, lParam);
    return 0;
}

void COrderDlg::OnCollapseButton()
{
    m_collapsed = !m_collapsed;
    m_collapse.SetWindowText(m_collapsed ? ">" : "<");
    m_collapse.Invalidate();
    CWnd* parent = GetParent();
    if (parent != nullptr)
        parent->SendMessage(WM_PLATFORM_COLLAPSE, (WPARAM)m_collapsed);
    Layout();
}

void COrderDlg::OnTabChanged(NMHDR*, LRESULT* pResult)
{
    int selected = m_tab.GetCurSel();
    for (int i = 0; i < 4; ++i)
        Page(i)->ShowWindow(i == selected ? SW_SHOW : SW_HIDE);
    char caption[51] = {};
    TCITEM item = {};
    item.mask = TCIF_TEXT;
    item.pszText = caption;
    item.cchTextMax = 50;
    m_tab.GetItem(selected, &item);
    m_tabCaption = caption;
    CWnd* parent = GetParent();
    CWnd* host = parent != nullptr ? parent->GetParent() : nullptr;
    if (host != nullptr)
        host->SendMessage(WM_ORDER_PAGE_EVENT, (WPARAM)&m_tabCaption);
    *pResult = 0;
}

void COrderDlg::OnPaint()
{
    CPaintDC dc(this);
    CRect client;
    GetClientRect(&client);
    dc.FillSolidRect(client, 0xFFFFFF);
}
