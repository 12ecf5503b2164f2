// The order entry window: a tab strip whose one page is the order form, and a strip button
// that collapses the window to a narrow band in the container.
#pragma once
#include <afxdialogex.h>

#include <LayerButton.h>
#include <TabCtrlEx.h>

#include "LightningDlg.h"
#include "OrderPages.h"

class COrderDlg : public CDialogEx
{
public:
    COrderDlg();
    ~COrderDlg() override;

    int GetCollapsed() const { return m_collapsed; }
    CLightningDlg& GetForm() { return m_form; }

protected:
    BOOL OnInitDialog() override;
    void PostNcDestroy() override;
    void OnOK() override {}
    void OnCancel() override;

    afx_msg LRESULT OnOrderInstrument(WPARAM wParam, LPARAM lParam);
    afx_msg void OnCollapseButton();
    afx_msg void OnTabChanged(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnPaint();
    DECLARE_MESSAGE_MAP()

private:
    void Layout();
    CWnd* Page(int index);

    CFont m_font;
    CTabCtrlEx m_tab;
    CLightningDlg m_form;
    CTraditionDlg m_tradition;
    CBullDlg m_bull;
    CQuickDlg m_quick;
    CLayerButton m_collapse;
    int m_collapsed = 0;
    CString m_tabCaption;
};
