#include "HoravaneDlg.h"
#include "ServerTimeProbe.h"

BEGIN_MESSAGE_MAP(CHoravaneDlg, CDialogEx)
    ON_WM_TIMER()
    ON_MESSAGE(WM_SERVER_TIME, &CHoravaneDlg::OnTimeRequest)
END_MESSAGE_MAP()

CHoravaneDlg::CHoravaneDlg(const CHoravaneConfig& config, CWnd* pParent)
    : CDialogEx(IDD, pParent), m_config(config), m_hCaller(NULL), m_nIdleTicks(0)
{
    m_hIcon = AfxGetApp()->LoadIcon(IDR_MAINFRAME);
}

BOOL CHoravaneDlg::OnInitDialog()
{
    CDialogEx::OnInitDialog();
    SetIcon(m_hIcon, TRUE);
    SetIcon(m_hIcon, FALSE);

    MakeHiddenToolWindow();

    m_nIdleTicks = 0;
    SetTimer(kIdleTimer, kIdleTimerPeriodMs, nullptr);
    return TRUE;
}

// No task-bar button and no visible window: the program works unseen.
void CHoravaneDlg::MakeHiddenToolWindow()
{
    ModifyStyleEx(WS_EX_APPWINDOW, WS_EX_TOOLWINDOW);

    WINDOWPLACEMENT placement = {};
    placement.length = sizeof(placement);
    GetWindowPlacement(&placement);
    placement.showCmd = SW_HIDE;
    SetWindowPlacement(&placement);
}

void CHoravaneDlg::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent == kIdleTimer && ++m_nIdleTicks > kIdleTicksBeforeClose)
    {
        KillTimer(kIdleTimer);
        PostMessage(WM_CLOSE);
    }
    CDialogEx::OnTimer(nIDEvent);
}

LRESULT CHoravaneDlg::OnTimeRequest(WPARAM wParam, LPARAM /*lParam*/)
{
    m_hCaller = reinterpret_cast<HWND>(wParam);
    if (!::IsWindow(m_hCaller))
    {
        EndDialog(IDCANCEL);
        return 0;
    }
    // From now on the program ends when this request is done.
    m_nIdleTicks = 0;
    KillTimer(kIdleTimer);

    CServerTimeProbe probe(m_config);
    ServerTimeAnswer answer;
    const CServerTimeProbe::Outcome outcome = probe.Measure(answer);
    SetDlgItemText(IDC_TIME_TEXT, outcome == CServerTimeProbe::Answered ? answer.strTimeText : CString());
    if (outcome == CServerTimeProbe::Answered)
    {
        CString strTrace;
        strTrace.Format("Horavane - startTime  = %lld\r\n", static_cast<long long>(answer.nOffset));
        ::OutputDebugStringA(strTrace);
        DWORD_PTR ignored = 0;
        ::SendMessageTimeout(m_hCaller, WM_SERVER_TIME, static_cast<WPARAM>(answer.nDate),
                             static_cast<LPARAM>(answer.nOffset), SMTO_NORMAL | SMTO_ABORTIFHUNG, kAnswerTimeoutMs,
                             &ignored);
    }
    else if (outcome == CServerTimeProbe::NoSoapResult)
    {
        EndDialog(IDCANCEL);
    }
    PostMessage(WM_CLOSE);
    return 0;
}
