// The account query window (`CFindDlg`): a tab strip over the funds and history pages (and
// three pages that are never shown), the export button, and the relay of the trade dialog's
// records to the page each is meant for.
#pragma once
#include <afxwin.h>

#include <LayerButton.h>
#include <TabPagesDlg.h>
#include <TradingRecords.h>

class CQueryPage;

class CFindDlg : public CTabPagesDlg
{
public:
    CFindDlg();
    ~CFindDlg() override;

protected:
    BOOL OnInitDialog() override;
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void LayOut(int cx, int cy) override;

private:
    enum Page { kFunds, kSettlement, kPositionDetail, kHistory, kAccess, kPages };
    void OnTabChanged();
    void OnExport();
    CQueryPage* PageOfMessage(UINT message) const;

    CLayerButton m_export;
    // Each page deletes itself when its window is destroyed with the tab strip.
    CQueryPage* m_pages[kPages] = {};
    StatusLine m_status;
    CString m_tabText;
};
