// The login window: user name, masked password, server list with its speed-test button, the
// real/simulated switch (shown once the special account switched the program to it), a
// progress bar, a progress text, a status line and the result line. Enter submits.
#pragma once
#include "ILogin.h"
#include "LoginWindowIds.h"

#include <afxcmn.h>
#include <afxwin.h>

#include <mutex>

#include "EditEx.h"
#include "LayerButton.h"
#include "TabCtrlEx.h"

class CLoginWindow : public CDialog, public ILogin
{
public:
    CLoginWindow(const char* user, const char* second);

    // Runs the window modally; returns when it has closed.
    void RunModal(HWND parent, const char* caption, LoginWindowCallback onShown);

    void SelectEntry(int index) override;
    void SetServerKindCallback(LoginServerKindCallback callback) override;
    void SetMode(int mode) override;
    void EnableInput(bool enable) override;
    void BeginTest(int value) override;
    void SetProgressText(const char* text) override;
    void SetServerEntries(const std::vector<std::string>& entries) override;
    void SetSubmitCallback(LoginSubmitCallback callback) override;
    void SetSpeedTestCallback(LoginWindowCallback callback) override;
    void SetProgress(int value) override;
    void SetStatusText(const char* text) override;
    void SetPlainCallback(LoginPlainCallback callback) override;
    HWND GetWindow() override;
    int GetServerKind() override;
    std::string GetShownText(int which) override;
    void ShowResult(const std::string& text) override;
    void CloseWindow() override;

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;
    afx_msg LRESULT OnCallOnWindowThread(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnShown(WPARAM wParam, LPARAM lParam);
    afx_msg void OnSpeedTest();
    afx_msg void OnKindChanged(NMHDR* header, LRESULT* result);
    afx_msg void OnServerChanged();
    afx_msg void OnDestroy();
    DECLARE_MESSAGE_MAP()

private:
    // Runs work on the window's thread (at once when called there, or when no window exists).
    void OnWindowThread(const std::function<void()>& work);
    void CreateControls();
    void CreateLabel(const char* text, int x, int y, int width);
    void ApplyState();
    void ShowKindSwitch();

    CString m_user;
    CString m_caption;
    LoginWindowCallback m_onShown;
    LoginServerKindCallback m_onKind;
    LoginSubmitCallback m_onSubmit;
    LoginWindowCallback m_onSpeedTest;
    LoginPlainCallback m_onPlain;

    // What the window shows; kept beside the controls so that calls before the window exists
    // are not lost and tools can read it from any thread.
    std::mutex m_stateLock;
    std::vector<std::string> m_entries;
    int m_selected = -1;
    int m_mode = 0;
    int m_kind = 1;
    bool m_inputEnabled = true;
    int m_progress = 0;
    std::string m_progressText;
    std::string m_statusText;
    std::string m_resultText;

    HWND m_window = NULL;   // under m_stateLock: read by other threads
    DWORD m_windowThread = 0;

    CFont m_font;
    CEditEx m_userEdit;
    CEditEx m_passwordEdit;
    CComboBox m_servers;
    std::vector<std::string> m_shownEntries;  // what m_servers holds now (window thread only)
    CTabCtrlEx m_kindTabs;
    CLayerButton m_loginButton;
    CLayerButton m_speedButton;
    CProgressCtrl m_progressBar;
    CStatic m_progressLabel;
    CStatic m_statusLabel;
    CStatic m_resultLabel;
    std::vector<CStatic*> m_labels;
};
