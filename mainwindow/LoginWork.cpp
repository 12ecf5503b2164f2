#include "LoginWork.h"
#include "ThreadWait.h"

#include "DownloadFile.h"
#include "FileCrypt.h"
#include "ILogin.h"
#include "LoginProcess.h"
#include "LoginState.h"
#include "SessionData.h"
#include "UpdateCheck.h"
#include "UserLogin.h"
#include "UserSettingsFile.h"

#include <process.h>

namespace {

const char kCaption[] = "Tolvan证券客户端登录";
const char kListMissing[] = "服务器列表缺失，请重新安装程序以解决此问题！";
const char kListBroken[] = "服务器列表错误，请重新安装程序以解决此问题！";
// Shown beside the list when the speed-test program could not be run or failed.
const char kSpeedTestFailed[] = "测速程序无法运行，服务器未经测速";
// Every worker ends at its next wait once told; a download still in its time-outs may take
// longer, and is left running after this.
const DWORD kWorkerStopWaitMs = 15000;
// The pause between the speed test's end and its report.
const DWORD kSpeedTestReportPauseMs = 300;

bool Ended(HANDLE thread)
{
    return ::WaitForSingleObject(thread, 0) == WAIT_OBJECT_0;
}

CString ConfigPath(const LoginFolders& folders)
{
    return folders.appDir + "Config.ini";
}

}  // namespace

struct CLoginWork::ThreadBlock
{
    std::shared_ptr<CLoginWork> work;
    ILogin* login;
    UserLoginRequest request;
};

CLoginWork::CLoginWork(HWND mainWindow, const LoginFolders& folders)
    : m_mainWindow(mainWindow), m_folders(folders), m_stop(::CreateEventA(NULL, TRUE, FALSE, NULL))
{
}

CLoginWork::~CLoginWork()
{
    // The last share goes with the last worker (or with the main window once all ended).
    for (HANDLE thread : m_threads)
        ::CloseHandle(thread);
    ::CloseHandle(m_stop);
}

bool CLoginWork::Run()
{
    m_loginGate = -2;
    // A damaged file is set aside by the reader: the window then starts without a name.
    UserSettings settings;
    if (LoadUserSettings(m_folders.usrDir + "usrcfg.ini", settings))
    {
        serveListIndexAnalog = settings.nServeListIndexAnalog;
        serveListIndexTrue = settings.nServeListIndexTrue;
    }
    // The login window lives until the process ends, so the callbacks may hold this object
    // only weakly: a late call after the main window let go of it does nothing.
    std::weak_ptr<CLoginWork> self = shared_from_this();
    ILogin::SetPaintmgr();
    m_login = ILogin::CreatLoginWnd(settings.strUserName, "");
    m_login->SetSpeedTestCallback([self](ILogin* login) {
        if (auto work = self.lock())
            work->OnLoginSpeedTest(login);
    });
    m_login->SetServerKindCallback([self](ILogin* login, int kind, int index) {
        if (auto work = self.lock())
            work->OnLoginServerKind(login, kind, index);
    });
    m_login->SetSubmitCallback([self](ILogin* login, const char* user, const char* password, int index) {
        auto work = self.lock();
        return work && work->OnLoginSubmit(login, user, password, index);
    });
    m_login->SetPlainCallback([] {});
    ILogin::ShowLoginWnd(m_login, m_mainWindow, kCaption, [self](ILogin* login) {
        if (auto work = self.lock())
            work->StartThread(ServerListThread, login);
    });
    // The window may close while an attempt or a test still runs: end them first, so that
    // nothing of the login outlives it and the gate no longer changes.
    StopWorkers();
    return m_loginGate == 1;
}

bool CLoginWork::Stopping() const
{
    return ::WaitForSingleObject(m_stop, 0) == WAIT_OBJECT_0;
}

void CLoginWork::StopWorkers()
{
    std::vector<HANDLE> threads;
    {
        std::lock_guard<std::mutex> guard(m_threadsLock);
        ::SetEvent(m_stop);
        threads.swap(m_threads);
    }
    std::vector<HANDLE> left;
    for (HANDLE thread : threads)
    {
        if (WaitForThread(thread, kWorkerStopWaitMs))
            ::CloseHandle(thread);
        else
        {
            ::OutputDebugStringA("Tolvan: a login worker did not end; left running\n");
            left.push_back(thread);
        }
    }
    std::lock_guard<std::mutex> guard(m_threadsLock);
    m_threads.insert(m_threads.end(), left.begin(), left.end());
}

