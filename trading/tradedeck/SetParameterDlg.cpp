#include "SetParameterDlg.h"

#include "TradedeckResource.h"

#include <TradingMessages.h>

CSetParameterDlg::CSetParameterDlg() : CDialogEx(IDD_SET_PARAMETER, NULL) {}

BEGIN_MESSAGE_MAP(CSetParameterDlg, CDialogEx)
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_WM_CTLCOLOR()
    ON_BN_CLICKED(IDC_SHOW_ORDER_DETAIL, &CSetParameterDlg::OnCheckClicked)
    ON_MESSAGE(WM_PLATFORM_SET_OPTION, &CSetParameterDlg::OnSetCheck)
END_MESSAGE_MAP()

void CSetParameterDlg::PostNcDestroy()
{
    CDialogEx::PostNcDestroy();
    delete this;
}

BOOL CSetParameterDlg::OnEraseBkgnd(CDC*)
{
    return TRUE;
}

void CSetParameterDlg::OnPaint()
{
    CPaintDC dc(this);
    CRect client;
    GetClientRect(&client);
    CDC memory;
    memory.CreateCompatibleDC(&dc);
    CBitmap picture;
    picture.CreateCompatibleBitmap(&dc, client.Width(), client.Height());
    CBitmap* old = memory.SelectObject(&picture);
    memory.FillSolidRect(client, 0xFFFFFF);
    dc.BitBlt(0, 0, client.Width(), client.Height(), &memory, 0, 0, SRCCOPY);
    memory.SelectObject(old);
}

HBRUSH CSetParameterDlg::OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor)
{
    if (pWnd->GetDlgCtrlID() == IDC_SHOW_ORDER_DETAIL) {
        pDC->SetBkMode(TRANSPARENT);
        return (HBRUSH)::GetStockObject(WHITE_BRUSH);
    }
    return CDialogEx::OnCtlColor(pDC, pWnd, nCtlColor);
}

void CSetParameterDlg::OnCheckClicked()
{
    WPARAM checked = (WPARAM)SendDlgItemMessage(IDC_SHOW_ORDER_DETAIL, BM_GETCHECK, 0, 0);
    CWnd* parent = GetParent();
    CWnd* host = parent != nullptr ? parent->GetParent() : nullptr;
    if (host != nullptr)
        host->SendMessage(WM_PLATFORM_OPTION_CHANGED, checked);
}

LRESULT CSetParameterDlg::OnSetCheck(WPARAM wParam, LPARAM)
{
    SendDlgItemMessage(IDC_SHOW_ORDER_DETAIL, BM_SETCHECK, wParam, 0);
    return 0;
}
