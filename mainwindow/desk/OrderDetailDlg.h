// "订单明细": the confirmation window run before an order goes out when the user asked to see
// every order first. It asks the order server for a pre-check ("preneworder@") and shows the
// verdict: the margin increase and the fee, or "保证金不足" with OK turned into "强制交易".
// The buttons stay disabled until a verdict arrives.
#pragma once
#include <afxdialogex.h>
#include "DeskResource.h"
#include "PreOrderCheck.h"

class COrderDetailDlg : public CDialogEx
{
public:
    enum { IDD = IDD_ORDERDETAIL_DIALOG };

    explicit COrderDetailDlg(CWnd* pParent = nullptr);

    void SetOrderRequest(const OrderRequest& request) { m_check.SetOrder(request); }
    void SetAccountSummary(const SummaryRecord& funds) { m_check.SetFunds(funds); }
    const CPreOrderCheck& Check() const { return m_check; }

protected:
    BOOL OnInitDialog() override;
    afx_msg void OnDestroy();
    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnSize(UINT type, int cx, int cy);
    afx_msg void OnCancelButton();
    afx_msg LRESULT OnPreOrderInfo(WPARAM wParam, LPARAM lParam);

    DECLARE_MESSAGE_MAP()

private:
    void BuildBackBuffer();
    void RestoreBackBitmap();
    void Draw(CDC& dc, const CRect& client);

    CPreOrderCheck m_check;
    CFont m_titleFont;
    CFont m_rowFont;
    CPen m_linePen;
    CDC m_backDC;
    CBitmap m_backBitmap;
    // The bitmap the back DC came with, selected back before the back bitmap goes.
    HGDIOBJ m_originalBitmap = NULL;
    CRect m_client;
};
