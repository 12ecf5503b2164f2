#include "LoginFlow.h"

#include "FileCrypt.h"
#include "DownloadFile.h"
#include "ILogin.h"
#include "LoginProcess.h"
#include "LoginState.h"
#include "SessionData.h"
#include "UpdateCheck.h"
#include "UserConfigFile.h"
#include "UserLogin.h"

#include <process.h>

namespace {

const char kCaption[] = "Tolvan证券客户端登录";
const char kListMissing[] = "服务器列表缺失，请重新安装程序以解决此问题！";
const char kListBroken[] = "服务器列表错误，请重新安装程序以解决此问题！";
// A login attempt ends within about five seconds; a thread past this is reported and left.
const DWORD kLoginThreadWaitMs = 15000;

// Waits for a thread while answering messages sent to this thread, so a worker that sends to
// our windows meanwhile is never stuck. False when the thread did not end in time.
bool WaitAnsweringSentMessages(HANDLE thread, DWORD timeoutMs)
{
    const DWORD start = ::GetTickCount();
    for (;;)
    {
        const DWORD elapsed = ::GetTickCount() - start;
        if (elapsed >= timeoutMs)
            return ::WaitForSingleObject(thread, 0) == WAIT_OBJECT_0;
        const DWORD result = ::MsgWaitForMultipleObjects(1, &thread, FALSE, timeoutMs - elapsed, QS_SENDMESSAGE);
        if (result == WAIT_OBJECT_0)
            return true;
        MSG msg;
        ::PeekMessage(&msg, NULL, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
    }
}

CString ConfigPath(const LoginFolders& folders)
{
    return folders.appDir + "Config.ini";
}

}  // namespace

struct CLoginFlow::ThreadBlock
{
    CLoginFlow* flow;
    ILogin* login;
    UserLoginRequest request;
};

CLoginFlow::CLoginFlow(HWND mainWindow, const LoginFolders& folders) : m_mainWindow(mainWindow), m_folders(folders)
{
}

CLoginFlow::~CLoginFlow()
{
    if (m_loginThread != NULL)
        ::CloseHandle(m_loginThread);
}

bool CLoginFlow::Run()
{
    m_loginGate = -2;
    UserConfig config;
    if (ReadUserConfigFile(m_folders.usrDir + "usrcfg.ini", config))
    {
        serveListIndexAnalog = config.analogIndex;
        serveListIndexTrue = config.realIndex;
    }
    ILogin::SetPaintmgr();
    m_login = ILogin::CreatLoginWnd(config.userName, "");
    m_login->SetSpeedTestCallback([this](ILogin* login) { OnLoginSpeedTest(login); });
    m_login->SetServerKindCallback([this](ILogin* login, int kind, int index) { OnLoginServerKind(login, kind, index); });
    m_login->SetSubmitCallback([this](ILogin* login, const char* user, const char* password, int index) {
        return OnLoginSubmit(login, user, password, index);
    });
    m_login->SetPlainCallback([] {});
    ILogin::ShowLoginWnd(m_login, m_mainWindow, kCaption, [this](ILogin* login) { StartThread(ServerListThread, login); });
    WaitForLoginThread();
    return m_loginGate == 1;
}

// The window may close while an attempt still runs; its outcome decides, so wait for it.
void CLoginFlow::WaitForLoginThread()
{
    if (m_loginThread == NULL)
        return;
    if (!WaitAnsweringSentMessages(m_loginThread, kLoginThreadWaitMs))
    {
        ::OutputDebugStringA("Tolvan: the user-login thread did not end; left running\n");
        return;
    }
    ::CloseHandle(m_loginThread);
    m_loginThread = NULL;
}

void CLoginFlow::StartThread(unsigned(__stdcall* entry)(void*), ILogin* login)
{
    ThreadBlock* block = new ThreadBlock{this, login, UserLoginRequest()};
    const uintptr_t thread = _beginthreadex(nullptr, 0, entry, block, 0, nullptr);
    if (thread == 0)
        delete block;
    else
        ::CloseHandle(reinterpret_cast<HANDLE>(thread));
}

bool CLoginFlow::OnLoginSubmit(ILogin* login, const char* user, const char* password, int serverIndex)
{
    // The texts are the window's: copy them before the thread starts.
    ThreadBlock* block = new ThreadBlock{this, login, UserLoginRequest()};
    block->request.window = login;
    block->request.user = user != nullptr ? user : "";
    block->request.password = password != nullptr ? password : "";
    block->request.serverIndex = serverIndex;
    const uintptr_t thread = _beginthreadex(nullptr, 0, UserLoginThread, block, 0, nullptr);
    if (thread == 0)
    {
        delete block;
        return true;
    }
    if (m_loginThread != NULL)
        ::CloseHandle(m_loginThread);
    m_loginThread = reinterpret_cast<HANDLE>(thread);
    return true;
}

unsigned __stdcall CLoginFlow::UserLoginThread(void* argument)
{
    ThreadBlock* block = static_cast<ThreadBlock*>(argument);
    CLoginFlow& flow = *block->flow;
    UserLoginContext context;
    context.configIniPath = ConfigPath(flow.m_folders);
    context.userConfigPath = flow.m_folders.usrDir + "usrcfg.ini";
    {
        std::lock_guard<std::mutex> guard(flow.m_serversLock);
        for (const ServerListRecord& record : flow.m_servers.records)
            context.serverAddresses.push_back(record.port);
    }
    context.process = &GetLoginProcess();
    context.loginGate = &flow.m_loginGate;
    context.showMessage = [&flow](const char* text) { flow.Notify(text); };
    const int result = RunUserLogin(block->request, context);
    delete block;
    return (unsigned)result;
}

void CLoginFlow::OnLoginSpeedTest(ILogin* login)
{
    login->EnableInput(false);
    CFile list;
    if (!list.Open(GetCurrentServerListPath(m_folders.appDir), CFile::modeRead))
    {
        ::MessageBoxA(m_mainWindow, "服务器列表损坏！", "Tolvan证券", MB_OK);
        login->EnableInput(true);
        return;
    }
    list.Close();
    m_speedTestFlag = 1;
    StartThread(ServerSpeedTestThread, login);
}

void CLoginFlow::OnLoginServerKind(ILogin* login, int kind, int index)
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
    // The list may need a speed test first: never on the window's thread.
    StartThread(ServerListThread, login);
}

