// The price-kind pop-up of the order form: a one-column list; picking a row reports its
// text to the form and closes the pop-up. The last picked row stays highlighted.
#pragma once
#include <afxcmn.h>
#include <afxdialogex.h>

class DialogList : public CDialogEx
{
public:
    explicit DialogList(CWnd* owner);

    int m_selectedRow = 0;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnCancel() override;
    afx_msg void OnItemChanged(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnCustomDraw(NMHDR* pNMHDR, LRESULT* pResult);
    DECLARE_MESSAGE_MAP()

private:
    CListCtrl m_list;
    CWnd* m_owner;
    bool m_filling = false;
};
