#include "ChartDialog.h"

#include "DecimalText.h"

BEGIN_MESSAGE_MAP(CChartDialog, CDialogEx)
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_WM_RBUTTONDOWN()
    ON_WM_QUERYDRAGICON()
END_MESSAGE_MAP()

CChartDialog::CChartDialog(UINT templateId) : CDialogEx(templateId, NULL) {}

CChartDialog::~CChartDialog() = default;

void CChartDialog::PostNcDestroy()
{
    CDialogEx::PostNcDestroy();
    delete this;
}

void CChartDialog::OnCancel()
{
    // Escape must not destroy a window its host still holds.
}

LRESULT CChartDialog::OnPrecision(WPARAM wParam, LPARAM)
{
    m_decimals = (int)wParam;
    return 0;
}

void CChartDialog::OnPaint()
{
    CPaintDC dc(this);
    PaintAll(&dc);
}

BOOL CChartDialog::OnEraseBkgnd(CDC*)
{
    // The picture covers the whole client area; an erase first would only flicker.
    return TRUE;
}

void CChartDialog::OnRButtonDown(UINT nFlags, CPoint point)
{
    SetFocus();
    CDialogEx::OnRButtonDown(nFlags, point);
}

HCURSOR CChartDialog::OnQueryDragIcon()
{
    return (HCURSOR)m_hIcon;
}

CString CChartDialog::Cut(const CString& price) const
{
    return tolvan::charts::FormatDecimalText(price, m_decimals);
}
