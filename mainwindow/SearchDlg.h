// The quick-search popup ("智能键盘"): opened by the main window with the typed character
// in its edit, it lists the instruments of the search index that match the text on every
// change; Enter or a double click closes it with the chosen code.
#pragma once

#include "EditEx.h"
#include "ListCtrlEx.h"
#include "MainDialogsResource.h"

#include <afxdialogex.h>

class SearchIndex;

class CSearchDlg : public CDialogEx
{
public:
    enum { IDD = IDD_SEARCH_DIALOG };

    // The index stays the caller's; the process-wide one by default.
    explicit CSearchDlg(CWnd* pParent = nullptr, const SearchIndex* index = nullptr);
    ~CSearchDlg() override;

    // The first typed text and the main window's rectangle (the popup opens at its
    // bottom-right corner).
    void SetSearchParams(const CString& text, const CRect& mainRect);
    // The chosen code; empty until a choice closed the popup with OK.
    const CString& GetSelectedCode() const { return m_strSelectedCode; }

    BOOL PreTranslateMessage(MSG* pMsg) override;

    static const char kTitle[];

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnSearchTextChanged();
    afx_msg void OnListDoubleClick(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnDestroy();

    DECLARE_MESSAGE_MAP()

private:
    void PlaceControls(int cx, int cy);
    void RunSearch();
    void CreateSearchEdit();
    void SetUpList();
    int SelectedRow() const;
    void ChooseRow(int row);
    void MoveSelection(int step);

    const SearchIndex* m_index;
    CString m_strTypedText;
    CRect m_mainRect;
    CString m_strSelectedCode;
    CEditEx m_edit;
    CListCtrlEx m_list;
    CFont m_editFont;
    CFont m_listFont;
};