int CLoginWork::CountRunningWorkers()
{
    std::lock_guard<std::mutex> guard(m_threadsLock);
    int running = 0;
    for (HANDLE thread : m_threads)
        running += Ended(thread) ? 0 : 1;
    return running;
}

bool CLoginWork::StartThread(unsigned(__stdcall* entry)(void*), ILogin* login, const UserLoginRequest* request)
{
    std::lock_guard<std::mutex> guard(m_threadsLock);
    // No new work once the window has gone.
    if (Stopping())
        return false;
    for (size_t i = m_threads.size(); i-- > 0;)
        if (Ended(m_threads[i]))
        {
            ::CloseHandle(m_threads[i]);
            m_threads.erase(m_threads.begin() + i);
        }
    ThreadBlock* block = new ThreadBlock{shared_from_this(), login, request != nullptr ? *request : UserLoginRequest()};
    const uintptr_t thread = _beginthreadex(nullptr, 0, entry, block, 0, nullptr);
    if (thread == 0)
    {
        delete block;
        return false;
    }
    m_threads.push_back(reinterpret_cast<HANDLE>(thread));
    return true;
}

bool CLoginWork::OnLoginSubmit(ILogin* login, const char* user, const char* password, int serverIndex)
{
    // The texts are the window's: copy them before the thread starts.
    UserLoginRequest request;
    request.window = login;
    request.user = user != nullptr ? user : "";
    request.password = password != nullptr ? password : "";
    request.serverIndex = serverIndex;
    StartThread(UserLoginThread, login, &request);
    return true;
}

unsigned __stdcall CLoginWork::UserLoginThread(void* argument)
{
    ThreadBlock* block = static_cast<ThreadBlock*>(argument);
    CLoginWork& work = *block->work;
    UserLoginContext context;
    context.configIniPath = ConfigPath(work.m_folders);
    context.userConfigPath = work.m_folders.usrDir + "usrcfg.ini";
    {
        std::lock_guard<std::mutex> guard(work.m_serversLock);
        for (const ServerListRecord& record : work.m_servers.records)
            context.serverAddresses.push_back(record.port);
    }
    context.process = &GetLoginProcess();
    context.loginGate = &work.m_loginGate;
    context.cancelEvent = work.m_stop;
    context.showMessage = [&work](const char* text) { work.Notify(text); };
    const int result = RunUserLogin(block->request, context);
    delete block;
    return (unsigned)result;
}

void CLoginWork::OnLoginSpeedTest(ILogin* login)
{
    login->EnableInput(false);
    CFile list;
    if (!list.Open(GetCurrentServerListPath(m_folders.appDir), CFile::modeRead))
    {
        ShowBox("服务器列表损坏！");
        login->EnableInput(true);
        return;
    }
    list.Close();
    m_speedTestFlag = 1;
    StartThread(ServerSpeedTestThread, login);
}

void CLoginWork::OnLoginServerKind(ILogin* login, int kind, int index)
{
    if (kind == m_currentKind)
        return;
    if (kind != 1)
        serveListIndexAnalog = index;
    else
        serveListIndexTrue = index;
    m_currentKind = kind;
    GetSessionData().m_nAccountMode = kind;
    m_listRefresh = 0;
    // The list may need a speed test first: never on the window's thread, which would
    // freeze the window for the whole test.
    StartThread(ServerListThread, login);
}

unsigned __stdcall CLoginWork::ServerListThread(void* argument)
{
    ThreadBlock* block = static_cast<ThreadBlock*>(argument);
    block->work->TestServerSpeed(block->login);
    delete block;
    return 0;
}

bool CLoginWork::AnalogKind() const
{
    return UseAnalogServerList();
}

int CLoginWork::RememberedIndex() const
{
    return AnalogKind() ? serveListIndexAnalog : serveListIndexTrue;
}

void CLoginWork::ShowServerList(ILogin* login, const ServerList& list, int selected)
{
    {
        std::lock_guard<std::mutex> guard(m_serversLock);
        m_servers = list;
    }
    login->SetServerEntries(list.entries);
    login->SelectEntry(selected);
}

