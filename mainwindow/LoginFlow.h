// The main window's share of the login: the login window with its four callbacks, the server
// list and its speed test, the update check, and the gate that lets the start go on only
// after an accepted login. Worker threads report through the main window's messages.
#pragma once
#include <afxwin.h>

#include <mutex>

#include "LoginMessages.h"
#include "ServerList.h"

class ILogin;

struct LoginFolders
{
    CString appDir;     // program directory, ending in "\"
    CString rootDir;
    CString testDir;
    CString updateDir;
    CString usrDir;
};

class CLoginFlow
{
public:
    CLoginFlow(HWND mainWindow, const LoginFolders& folders);
    ~CLoginFlow();
    CLoginFlow(const CLoginFlow&) = delete;
    CLoginFlow& operator=(const CLoginFlow&) = delete;

    // Shows the login window and returns when it has closed and the login thread has ended:
    // true after an accepted login.
    bool Run();

    // Handlers of the main window's messages.
    LRESULT OnSpeedTestDone(WPARAM wParam);
    LRESULT OnStartUpdateCheck(WPARAM wParam);
    LRESULT OnLoginNotice(LPARAM lParam);

    LONG GetLoginGate() const { return m_loginGate; }

private:
    struct ThreadBlock;
    static unsigned __stdcall UserLoginThread(void* block);
    static unsigned __stdcall ServerListThread(void* block);
    static unsigned __stdcall ServerSpeedTestThread(void* block);
    static unsigned __stdcall UpdateCheckThread(void* block);

    bool OnLoginSubmit(ILogin* login, const char* user, const char* password, int serverIndex);
    void OnLoginSpeedTest(ILogin* login);
    void OnLoginServerKind(ILogin* login, int kind, int index);
    void StartThread(unsigned(__stdcall* entry)(void*), ILogin* login);

    void TestServerSpeed(ILogin* login);
    bool RunServerSpeedTest(bool fullTest);
    void ShowServerList(ILogin* login, const ServerList& list, int selected);
    int RememberedIndex() const;
    bool AnalogKind() const;
    void Notify(const char* text, const char* caption = "Tolvan证券", UINT type = MB_OK);
    void WaitForLoginThread();

    HWND m_mainWindow;
    LoginFolders m_folders;
    ILogin* m_login = nullptr;
    volatile LONG m_loginGate = -2;
    HANDLE m_loginThread = NULL;

    std::mutex m_serversLock;   // the server list is read by workers and the window's thread
    ServerList m_servers;

    int m_currentKind = -1;          // the kind last chosen in the login window
    volatile LONG m_listRefresh = 1; // 0 while a kind switch is served
    volatile LONG m_firstTestByte = 0;
    volatile LONG m_secondTestByte = 0;
    volatile LONG m_speedTestFlag = 0; // the user asked for a full speed test
};