unsigned __stdcall CLoginFlow::ServerListThread(void* argument)
{
    ThreadBlock* block = static_cast<ThreadBlock*>(argument);
    block->flow->TestServerSpeed(block->login);
    delete block;
    return 0;
}

bool CLoginFlow::AnalogKind() const
{
    return UseAnalogServerList();
}

int CLoginFlow::RememberedIndex() const
{
    return AnalogKind() ? serveListIndexAnalog : serveListIndexTrue;
}

void CLoginFlow::ShowServerList(ILogin* login, const ServerList& list, int selected)
{
    {
        std::lock_guard<std::mutex> guard(m_serversLock);
        m_servers = list;
    }
    login->SetServerEntries(list.entries);
    login->SelectEntry(selected);
}

void CLoginFlow::TestServerSpeed(ILogin* login)
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
    if (parsed == SERVER_LIST_BAD_HEADER)
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

bool CLoginFlow::RunServerSpeedTest(bool fullTest)
{
    CString commandLine = BuildSpeedTestCommandLine(m_folders.testDir, m_folders.appDir, fullTest, AnalogKind());
    STARTUPINFOA startup = {sizeof(startup)};
    PROCESS_INFORMATION process;
    if (!::CreateProcessA(NULL, commandLine.GetBuffer(), NULL, NULL, FALSE, 0, NULL, NULL, &startup, &process))
        return false;
    ::WaitForSingleObject(process.hProcess, INFINITE);
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
    return true;
}