void CLoginWork::TestServerSpeed(ILogin* login)
{
    login->BeginTest(0);
    m_loginGate = -2;
    m_firstTestByte = 1;
    m_secondTestByte = 1;

    const char* key = AnalogKind() ? "analog_needtest" : "true_needtest";
    const CString config = ConfigPath(m_folders);
    if (::GetPrivateProfileIntA("testnet", key, 1, config) == 1)
        RunServerSpeedTest(true);
    ::WritePrivateProfileStringA("testnet", key, "0", config);
    if (Stopping())
        return;

    CFileCrypt crypt;
    CString text;
    ServerList list;
    const bool read = crypt.DecryptFileToString(GetCurrentArrangedServerListPath(m_folders.testDir), text);
    const ServerListParseResult parsed = read ? ParseArrangedServerList(text, list) : SERVER_LIST_EMPTY;
    if (parsed == SERVER_LIST_EMPTY)
    {
        CString plain;
        if (!crypt.DecryptFileToString(GetCurrentServerListPath(m_folders.appDir), plain))
        {
            Notify(kListMissing);
            m_loginGate = -2;
            login->EnableInput(true);
            return;
        }
        login->SetProgressText(m_listRefresh != 0 ? "正在测试服务器网速...请稍候..." : "");
        login->EnableInput(false);
        m_firstTestByte = 0;
        StartThread(ServerSpeedTestThread, login);
        return;
    }
    if (parsed != SERVER_LIST_OK)
    {
        Notify(kListBroken);
        m_loginGate = -2;
        // The window must stay usable (it can still be closed or switched).
        login->EnableInput(true);
        return;
    }
    ShowServerList(login, list, list.ClampIndex(RememberedIndex()));
    if (m_listRefresh != 0)
        ::SendMessage(m_mainWindow, WM_START_UPDATE_CHECK, reinterpret_cast<WPARAM>(login), 0);
    else
        login->EnableInput(true);
}

// Runs the speed-test program and waits for it, or until the login window has gone (the
// program then finishes on its own). A program that is missing, cannot start or ends with an
// exit code other than 0 has failed.
CLoginWork::SpeedTestOutcome CLoginWork::RunServerSpeedTest(bool fullTest)
{
    CString commandLine = BuildSpeedTestCommandLine(m_folders.testDir, m_folders.appDir, fullTest, AnalogKind());
    STARTUPINFOA startup = {sizeof(startup)};
    PROCESS_INFORMATION process;
    if (!::CreateProcessA(NULL, commandLine.GetBuffer(), NULL, NULL, FALSE, 0, NULL, NULL, &startup, &process))
        return SPEED_TEST_FAILED;
    HANDLE waits[2] = {process.hProcess, m_stop};
    const bool ended = ::WaitForMultipleObjects(2, waits, FALSE, INFINITE) == WAIT_OBJECT_0;
    DWORD exitCode = 1;
    if (ended)
        ::GetExitCodeProcess(process.hProcess, &exitCode);
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
    if (!ended)
        return SPEED_TEST_STOPPED;
    return exitCode == 0 ? SPEED_TEST_DONE : SPEED_TEST_FAILED;
}

unsigned __stdcall CLoginWork::ServerSpeedTestThread(void* argument)
{
    ThreadBlock* block = static_cast<ThreadBlock*>(argument);
    CLoginWork& work = *block->work;
    const SpeedTestOutcome outcome = work.RunServerSpeedTest(work.m_speedTestFlag != 0);
    if (outcome == SPEED_TEST_DONE && ::WaitForSingleObject(work.m_stop, kSpeedTestReportPauseMs) == WAIT_TIMEOUT)
        ::SendMessage(work.m_mainWindow, WM_SPEEDTEST_DONE, reinterpret_cast<WPARAM>(block->login), 0);
    else if (outcome == SPEED_TEST_FAILED && !work.Stopping())
        work.ShowUntestedList(block->login);
    delete block;
    return 0;
}

// Without a speed test the user still logs in: the installation's list in its own order.
void CLoginWork::ShowUntestedList(ILogin* login)
{
    CFileCrypt crypt;
    CString text;
    ServerList list;
    if (!crypt.DecryptFileToString(GetCurrentServerListPath(m_folders.appDir), text))
        Notify(kListMissing);
    else if (ParsePlainServerList(text, list) != SERVER_LIST_OK)
        Notify(kListBroken);
    else
        ShowServerList(login, list, list.ClampIndex(RememberedIndex()));
    login->SetProgressText(kSpeedTestFailed);
    m_speedTestFlag = 0;
    EndListRefresh(login);
}

