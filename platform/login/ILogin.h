// The login window library: a window that collects a user name, a password and the chosen
// server, and hands them to the main program through callbacks registered by the main window.
// Every operation may be called from any thread; calls from other threads are carried out on
// the window's own thread before they return.
#pragma once
#include <winsock2.h>
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#ifdef TOLVAN_LOGIN_BUILD
#define LOGIN_API __declspec(dllexport)
#else
#define LOGIN_API __declspec(dllimport)
#endif

class ILogin;

// kind: 0 simulated servers, 1 real servers; index: the entry selected in the list.
typedef std::function<void(ILogin* login, int kind, int index)> LoginServerKindCallback;
typedef std::function<bool(ILogin* login, const char* user, const char* password, int serverIndex)> LoginSubmitCallback;
typedef std::function<void(ILogin* login)> LoginWindowCallback;
typedef std::function<void()> LoginPlainCallback;

class ILogin
{
public:
    // Prepares the library's painting; call once before the first window.
    LOGIN_API static void SetPaintmgr();
    // Makes the login window object (the window itself appears in ShowLoginWnd). user is the
    // name shown in the user-name box; second is kept for the library's own use.
    LOGIN_API static ILogin* CreatLoginWnd(const char* user, const char* second);
    // Shows the window modally under parent with caption; onShown runs (on the window's thread)
    // once the window exists, so the caller can fill the server list. Returns when the window
    // has closed. The object stays valid until the process ends (workers of the caller may
    // still call it; the calls then only change the kept texts).
    LOGIN_API static void ShowLoginWnd(ILogin* login, HWND parent, const char* caption, LoginWindowCallback onShown);

    // The order of these operations is the library's table; callers rely on it.
    virtual void SelectEntry(int index) = 0;
    virtual void SetServerKindCallback(LoginServerKindCallback callback) = 0;
    virtual void SetMode(int mode) = 0;
    virtual void EnableInput(bool enable) = 0;
    virtual void BeginTest(int value) = 0;
    virtual void SetProgressText(const char* text) = 0;
    virtual void SetServerEntries(const std::vector<std::string>& entries) = 0;
    virtual void SetSubmitCallback(LoginSubmitCallback callback) = 0;
    virtual void SetSpeedTestCallback(LoginWindowCallback callback) = 0;
    virtual void SetProgress(int value) = 0;
    virtual void SetStatusText(const char* text) = 0;
    virtual void SetPlainCallback(LoginPlainCallback callback) = 0;
    // The window's handle (null before ShowLoginWnd created it and after it closed).
    virtual HWND GetWindow() = 0;
    // The server kind the window's switch shows (0 simulated, 1 real).
    virtual int GetServerKind() = 0;
    // Texts the window shows now (status line, result line), for the program's own checks.
    virtual std::string GetShownText(int which) = 0;
    virtual void ShowResult(const std::string& text) = 0;
    virtual void CloseWindow() = 0;

protected:
    ~ILogin() {}
};
