#include "RiskSetDlg.h"
#include <cstdlib>
#include "MemDC1.h"
#include "NumberText.h"
#include "SummaryRecord.h"

namespace {
const COLORREF kEditBorder = 0xB99D7F;
}  // namespace

BEGIN_MESSAGE_MAP(CRiskSetDlg, CDialogEx)
    ON_MESSAGE(WM_RISK_ASSETS, &CRiskSetDlg::OnAssets)
    ON_WM_SHOWWINDOW()
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_WM_CTLCOLOR()
END_MESSAGE_MAP()

CRiskSetDlg::CRiskSetDlg(CWnd* pParent) : CDialogEx(IDD, pParent), m_assetsRect(128, 25, 278, 45), m_owner(pParent)
{
}

CString CRiskSetDlg::AssetsDisplayText(const CString& assets)
{
    return FormatDisplayValue(FormatNumberString(assets, 2));
}

CString CRiskSetDlg::LineText(double line)
{
    CString text;
    text.Format("%f", line);
    return FormatNumberString(text, 2);
}

BOOL CRiskSetDlg::OnInitDialog()
{
    CDialogEx::OnInitDialog();
    m_boldFont.CreateFont(-16, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                          CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, "宋体");
    m_lineEdit.SubclassDlgItem(IDC_RISK_LINE_EDIT, this);
    m_lineEdit.SetFont(&m_boldFont);
    m_lineEdit.SetWindowText("");
    m_lineEdit.AddValidChars("0123456789");
    m_lineEdit.AddValidChar(8);
    m_lineEdit.AddOnceChar('.');
    m_lineEdit.SetDecimalPlaces(2);
    m_lineEdit.SetFreeDecimals(0);
    m_lineEdit.ModifyStyle(0, WS_BORDER, SWP_FRAMECHANGED);
    m_lineEdit.SetBorderColor(kEditBorder);
    // Until a positive total arrives there is nothing to protect.
    m_lineEdit.EnableWindow(atof(m_assets) > 0.0);
    return TRUE;
}

LRESULT CRiskSetDlg::OnAssets(WPARAM wParam, LPARAM)
{
    const SummaryRecord* funds = reinterpret_cast<const SummaryRecord*>(wParam);
    if (funds == nullptr)
        return 0;
    m_assets = funds->strFields[0];
    if (m_lineEdit.GetSafeHwnd() != NULL)
        m_lineEdit.EnableWindow(atof(m_assets) > 0.0);
    InvalidateRect(&m_assetsRect);
    return 0;
}

void CRiskSetDlg::OnShowWindow(BOOL show, UINT status)
{
    CDialogEx::OnShowWindow(show, status);
    if (show && m_lineEdit.GetSafeHwnd() != NULL)
        m_lineEdit.SetWindowText(LineText(m_line));
}

BOOL CRiskSetDlg::OnEraseBkgnd(CDC*)
{
    return TRUE;
}

void CRiskSetDlg::OnPaint()
{
    CPaintDC paint(this);
    CRect client;
    GetClientRect(&client);
    CMemDC1 dc(&paint);
    dc.FillSolidRect(&client, RGB(255, 255, 255));
    dc.SetBkMode(TRANSPARENT);
    CFont* oldFont = dc.SelectObject(&m_boldFont);
    dc.SetTextColor(RGB(0, 0, 0));
    CRect rect = m_assetsRect;
    dc.DrawText(AssetsDisplayText(m_assets), &rect, DT_LEFT | DT_VCENTER | DT_SINGLELINE);
    dc.SelectObject(oldFont);
}

HBRUSH CRiskSetDlg::OnCtlColor(CDC* pDC, CWnd* pWnd, UINT ctlColor)
{
    HBRUSH brush = CDialogEx::OnCtlColor(pDC, pWnd, ctlColor);
    const int id = pWnd != nullptr ? pWnd->GetDlgCtrlID() : 0;
    if (id == IDC_RISK_ASSETS_LABEL || id == IDC_RISK_LINE_LABEL)
    {
        pDC->SetBkMode(TRANSPARENT);
        return (HBRUSH)::GetStockObject(HOLLOW_BRUSH);
    }
    return brush;
}

void CRiskSetDlg::TellOwner(UINT message)
{
    ShowWindow(SW_HIDE);
    CWnd* owner = m_owner != nullptr ? m_owner : GetParent();
    if (owner != nullptr && owner->GetSafeHwnd() != NULL)
        owner->SendMessage(message, 0, 0);
}

void CRiskSetDlg::OnOK()
{
    CString text;
    m_lineEdit.GetWindowText(text);
    m_line = atof(text);
    TellOwner(WM_RISK_SET);
}

void CRiskSetDlg::OnCancel()
{
    TellOwner(WM_RISK_CANCEL);
}
