// Horavane's one window: hidden, titled "GetHoravane" so the main program can find it.
// It answers one WM_SERVER_TIME request with the server date and the clock offset, then
// closes; without a request it closes on its own after about nine seconds.
#pragma once
#include <afxdialogex.h>
#include "HoravaneConfig.h"
#include "HoravaneResource.h"

// Request (posted to us: wParam = requesting window) and answer (sent to the requester:
// wParam = server date YYYYMMDD, lParam = server time minus local time in seconds, signed,
// as wide as LPARAM).
#define WM_SERVER_TIME (WM_USER + 888)

class CHoravaneDlg : public CDialogEx
{
public:
    explicit CHoravaneDlg(const CHoravaneConfig& config, CWnd* pParent = nullptr);

    enum { IDD = IDD_HORAVANE_DIALOG };

    static const UINT_PTR kIdleTimer = 1;
    static const UINT kIdleTimerPeriodMs = 1000;
    static const UINT kIdleTicksBeforeClose = 8;   // closes at the ninth tick
    // The answer waits this long for the caller: a caller that hangs does not keep the
    // program alive.
    static const UINT kAnswerTimeoutMs = 5000;

protected:
    BOOL OnInitDialog() override;

    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg LRESULT OnTimeRequest(WPARAM wParam, LPARAM lParam);

    DECLARE_MESSAGE_MAP()

private:
    void MakeHiddenToolWindow();

    CHoravaneConfig m_config;
    HICON m_hIcon;
    HWND m_hCaller;
    UINT m_nIdleTicks;
};