// The list is shown: the first one of a start goes on to the update check, any other gives
// the window back to the user.
void CLoginWork::EndListRefresh(ILogin* login)
{
    if (m_firstTestByte != 0 || m_listRefresh != 1)
        login->EnableInput(true);
    else
        StartThread(UpdateCheckThread, login);
    m_listRefresh = 1;
}

LRESULT CLoginWork::OnSpeedTestDone(WPARAM wParam)
{
    ILogin* login = reinterpret_cast<ILogin*>(wParam);
    CFileCrypt crypt;
    CString text;
    if (!crypt.DecryptFileToString(GetCurrentArrangedServerListPath(m_folders.testDir), text))
        ShowBox(kListMissing);
    else
    {
        ServerList list;
        const ServerListParseResult parsed = ParseArrangedServerList(text, list);
        if (parsed == SERVER_LIST_BAD_HEADER || parsed == SERVER_LIST_DAMAGED)
            ShowBox(kListBroken);
        else if (parsed == SERVER_LIST_OK)
        {
            if (AnalogKind())
                serveListIndexAnalog = 0;
            else
                serveListIndexTrue = 0;
            ShowServerList(login, list, 0);
            // The test has run: neither "please wait" nor an earlier failure holds any more.
            login->SetProgressText("");
        }
    }
    m_speedTestFlag = 0;
    EndListRefresh(login);
    return 0;
}

LRESULT CLoginWork::OnStartUpdateCheck(WPARAM wParam)
{
    StartThread(UpdateCheckThread, reinterpret_cast<ILogin*>(wParam));
    return 0;
}

unsigned __stdcall CLoginWork::UpdateCheckThread(void* argument)
{
    ThreadBlock* block = static_cast<ThreadBlock*>(argument);
    CLoginWork& work = *block->work;
    char temp[MAX_PATH] = {0};
    ::GetTempPathA(MAX_PATH, temp);
    char url[260] = {0};
    ::GetPrivateProfileStringA("Update", "UpdateListUrl", "", url, sizeof(url), ConfigPath(work.m_folders));

    UpdateCheckContext context;
    context.localListPath = work.m_folders.updateDir + "UpdateList.ini";
    context.updateListUrl = url;
    context.downloadedListPath = CString(temp) + "TolvanUpdate.ini";
    context.rootDir = work.m_folders.rootDir;
    context.updaterCommandLine = "\"" + work.m_folders.updateDir + "update.exe\"";
    context.stopEvent = work.m_stop;
    // Once the window has gone, no further download begins.
    context.download = [&work](const CString& address, const CString& target) {
        return !work.Stopping() && DownloadFile(address, target);
    };
    context.launchUpdater = [&work](const CString& line) {
        CString commandLine = line;
        STARTUPINFOA startup = {sizeof(startup)};
        PROCESS_INFORMATION process;
        if (!::CreateProcessA(NULL, commandLine.GetBuffer(), NULL, NULL, FALSE, CREATE_NO_WINDOW, NULL, NULL,
                              &startup, &process))
        {
            CString text;
            text.Format("打开更新程序出错  :%lu", ::GetLastError());
            work.Notify(text, "提示 ", MB_OK | MB_ICONINFORMATION);
            return false;
        }
        ::CloseHandle(process.hThread);
        ::CloseHandle(process.hProcess);
        return true;
    };
    RunUpdateCheck(*block->login, context);
    delete block;
    return 0;
}

void CLoginWork::Notify(const char* text, const char* caption, UINT type)
{
    LoginNotice notice{text, caption, type};
    ::SendMessage(m_mainWindow, WM_LOGIN_NOTICE, 0, reinterpret_cast<LPARAM>(&notice));
}

int CLoginWork::ShowBox(const char* text, const char* caption, UINT type)
{
    return AfxShowMessageBox(m_mainWindow, text, caption, type);
}

LRESULT CLoginWork::OnLoginNotice(LPARAM lParam)
{
    const LoginNotice* notice = reinterpret_cast<const LoginNotice*>(lParam);
    ShowBox(notice->text, notice->caption, notice->type);
    return 0;
}