unsigned __stdcall CLoginFlow::ServerSpeedTestThread(void* argument)
{
    ThreadBlock* block = static_cast<ThreadBlock*>(argument);
    CLoginFlow& flow = *block->flow;
    if (flow.RunServerSpeedTest(flow.m_speedTestFlag != 0))
    {
        ::Sleep(300);
        ::SendMessage(flow.m_mainWindow, WM_SPEEDTEST_DONE, reinterpret_cast<WPARAM>(block->login), 0);
    }
    delete block;
    return 0;
}

LRESULT CLoginFlow::OnSpeedTestDone(WPARAM wParam)
{
    ILogin* login = reinterpret_cast<ILogin*>(wParam);
    CFileCrypt crypt;
    CString text;
    if (!crypt.DecryptFileToString(GetCurrentArrangedServerListPath(m_folders.testDir), text))
        ::MessageBoxA(m_mainWindow, kListMissing, "Tolvan证券", MB_OK);
    else
    {
        ServerList list;
        const ServerListParseResult parsed = ParseArrangedServerList(text, list);
        if (parsed == SERVER_LIST_BAD_HEADER)
            ::MessageBoxA(m_mainWindow, kListBroken, "Tolvan证券", MB_OK);
        else if (parsed == SERVER_LIST_OK)
        {
            if (AnalogKind())
                serveListIndexAnalog = 0;
            else
                serveListIndexTrue = 0;
            ShowServerList(login, list, 0);
        }
    }
    m_speedTestFlag = 0;
    if (m_firstTestByte != 0 || m_listRefresh != 1)
        login->EnableInput(true);
    else
        StartThread(UpdateCheckThread, login);
    m_listRefresh = 1;
    return 0;
}

LRESULT CLoginFlow::OnStartUpdateCheck(WPARAM wParam)
{
    StartThread(UpdateCheckThread, reinterpret_cast<ILogin*>(wParam));
    return 0;
}

unsigned __stdcall CLoginFlow::UpdateCheckThread(void* argument)
{
    ThreadBlock* block = static_cast<ThreadBlock*>(argument);
    CLoginFlow& flow = *block->flow;
    char temp[MAX_PATH] = {0};
    ::GetTempPathA(MAX_PATH, temp);
    char url[260] = {0};
    ::GetPrivateProfileStringA("Update", "UpdateListUrl", "", url, sizeof(url), ConfigPath(flow.m_folders));

    UpdateCheckContext context;
    context.localListPath = flow.m_folders.updateDir + "UpdateList.ini";
    context.updateListUrl = url;
    context.downloadedListPath = CString(temp) + "TolvanUpdate.ini";
    context.rootDir = flow.m_folders.rootDir;
    context.updaterCommandLine = "\"" + flow.m_folders.updateDir + "update.exe\"";
    context.download = [](const CString& address, const CString& target) { return DownloadFile(address, target); };
    context.launchUpdater = [&flow](const CString& line) {
        CString commandLine = line;
        STARTUPINFOA startup = {sizeof(startup)};
        PROCESS_INFORMATION process;
        if (!::CreateProcessA(NULL, commandLine.GetBuffer(), NULL, NULL, FALSE, CREATE_NO_WINDOW, NULL, NULL,
                              &startup, &process))
        {
            CString text;
            text.Format("打开更新程序出错  :%lu", ::GetLastError());
            flow.Notify(text, "提示 ", MB_OK | MB_ICONINFORMATION);
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

void CLoginFlow::Notify(const char* text, const char* caption, UINT type)
{
    LoginNotice notice{text, caption, type};
    ::SendMessage(m_mainWindow, WM_LOGIN_NOTICE, 0, reinterpret_cast<LPARAM>(&notice));
}

LRESULT CLoginFlow::OnLoginNotice(LPARAM lParam)
{
    const LoginNotice* notice = reinterpret_cast<const LoginNotice*>(lParam);
    ::MessageBoxA(m_mainWindow, notice->text, notice->caption, notice->type);
    return 0;
}
