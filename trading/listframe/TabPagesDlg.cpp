#include "TabPagesDlg.h"

BEGIN_MESSAGE_MAP(CTabPagesDlg, CDialog)
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_WM_SIZE()
END_MESSAGE_MAP()

CTabPagesDlg::CTabPagesDlg(UINT templateId) : CDialog(templateId, NULL) {}

CTabPagesDlg::~CTabPagesDlg() {}

void CTabPagesDlg::CreateTabs(UINT id, std::initializer_list<const char*> texts)
{
    m_font.CreatePointFont(90, "宋体");
    CRect client;
    GetClientRect(&client);
    m_tabs.Create(WS_CHILD | WS_VISIBLE, client, this, id);
    int index = 0;
    for (const char* text : texts)
        m_tabs.InsertItem(index++, text);
    m_tabs.SetTextColor(0x646464);
    m_tabs.SetSelTextColor(0x000000);
    m_tabs.SetSelTabColor(0x3CC7FF);
    m_tabs.SetTabBkColor(0xE6E6E6);
    // The hover fill and the background.
    m_tabs.SetSelTabColor2(0xFFFFFF);
    m_tabs.SetBkColor(0xFFFFFF);
    m_tabs.SetBorderColor(0xB99D7F);
    m_tabs.SetFont(&m_font);
    m_tabs.SetTextFormat(0x25);
    m_tabs.SetDrawStyle(2);
}

bool CTabPagesDlg::PlaceTabs(int cx, int cy)
{
    if (m_tabs.GetSafeHwnd() == NULL)
        return false;
    m_tabs.MoveWindow(0, 0, cx, cy);
    return true;
}

void CTabPagesDlg::PlacePage(CWnd* page)
{
    if (page == nullptr || page->GetSafeHwnd() == NULL)
        return;
    CRect strip;
    m_tabs.GetClientRect(&strip);
    page->MoveWindow(1, 24, strip.Width() - 2, strip.Height() - 25);
}

void CTabPagesDlg::LayOut(int cx, int cy)
{
    PlaceTabs(cx, cy);
}

void CTabPagesDlg::OnSize(UINT nType, int cx, int cy)
{
    CDialog::OnSize(nType, cx, cy);
    LayOut(cx, cy);
}

void CTabPagesDlg::OnPaint()
{
    CPaintDC dc(this);
    CRect client;
    GetClientRect(&client);
    dc.FillSolidRect(&client, 0xFFFFFF);
}

BOOL CTabPagesDlg::OnEraseBkgnd(CDC*)
{
    return TRUE;
}

void CTabPagesDlg::OnCancel()
{
    DestroyWindow();
}

void CTabPagesDlg::PostNcDestroy()
{
    delete this;
}
