// An HTML view in a dialog, in place of a static placeholder control. Links to "app:NAME"
// become WM_COMMAND messages for the dialog through a command table; links meant for a new
// window open in the user's browser; the right mouse button can be kept from the page.
#pragma once

#include <afxhtml.h>

// One entry of the owner's command table; the table ends with an entry whose name is null.
struct HtmlPaneCommand {
    const char* pszName;
    UINT nID;
};

class CHtmlPane : public CHtmlView
{
public:
    CHtmlPane();

    // Takes the place and control id of the parent's static control nID; false when there is
    // no such control or the view cannot be created.
    BOOL CreateFromStatic(UINT nID, CWnd* pParent);
    // Replaces the whole page; false when the view has no document (no window).
    BOOL SetHtml(LPCTSTR lpszHtml);

    // The owner's table, valid for the view's lifetime (NULL: no commands).
    void SetCommandTable(const HtmlPaneCommand* pTable) { m_pCommandTable = pTable; }
    void SetHideContextMenu(BOOL bHide) { m_bHideContextMenu = bHide; }
    const CString& GetStatusText() const { return m_strStatusText; }

    // Posts the parent WM_COMMAND for every table entry named lpszName (case ignored).
    virtual void OnAppCmd(LPCTSTR lpszName);

    BOOL PreTranslateMessage(MSG* pMsg) override;
    void OnBeforeNavigate2(LPCTSTR lpszURL, DWORD nFlags, LPCTSTR lpszTargetFrameName,
                           CByteArray& baPostedData, LPCTSTR lpszHeaders,
                           BOOL* pbCancel) override;
    void OnStatusTextChange(LPCTSTR lpszText) override;
    void OnNewWindow2(LPDISPATCH* ppDisp, BOOL* pbCancel) override;

protected:
    afx_msg void OnDestroy();
    afx_msg int OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message);

    DECLARE_MESSAGE_MAP()

private:
    CString m_strStatusText;
    const HtmlPaneCommand* m_pCommandTable;
    BOOL m_bHideContextMenu;
};
