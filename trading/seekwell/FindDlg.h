// The account query window (`CFindDlg`): a tab strip over the funds and history pages (and
// three pages that are never shown), the export button, and the relay of the trade dialog's
// records to the page each is meant for.
#pragma once
#include <afxwin.h>

#include <LayerButton.h>
#include <TabCtrlEx.h>
#include <TradingRecords.h>

class CQueryPage;

class CFindDlg : public CDialog
{
public:
    CFindDlg();
    ~CFindDlg() override;

protected:
    BOOL OnInitDialog() override;
    void OnCancel() override;
    void OnOK() override {}
    void PostNcDestroy() override;
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnSize(UINT nType, int cx, int cy);

private:
    enum Page { kFunds, kSettlement, kPositionDetail, kHistory, kAccess, kPages };
    // Not OnSize: a handler called outside its message would pass the current message on.
    void LayOut(int cx, int cy);
    void OnTabChanged();
    void OnExport();
    CQueryPage* PageOfMessage(UINT message) const;

    CFont m_font;
    CTabCtrlEx m_tabs;
    CLayerButton m_export;
    // Each page deletes itself when its window is destroyed with the tab strip.
    CQueryPage* m_pages[kPages] = {};
    StatusLine m_status;
    CString m_tabText;

    DECLARE_MESSAGE_MAP()
};
