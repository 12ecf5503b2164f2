// The work behind the login window: its four callbacks, the server list and its speed test,
// the update check and the user-login thread. Every worker thread holds a share of this
// object, so a thread that outlives the login window (or is left running because it would
// not end) never touches a freed one. Workers report through the main window's messages.
#pragma once
#include <afxwin.h>

#include <memory>
#include <mutex>
#include <vector>

#include "LoginMessages.h"
#include "ServerList.h"

class ILogin;
struct UserLoginRequest;

struct LoginFolders
{
    CString appDir;     // program directory, ending in "\"
    CString rootDir;
    CString testDir;
    CString updateDir;
    CString usrDir;
};

class CLoginWork : public std::enable_shared_from_this<CLoginWork>
{
public:
    CLoginWork(HWND mainWindow, const LoginFolders& folders);
    ~CLoginWork();
    CLoginWork(const CLoginWork&) = delete;
    CLoginWork& operator=(const CLoginWork&) = delete;

    // Shows the login window; when it has closed, ends the workers (see StopWorkers).
    // True after an accepted login.
    bool Run();

    LRESULT OnSpeedTestDone(WPARAM wParam);
    LRESULT OnStartUpdateCheck(WPARAM wParam);
    LRESULT OnLoginNotice(LPARAM lParam);

    LONG GetLoginGate() const { return m_loginGate; }
    // The login window object (null before Run); it lives until the process ends.
    ILogin* GetLoginWindow() const { return m_login; }
    // Workers started and not yet ended.
    int CountRunningWorkers();

private:
    struct ThreadBlock;
    static unsigned __stdcall UserLoginThread(void* block);
    static unsigned __stdcall ServerListThread(void* block);
    static unsigned __stdcall ServerSpeedTestThread(void* block);
    static unsigned __stdcall UpdateCheckThread(void* block);

    bool OnLoginSubmit(ILogin* login, const char* user, const char* password, int serverIndex);
    void OnLoginSpeedTest(ILogin* login);
    void OnLoginServerKind(ILogin* login, int kind, int index);
    bool StartThread(unsigned(__stdcall* entry)(void*), ILogin* login, const UserLoginRequest* request = nullptr);
    // Tells every worker to end (each at its next wait), then waits for them while answering
    // the messages they send to this thread. A worker that does not end in time is reported
    // and left running; its share keeps this object alive.
    void StopWorkers();
    bool Stopping() const;

    enum SpeedTestOutcome { SPEED_TEST_DONE, SPEED_TEST_FAILED, SPEED_TEST_STOPPED };

    void TestServerSpeed(ILogin* login);
    SpeedTestOutcome RunServerSpeedTest(bool fullTest);
    void ShowUntestedList(ILogin* login);
    void EndListRefresh(ILogin* login);
    void ShowServerList(ILogin* login, const ServerList& list, int selected);
    int RememberedIndex() const;
    bool AnalogKind() const;
    // A message box owned by the main window, shown on the window's thread.
    void Notify(const char* text, const char* caption = "Tolvan证券", UINT type = MB_OK);
    int ShowBox(const char* text, const char* caption = "Tolvan证券", UINT type = MB_OK);

    HWND m_mainWindow;
    LoginFolders m_folders;
    ILogin* m_login = nullptr;
    volatile LONG m_loginGate = -2;
    HANDLE m_stop;  // manual reset: the login window has gone

    std::mutex m_threadsLock;
    std::vector<HANDLE> m_threads;  // workers not yet seen ended

    std::mutex m_serversLock;   // the server list is read by workers and the window's thread
    ServerList m_servers;

    int m_currentKind = -1;          // the kind last chosen in the login window
    volatile LONG m_listRefresh = 1; // 0 while a kind switch is served
    volatile LONG m_firstTestByte = 0;
    volatile LONG m_secondTestByte = 0;
    volatile LONG m_speedTestFlag = 0; // the user asked for a full speed test
};
