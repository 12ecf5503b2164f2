// The notice window ("公告"): the operator's current notice, an HTML text, in an HTML view.
// "关闭" and Escape close it; "不再提示" also records the notice's identifier as
// "hide_notice_id" of section "system" of "Config.ini", so that the main window does not show
// that notice again. Links "app:close" and "app:hidenotice" in the notice do the same as
// those two buttons.
#pragma once

#include "BoardResource.h"
#include "HtmlPane.h"
#include "NoticeRecord.h"

#include <afxdialogex.h>

class CNoticeDlg : public CDialogEx
{
public:
    enum { IDD = IDD_NOTICE_DIALOG };

    // configPath: the "Config.ini" the identifier is written to.
    CNoticeDlg(CWnd* pParent, const CString& configPath);

    void SetNotice(const NoticeRecord& notice) { m_notice = notice; }
    const NoticeRecord& GetNotice() const { return m_notice; }
    bool IsInitialised() const { return m_initialised; }
    CHtmlPane& GetHtmlPane() { return m_html; }

    BOOL PreTranslateMessage(MSG* pMsg) override;

    static const char kHideKey[];

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;
    afx_msg void OnHideNotice();
    afx_msg void OnCloseButton();

    DECLARE_MESSAGE_MAP()

private:
    void Close();

    CString m_configPath;
    NoticeRecord m_notice;
    CHtmlPane m_html;
    bool m_initialised = false;
};

// Whether a notice is to be shown: it exists and the user did not hide its identifier.
bool ShouldShowNotice(const NoticeRecord& notice, const CString& configPath);
