// One page of the main window's sector tabs: a report list of sixteen quote columns for
// the instruments of one sector. List events become main-window messages (the main window
// is the parent of the tab strip that holds the page): selections, double clicks, header
// sorts and changes of the visible rows.
#pragma once

#include "ListCtrlEx.h"
#include "MainDialogsResource.h"
#include "QuotePageMessages.h"
#include "QuoteRow.h"

#include <afxwin.h>
#include <map>

class CTabQuoteDlg : public CDialog
{
public:
    enum { IDD = IDD_TABQUOTE_DIALOG };

    CTabQuoteDlg();
    ~CTabQuoteDlg() override;

    void SetSectorName(const CString& name) { m_notice.strSector = name; m_strDisplayName = name; }
    const CString& GetSectorName() const { return m_notice.strSector; }
    const CString& GetDisplayName() const { return m_strDisplayName; }
    int GetSelectedRow() const { return m_notice.nRow; }
    const CString& GetSelectedText() const { return m_notice.strText; }
    // The record the page sends with WM_SECTOR_CHANGED.
    const SectorNotice& GetNotice() const { return m_notice; }
    CListCtrlEx& GetList() { return m_list; }

    // mode -1 clears the selection, mode 0 takes `row` as selected; each tells the main
    // window. Other modes do nothing.
    void SelectRow(int mode, int row);
    // The header forgets its sort mark (the page returns to list order).
    void ClearSortMark();
    // Writes the quote into list row `row` with its texts and colours.
    void RefreshQuoteRows(int row, const QuoteRow& quote);

    BOOL PreTranslateMessage(MSG* pMsg) override;
    BOOL DestroyWindow() override;

    // Which entries of the quote context menu are enabled (MF_ENABLED or MF_GRAYED).
    static void ContextMenuStates(bool rowSelected, const CString& currentSector,
                                  UINT& addFlags, UINT& removeFlags);

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    void OnOK() override {}

    afx_msg void OnListClick(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnListDoubleClick(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnListRightClick(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnListItemChanged(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg LRESULT OnLayoutList(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnListRightClickMenu(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnVisibleRowsChanged(WPARAM wParam, LPARAM lParam);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnShowWindow(BOOL bShow, UINT nStatus);
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg void OnPaint();

    DECLARE_MESSAGE_MAP()

private:
    HWND MainWindow() const;
    LRESULT SendToMain(UINT message, WPARAM wParam, LPARAM lParam) const;
    int FirstSelectedRow() const;
    void ClearKeptSelection();
    void SortByHeader(int column);
    void SetUpList();

    std::map<int, int> m_sortMarks;  // column -> last direction (1 or -1)
    int m_sortColumn = -1;
    bool m_sorting = false;          // the header echoes the sort mark set while sorting
    CListCtrlEx m_list;
    SectorNotice m_notice;
    CString m_strDisplayName;
    CFont m_headerFont;
    CFont m_itemFont;
    CFont m_columnFont;
};
