#include "LoginWindow.h"

#include <commctrl.h>

namespace {

// Carries a piece of work from another thread (lParam: std::function<void()>*).
const UINT WM_LOGIN_CALL = WM_APP + 0x301;
// Posted by OnInitDialog: the window is up, the caller may fill it.
const UINT WM_LOGIN_SHOWN = WM_APP + 0x302;

const int kWidth = 380;
const int kHeight = 330;

// An empty dialog template: the controls are made by CreateControls.
struct EmptyTemplate
{
    DLGTEMPLATE head;
    WORD menu = 0;
    WORD windowClass = 0;
    WORD title = 0;
    WORD padding = 0;
};

CString Text(CWnd& control)
{
    CString text;
    control.GetWindowText(text);
    return text;
}

}  // namespace

BEGIN_MESSAGE_MAP(CLoginWindow, CDialog)
    ON_MESSAGE(WM_LOGIN_CALL, &CLoginWindow::OnCallOnWindowThread)
    ON_MESSAGE(WM_LOGIN_SHOWN, &CLoginWindow::OnShown)
    ON_BN_CLICKED(IDC_LOGIN_SPEEDTEST, &CLoginWindow::OnSpeedTest)
    ON_NOTIFY(TCN_SELCHANGE, IDC_LOGIN_KIND, &CLoginWindow::OnKindChanged)
    ON_CBN_SELCHANGE(IDC_LOGIN_SERVERS, &CLoginWindow::OnServerChanged)
    ON_WM_DESTROY()
END_MESSAGE_MAP()

CLoginWindow::CLoginWindow(const char* user, const char* /*second*/) : m_user(user != nullptr ? user : "")
{
}

void CLoginWindow::RunModal(HWND parent, const char* caption, LoginWindowCallback onShown)
{
    m_caption = caption != nullptr ? caption : "";
    m_onShown = std::move(onShown);
    static EmptyTemplate dialog;
    dialog.head.style = WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_CENTER;
    dialog.head.cx = 200;
    dialog.head.cy = 160;
    InitModalIndirect(&dialog.head, parent != NULL ? CWnd::FromHandle(parent) : nullptr);
    DoModal();
}

BOOL CLoginWindow::OnInitDialog()
{
    CDialog::OnInitDialog();
    {
        std::lock_guard<std::mutex> guard(m_stateLock);
        m_window = m_hWnd;
        m_windowThread = ::GetCurrentThreadId();
    }
    SetWindowText(m_caption);
    CRect frame(0, 0, kWidth, kHeight);
    ::AdjustWindowRectEx(&frame, GetStyle(), FALSE, GetExStyle());
    SetWindowPos(nullptr, 0, 0, frame.Width(), frame.Height(), SWP_NOMOVE | SWP_NOZORDER);
    CenterWindow();
    CreateControls();
    m_shownEntries.clear();
    ApplyState();
    m_userEdit.SetWindowText(m_user);
    (m_user.IsEmpty() ? m_userEdit : m_passwordEdit).SetFocus();
    PostMessage(WM_LOGIN_SHOWN);
    return FALSE;
}

void CLoginWindow::CreateLabel(const char* text, int x, int y, int width)
{
    CStatic* label = new CStatic;
    label->Create(text, WS_CHILD | WS_VISIBLE, CRect(x, y + 3, x + width, y + 21), this);
    label->SetFont(&m_font);
    m_labels.push_back(label);
}

