// "历史订单查询": lists the orders the console stored in its order table between two dates,
// and with them the console's own follow orders that the main window stored in its
// proxy-order table. It only reads the tables; the console creates it once, hidden, and shows
// it on request.
#pragma once
#include <afxdialogex.h>
#include <vector>
#include "ConsoleWindowResource.h"
#include "FlatDateTimeCtrl.h"
#include "LayerButton.h"
#include "ListCtrlEx.h"
#include "OrderRow.h"

class CDBOrder;
class CDBProxyOrder;

class CSearchOrderDlg : public CDialogEx
{
public:
    enum { IDD = IDD_SEARCH_ORDER_DIALOG };

    explicit CSearchOrderDlg(CWnd* parent = nullptr);
    ~CSearchOrderDlg() override;

    // The table stays the caller's and must outlive the window.
    void SetOrderTable(CDBOrder* orders) { m_orders = orders; }
    // The proxy-order table and the account the follow orders went out on (the same rules).
    void SetFollowOrderTable(CDBProxyOrder* followOrders, const CString& account)
    {
        m_followOrders = followOrders;
        m_account = account;
    }

    // Lists the stored orders whose order time lies between the start date's 00:00:00 and
    // the end date's 23:59:59 (the button "查询").
    void RunQuery();

    CFlatDateTimeCtrl& StartPicker() { return m_startDate; }
    CFlatDateTimeCtrl& EndPicker() { return m_endDate; }
    CListCtrlEx& ResultList() { return m_list; }

protected:
    BOOL OnInitDialog() override;
    void OnOK() override {}
    void OnCancel() override;
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnShowWindow(BOOL bShow, UINT nStatus);
    afx_msg void OnQuery();
    DECLARE_MESSAGE_MAP()

private:
    void CreateControls();
    void SetUpList();
    void LayoutControls(int width, int height);
    void FillList(const std::vector<OrderRow>& rows);

    CDBOrder* m_orders = nullptr;
    CDBProxyOrder* m_followOrders = nullptr;
    CString m_account;
    CStatic m_startLabel;
    CStatic m_endLabel;
    CFlatDateTimeCtrl m_startDate;
    CFlatDateTimeCtrl m_endDate;
    CLayerButton m_queryButton;
    CListCtrlEx m_list;
    CFont m_font;
};
