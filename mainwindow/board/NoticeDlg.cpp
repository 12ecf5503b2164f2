#include "NoticeDlg.h"

const char CNoticeDlg::kHideKey[] = "hide_notice_id";

namespace {

// What a link "app:NAME" of a notice does: the window's own two buttons.
const HtmlPaneCommand kNoticeCommands[] = {
    {"close", IDC_NOTICE_CLOSE},
    {"hidenotice", IDC_NOTICE_HIDE},
    {nullptr, 0},
};

}  // namespace

BEGIN_MESSAGE_MAP(CNoticeDlg, CDialogEx)
    ON_BN_CLICKED(IDC_NOTICE_HIDE, &CNoticeDlg::OnHideNotice)
    ON_BN_CLICKED(IDC_NOTICE_CLOSE, &CNoticeDlg::OnCloseButton)
END_MESSAGE_MAP()

CNoticeDlg::CNoticeDlg(CWnd* pParent, const CString& configPath)
    : CDialogEx(IDD, pParent), m_configPath(configPath)
{
}

BOOL CNoticeDlg::OnInitDialog()
{
    CDialogEx::OnInitDialog();
    m_initialised = true;
    m_html.SetCommandTable(kNoticeCommands);
    if (m_html.CreateFromStatic(IDC_NOTICE_HTML, this))
        m_html.SetHtml(m_notice.strContent.c_str());
    return TRUE;
}

// Runs modal or modeless: either way the window goes the same road.
void CNoticeDlg::Close()
{
    if (m_nFlags & WF_MODALLOOP)
        EndDialog(IDOK);
    else
        DestroyWindow();
}

void CNoticeDlg::OnOK()
{
    Close();
}

void CNoticeDlg::OnCancel()
{
    Close();
}

void CNoticeDlg::OnCloseButton()
{
    Close();
}

void CNoticeDlg::OnHideNotice()
{
    // A failed write is not reported: the window closes all the same.
    ::WritePrivateProfileStringA("system", kHideKey, m_notice.strId.c_str(), m_configPath);
    Close();
}

BOOL CNoticeDlg::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message == WM_KEYDOWN) {
        if (pMsg->wParam == VK_ESCAPE) {
            Close();
            return TRUE;
        }
        if (pMsg->wParam == VK_RETURN)
            return TRUE;
    }
    return CDialogEx::PreTranslateMessage(pMsg);
}

bool ShouldShowNotice(const NoticeRecord& notice, const CString& configPath)
{
    if (notice.strId.empty())
        return false;
    char hidden[128] = {0};
    ::GetPrivateProfileStringA("system", CNoticeDlg::kHideKey, "-1", hidden, sizeof(hidden), configPath);
    return notice.strId != hidden;
}