void CLoginWindow::CreateControls()
{
    m_font.CreatePointFont(90, "宋体");
    const DWORD child = WS_CHILD | WS_VISIBLE;

    m_kindTabs.Create(child | WS_TABSTOP, CRect(20, 10, 360, 36), this, IDC_LOGIN_KIND);
    m_kindTabs.SetFont(&m_font);
    m_kindTabs.SetTextColor(0);
    m_kindTabs.SetSelTextColor(0xFFFFFF);
    m_kindTabs.SetTabBkColor(0xEDEDED);
    m_kindTabs.SetSelTabColor(0x646464);
    m_kindTabs.SetBkColor(0xF0F0F0);
    m_kindTabs.SetBorderColor(0xEDEDED);
    m_kindTabs.SetTextFormat(DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    m_kindTabs.SetDrawStyle(1);
    m_kindTabs.InsertItem(0, "模拟");
    m_kindTabs.InsertItem(1, "实盘");

    CreateLabel("用户名", 30, 50, 60);
    m_userEdit.Create(child | WS_TABSTOP | ES_AUTOHSCROLL, CRect(100, 50, 340, 74), this, IDC_LOGIN_USER);
    CreateLabel("密  码", 30, 84, 60);
    m_passwordEdit.Create(child | WS_TABSTOP | ES_AUTOHSCROLL | ES_PASSWORD, CRect(100, 84, 340, 108), this,
                          IDC_LOGIN_PASSWORD);
    CreateLabel("服务器", 30, 118, 60);
    m_servers.Create(child | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST, CRect(100, 118, 270, 300), this,
                     IDC_LOGIN_SERVERS);
    m_speedButton.Create("测速", child | WS_TABSTOP | BS_OWNERDRAW, CRect(278, 117, 340, 142), this,
                         IDC_LOGIN_SPEEDTEST);

    m_progressBar.Create(child, CRect(30, 156, 340, 170), this, IDC_LOGIN_PROGRESS);
    m_progressBar.SetRange(0, 100);
    m_progressLabel.Create("", child, CRect(30, 176, 340, 194), this, IDC_LOGIN_PROGRESS_TEXT);
    m_statusLabel.Create("", child, CRect(30, 198, 340, 216), this, IDC_LOGIN_STATUS);
    m_resultLabel.Create("", child, CRect(30, 220, 340, 238), this, IDC_LOGIN_RESULT);
    m_loginButton.Create("登  录", child | WS_TABSTOP | BS_OWNERDRAW, CRect(100, 260, 270, 294), this, IDOK);

    CWnd* withFont[] = {&m_userEdit, &m_passwordEdit, &m_servers, &m_progressLabel, &m_statusLabel, &m_resultLabel};
    for (CWnd* control : withFont)
        control->SetFont(&m_font);
    m_userEdit.SetBorderColor(0xB99D7F);
    m_passwordEdit.SetBorderColor(0xB99D7F);
    m_resultLabel.ModifyStyle(0, SS_LEFT);
}

namespace {

void SetTextIfChanged(CWnd& control, const std::string& text)
{
    CString shown;
    control.GetWindowText(shown);
    if (shown != text.c_str())
        control.SetWindowText(text.c_str());
}

}  // namespace

// Brings the controls in line with the kept state, touching only what differs: rebuilding the
// server list would close a drop-down the user has open and make the window flicker.
void CLoginWindow::ApplyState()
{
    if (m_hWnd == NULL || m_servers.m_hWnd == NULL)
        return;
    std::vector<std::string> entries;
    int selected, progress, kind, mode;
    bool enabled;
    std::string progressText, status, result;
    {
        std::lock_guard<std::mutex> guard(m_stateLock);
        entries = m_entries;
        selected = m_selected;
        progress = m_progress;
        kind = m_kind;
        mode = m_mode;
        enabled = m_inputEnabled;
        progressText = m_progressText;
        status = m_statusText;
        result = m_resultText;
    }
    if (entries != m_shownEntries)
    {
        m_servers.ResetContent();
        for (const std::string& entry : entries)
            m_servers.AddString(entry.c_str());
        m_shownEntries = entries;
    }
    if (m_servers.GetCurSel() != selected)
        m_servers.SetCurSel(selected);
    if (m_progressBar.GetPos() != progress)
        m_progressBar.SetPos(progress);
    SetTextIfChanged(m_progressLabel, progressText);
    SetTextIfChanged(m_statusLabel, status);
    SetTextIfChanged(m_resultLabel, result);
    const int tab = kind == 0 ? 0 : 1;
    const bool kindChanged = m_kindTabs.GetCurSel() != tab;
    if (kindChanged)
        m_kindTabs.SetCurSel(tab);
    const bool showKinds = mode == 1;
    if (((m_kindTabs.GetStyle() & WS_VISIBLE) != 0) != showKinds)
        m_kindTabs.ShowWindow(showKinds ? SW_SHOW : SW_HIDE);
    const bool enableChanged = (m_loginButton.IsWindowEnabled() != FALSE) != enabled;
    CWnd* inputs[] = {&m_userEdit, &m_passwordEdit, &m_servers, &m_kindTabs, &m_speedButton, &m_loginButton};
    for (CWnd* input : inputs)
        if ((input->IsWindowEnabled() != FALSE) != enabled)
            input->EnableWindow(enabled);
    if (kindChanged || enableChanged)
        m_kindTabs.Invalidate();
}

void CLoginWindow::OnWindowThread(const std::function<void()>& work)
{
    HWND window;
    DWORD thread;
    {
        std::lock_guard<std::mutex> guard(m_stateLock);
        window = m_window;
        thread = m_windowThread;
    }
    if (window == NULL || thread == ::GetCurrentThreadId())
        work();
    else
        ::SendMessage(window, WM_LOGIN_CALL, 0, reinterpret_cast<LPARAM>(&work));
}

LRESULT CLoginWindow::OnCallOnWindowThread(WPARAM, LPARAM lParam)
{
    (*reinterpret_cast<const std::function<void()>*>(lParam))();
    return 0;
}

LRESULT CLoginWindow::OnShown(WPARAM, LPARAM)
{
    // The modal loop shows the window only once it is idle; the caller works on a shown one.
    ShowWindow(SW_SHOW);
    if (m_onShown)
        m_onShown(this);
    return 0;
}

void CLoginWindow::OnOK()
{
    if (!m_onSubmit || !m_loginButton.IsWindowEnabled())
        return;
    const CString user = Text(m_userEdit);
    const CString password = Text(m_passwordEdit);
    m_onSubmit(this, user, password, m_servers.GetCurSel());
}

void CLoginWindow::OnCancel()
{
    CDialog::OnCancel();
}

void CLoginWindow::OnSpeedTest()
{
    if (m_onSpeedTest)
        m_onSpeedTest(this);
}

// The user's pick is kept, so that the next shown state does not put the old one back.
void CLoginWindow::OnServerChanged()
{
    std::lock_guard<std::mutex> guard(m_stateLock);
    m_selected = m_servers.GetCurSel();
}

void CLoginWindow::OnKindChanged(NMHDR*, LRESULT* result)
{
    *result = 0;
    const int kind = m_kindTabs.GetCurSel() == 0 ? 0 : 1;
    {
        std::lock_guard<std::mutex> guard(m_stateLock);
        m_kind = kind;
    }
    if (m_onKind)
        m_onKind(this, kind, m_servers.GetCurSel());
}

void CLoginWindow::OnDestroy()
{
    {
        std::lock_guard<std::mutex> guard(m_stateLock);
        m_window = NULL;
    }
    for (CStatic* label : m_labels)
        delete label;
    m_labels.clear();
    CDialog::OnDestroy();
}

// Keeps the new value (also when the window is gone), then shows it on the window's thread.
#define LOGIN_UPDATE(assignment)                          \
    do                                                    \
    {                                                     \
        {                                                 \
            std::lock_guard<std::mutex> guard(m_stateLock); \
            assignment;                                   \
        }                                                 \
        OnWindowThread([this] { ApplyState(); });         \
    } while (false)

void CLoginWindow::SelectEntry(int index) { LOGIN_UPDATE(m_selected = index); }
void CLoginWindow::SetMode(int mode) { LOGIN_UPDATE(m_mode = mode); }
void CLoginWindow::EnableInput(bool enable) { LOGIN_UPDATE(m_inputEnabled = enable); }
// A test of the servers begins: the window takes no input until the caller enables it again.
void CLoginWindow::BeginTest(int value) { LOGIN_UPDATE(m_progress = value; m_inputEnabled = false); }
void CLoginWindow::SetProgressText(const char* text) { LOGIN_UPDATE(m_progressText = text != nullptr ? text : ""); }
void CLoginWindow::SetProgress(int value) { LOGIN_UPDATE(m_progress = value); }
void CLoginWindow::SetStatusText(const char* text) { LOGIN_UPDATE(m_statusText = text != nullptr ? text : ""); }
void CLoginWindow::ShowResult(const std::string& text) { LOGIN_UPDATE(m_resultText = text); }

void CLoginWindow::SetServerEntries(const std::vector<std::string>& entries)
{
    LOGIN_UPDATE(m_entries = entries; m_selected = -1);
}

void CLoginWindow::SetServerKindCallback(LoginServerKindCallback callback) { m_onKind = std::move(callback); }
void CLoginWindow::SetSubmitCallback(LoginSubmitCallback callback) { m_onSubmit = std::move(callback); }
void CLoginWindow::SetSpeedTestCallback(LoginWindowCallback callback) { m_onSpeedTest = std::move(callback); }
void CLoginWindow::SetPlainCallback(LoginPlainCallback callback) { m_onPlain = std::move(callback); }

HWND CLoginWindow::GetWindow()
{
    std::lock_guard<std::mutex> guard(m_stateLock);
    return m_window;
}

int CLoginWindow::GetServerKind()
{
    std::lock_guard<std::mutex> guard(m_stateLock);
    return m_kind;
}

std::string CLoginWindow::GetShownText(int which)
{
    std::lock_guard<std::mutex> guard(m_stateLock);
    switch (which)
    {
    case LOGIN_TEXT_STATUS:
        return m_statusText;
    case LOGIN_TEXT_RESULT:
        return m_resultText;
    case LOGIN_TEXT_PROGRESS:
        return m_progressText;
    case LOGIN_TEXT_ENTRIES:
    {
        std::string joined;
        for (const std::string& entry : m_entries)
            joined += (joined.empty() ? "" : "|") + entry;
        return joined;
    }
    default:
        return std::string();
    }
}

void CLoginWindow::CloseWindow()
{
    OnWindowThread([&] {
        if (m_hWnd != NULL)
            EndDialog(IDOK);
    });
}
