#include "ConditionSetDlg.h"

#include "SlipdeskResource.h"

#include <afxcmn.h>

#include <cstdlib>

CConditionSetDlg::CConditionSetDlg(CWnd* owner) : CDialogEx(IDD_CONDITION_SET, owner) {}

BEGIN_MESSAGE_MAP(CConditionSetDlg, CDialogEx)
    ON_BN_CLICKED(IDC_COND_BY_PRICE, &CConditionSetDlg::OnTriggerClicked)
    ON_BN_CLICKED(IDC_COND_AT_OPEN, &CConditionSetDlg::OnTriggerClicked)
    ON_BN_CLICKED(IDC_COND_AT_TIME, &CConditionSetDlg::OnTriggerClicked)
    ON_BN_CLICKED(IDC_COND_MANUAL, &CConditionSetDlg::OnTriggerClicked)
    ON_NOTIFY(UDN_DELTAPOS, IDC_COND_COUNT_SPIN, &CConditionSetDlg::OnCountSpin)
    ON_NOTIFY(UDN_DELTAPOS, IDC_COND_PRICE_SPIN, &CConditionSetDlg::OnPriceSpin)
    ON_WM_PAINT()
END_MESSAGE_MAP()

BOOL CConditionSetDlg::OnInitDialog()
{
    CDialogEx::OnInitDialog();
    CComboBox* source = (CComboBox*)GetDlgItem(IDC_COND_SOURCE);
    for (const char* text : {"最新价", "买一价", "卖一价"})
        source->AddString(text);
    source->SetCurSel(0);
    CComboBox* comparison = (CComboBox*)GetDlgItem(IDC_COND_COMPARISON);
    for (const char* text : {">=", "<="})
        comparison->AddString(text);
    comparison->SetCurSel(0);
    SetDlgItemText(IDC_COND_COUNT, "2");
    CheckRadioButton(IDC_COND_BY_PRICE, IDC_COND_MANUAL, IDC_COND_BY_PRICE);
    CheckRadioButton(IDC_COND_BUY, IDC_COND_SELL, IDC_COND_BUY);
    CheckDlgButton(IDC_COND_OPEN, BST_CHECKED);
    ApplyTrigger();
    return TRUE;
}

void CConditionSetDlg::ReadTrigger()
{
    const UINT ids[] = {IDC_COND_BY_PRICE, IDC_COND_AT_OPEN, IDC_COND_AT_TIME, IDC_COND_MANUAL};
    for (int i = 0; i < 4; ++i)
        if (IsDlgButtonChecked(ids[i]) == BST_CHECKED)
            m_trigger = i;
}

void CConditionSetDlg::ApplyTrigger()
{
    const UINT conditionRow[] = {IDC_COND_SOURCE, IDC_COND_COUNT, IDC_COND_COUNT_SPIN,
                                 IDC_COND_COMPARISON, IDC_COND_PRICE, IDC_COND_PRICE_SPIN};
    for (UINT id : conditionRow)
        GetDlgItem(id)->EnableWindow(m_trigger == 0);
    GetDlgItem(IDC_COND_TIME)->EnableWindow(m_trigger == 2);
}

void CConditionSetDlg::OnTriggerClicked()
{
    ReadTrigger();
    ApplyTrigger();
}

void CConditionSetDlg::StepInteger(UINT editId, int delta)
{
    CString text;
    GetDlgItemText(editId, text);
    int value = atoi(text);
    if (delta < 0)
        ++value;
    else if (value > 1)
        --value;
    CString shown;
    shown.Format("%d", value);
    SetDlgItemText(editId, shown);
}

void CConditionSetDlg::OnCountSpin(NMHDR* pNMHDR, LRESULT* pResult)
{
    StepInteger(IDC_COND_COUNT, reinterpret_cast<NMUPDOWN*>(pNMHDR)->iDelta);
    *pResult = 0;
}

void CConditionSetDlg::OnPriceSpin(NMHDR* pNMHDR, LRESULT* pResult)
{
    // An empty condition price has nothing to step from; it stays empty.
    CString text;
    GetDlgItemText(IDC_COND_PRICE, text);
    if (!text.IsEmpty())
        StepInteger(IDC_COND_PRICE, reinterpret_cast<NMUPDOWN*>(pNMHDR)->iDelta);
    *pResult = 0;
}

void CConditionSetDlg::OnPaint()
{
    CPaintDC dc(this);
    m_heading = "先关信息123！";
    dc.SetBkMode(TRANSPARENT);
    dc.TextOut(25, 25, m_heading);
}
