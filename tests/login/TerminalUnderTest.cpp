#include "TerminalUnderTest.h"

#include "FileCrypt.h"
#include "LoginWindowIds.h"
#include "testsupport/ClosePrompt.h"
#include "testsupport/Pump.h"
#include "testsupport/SimulatorProcess.h"

#include <commctrl.h>

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <vector>

namespace login_test {

namespace {

const char kLoginTitle[] = "Tolvan证券客户端登录";
const char kMainTitle[] = "Tolvan证券";
const DWORD kExitWaitMs = 30000;
const DWORD kPaintWaitMs = 10000;
const int kSectorTabs = 1000;
const int kDeckTree = 2004;  // the trading container's tree
// The toolbar's buttons are children of the toolbar window with these ids, by index.
const int kFirstToolbarButton = 0x7100;

struct FoundWindow
{
    DWORD process;
    const std::function<bool(HWND)>& match;
    HWND window;
};

BOOL CALLBACK MatchWindow(HWND window, LPARAM argument)
{
    FoundWindow* found = reinterpret_cast<FoundWindow*>(argument);
    DWORD process = 0;
    ::GetWindowThreadProcessId(window, &process);
    if (process == found->process && ::IsWindowVisible(window) && found->match(window))
    {
        found->window = window;
        return FALSE;
    }
    return TRUE;
}

struct FoundControl
{
    int id;
    bool shownOnly;
    HWND window;
};

BOOL CALLBACK MatchControl(HWND window, LPARAM argument)
{
    FoundControl* found = reinterpret_cast<FoundControl*>(argument);
    if (::GetDlgCtrlID(window) != found->id || (found->shownOnly && !::IsWindowVisible(window)))
        return TRUE;
    found->window = window;
    return FALSE;
}

BOOL CALLBACK MatchQuoteList(HWND window, LPARAM argument)
{
    char name[32] = {0};
    ::GetClassNameA(window, name, sizeof(name));
    HWND page = ::GetParent(window);
    if (strcmp(name, WC_LISTVIEWA) == 0 && ::IsWindowVisible(window) && page != NULL
        && ::GetDlgCtrlID(::GetParent(page)) == kSectorTabs)
    {
        *reinterpret_cast<HWND*>(argument) = window;
        return FALSE;
    }
    return TRUE;
}

BOOL CALLBACK MatchDeckTree(HWND window, LPARAM argument)
{
    char name[32] = {0};
    ::GetClassNameA(window, name, sizeof(name));
    if (strcmp(name, WC_TREEVIEWA) == 0 && ::GetDlgCtrlID(window) == kDeckTree)
    {
        *reinterpret_cast<HWND*>(argument) = window;
        return FALSE;
    }
    return TRUE;
}

}  // namespace

CString BinFolder()
{
    char path[MAX_PATH] = {0};
    ::GetModuleFileNameA(NULL, path, MAX_PATH);
    CString folder = path;
    return folder.Left(folder.ReverseFind('\\') + 1);
}

CString RootFolder()
{
    CString bin = BinFolder();
    bin = bin.Left(bin.GetLength() - 1);
    return bin.Left(bin.ReverseFind('\\') + 1);
}

bool WriteInstallation(tolvan::test::SimulatorProcess& sim)
{
    const CString config = BinFolder() + "Config.ini";
    ::DeleteFileA(config);
    CString url;
    url.Format("http://127.0.0.1:%d", sim.Port("http"));
    ::WritePrivateProfileStringA("Update", "UpdateListUrl", url + "/update/UpdateList.ini", config);
    ::WritePrivateProfileStringA("system", "StatisticsUrl", url, config);
    // The quote board's lists and quotes come from the simulator's web service.
    ::WritePrivateProfileStringA("WebService", "BaseUrl", url, config);
    ::WritePrivateProfileStringA("WebService", "MarketDayUrl", url, config);
    CString servers;
    servers.Format("[Network]\n本地一,本地服务器一:127.0.0.1:%d:KQZTWXBNPL4M\n", sim.Port("login"));
    CFileCrypt crypt;
    if (!crypt.EncryptStringToFile(servers, BinFolder() + "ServerList_real.ini")
        || !crypt.EncryptStringToFile(servers, BinFolder() + "ServerList_analog.ini"))
        return false;
    ::CreateDirectoryA(RootFolder() + "update", NULL);
    FILE* list = fopen(RootFolder() + "update\\UpdateList.ini", "wb");
    if (list == nullptr)
        return false;
    fputs("[Config]\r\nVersion=1\r\n[Files]\r\nupdate\\UpdateList.ini=1\r\n", list);
    fclose(list);
    ::DeleteFileA(RootFolder() + "usr\\usrcfg.ini");
    return true;
}

bool AllConnectionsLoggedIn(tolvan::test::SimulatorProcess& sim, const char* user)
{
    const std::string sessions = sim.Control("sessions");
    const std::string ofUser = std::string("\"user\": \"") + user + "\"";
    size_t quotes = 0;
    for (size_t at = sessions.find("\"role\": \"quote\""); at != std::string::npos;
         at = sessions.find("\"role\": \"quote\"", at + 1))
        quotes += sessions.compare(sessions.find("\"user\": ", at), ofUser.size(), ofUser) == 0;
    return quotes >= 4 && sessions.find("\"role\": \"trade\", \"scope\": null, " + ofUser) != std::string::npos
           && sessions.find("\"role\": \"query\", \"scope\": null, " + ofUser) != std::string::npos;
}

double JsonNumber(const std::string& json, const std::string& key, size_t from)
{
    size_t at = json.find("\"" + key + "\": ", from);
    if (at == std::string::npos)
        return -1.0;
    at += key.size() + 4;
    if (json[at] == '"')   // the summary's texts stand quoted
        ++at;
    return atof(json.c_str() + at);
}

double HeldInSimulator(tolvan::test::SimulatorProcess& sim, const char* user, const char* code)
{
    const std::string account = sim.Control(std::string("account ") + user);
    const size_t at = account.find(std::string("\"") + code + "\": {");
    return at == std::string::npos ? 0.0 : JsonNumber(account, "qty", at);
}

std::string OrderStateInSimulator(tolvan::test::SimulatorProcess& sim, const char* user, const std::string& orderNo)
{
    const std::string orders = sim.Control(std::string("orders ") + user);
    const size_t at = orders.find("\"oid\": \"" + orderNo + "\"");
    if (at == std::string::npos)
        return std::string();
    const size_t state = orders.find("\"state\": \"", at);
    return orders.substr(state + 10, orders.find('"', state + 10) - state - 10);
}

HWND FindMatchingWindow(DWORD process, const std::function<bool(HWND)>& match)
{
    FoundWindow found{process, match, NULL};
    ::EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&found));
    return found.window;
}

HWND FindProcessWindow(DWORD process, const char* title, HWND except)
{
    return FindMatchingWindow(process, [&](HWND window) {
        char text[128] = {0};
        ::GetWindowTextA(window, text, sizeof(text));
        // The main window's owned windows (the notice, message boxes) may carry its title too:
        // when no window is excluded, the main window is meant.
        const bool ownedMainTitle = except == NULL && strcmp(title, kMainTitle) == 0
                                    && ::GetWindow(window, GW_OWNER) != NULL;
        return window != except && strcmp(text, title) == 0 && !ownedMainTitle;
    });
}

std::string ControlText(HWND window, int id)
{
    char text[256] = {0};
    ::SendMessageA(::GetDlgItem(window, id), WM_GETTEXT, sizeof(text), (LPARAM)text);
    return text;
}

HWND Descendant(HWND root, int id, bool shownOnly)
{
    FoundControl found{id, shownOnly, NULL};
    ::EnumChildWindows(root, MatchControl, reinterpret_cast<LPARAM>(&found));
    return found.window;
}

HWND ShownQuoteList(HWND main)
{
    HWND list = NULL;
    ::EnumChildWindows(main, MatchQuoteList, reinterpret_cast<LPARAM>(&list));
    return list;
}

HWND DockedTradePanel(HWND main)
{
    for (HWND child = ::GetWindow(main, GW_CHILD); child != NULL; child = ::GetWindow(child, GW_HWNDNEXT))
    {
        HWND tree = NULL;
        ::EnumChildWindows(child, MatchDeckTree, reinterpret_cast<LPARAM>(&tree));
        if (tree != NULL)
            return child;
    }
    return NULL;
}

HWND ShownChartHost(HWND main)
{
    const HWND panel = DockedTradePanel(main);
    for (HWND child = ::GetWindow(main, GW_CHILD); child != NULL; child = ::GetWindow(child, GW_HWNDNEXT))
    {
        char name[32] = {0};
        ::GetClassNameA(child, name, sizeof(name));
        if (child != panel && strcmp(name, "#32770") == 0 && ::IsWindowVisible(child))
            return child;
    }
    return NULL;
}

std::wstring StatusPaneText(HANDLE process, HWND statusBar, int pane)
{
    const int length = LOWORD(::SendMessageW(statusBar, SB_GETTEXTLENGTHW, pane, 0));
    const SIZE_T bytes = (length + 1) * sizeof(wchar_t);
    void* remote = ::VirtualAllocEx(process, NULL, bytes, MEM_COMMIT, PAGE_READWRITE);
    if (remote == NULL)
        return L"";
    ::SendMessageW(statusBar, SB_GETTEXTW, pane, reinterpret_cast<LPARAM>(remote));
    std::vector<wchar_t> text(length + 1, 0);
    SIZE_T read = 0;
    ::ReadProcessMemory(process, remote, text.data(), bytes, &read);
    ::VirtualFreeEx(process, remote, 0, MEM_RELEASE);
    return std::wstring(text.data());
}

bool ClickListRow(HWND list, int row, DWORD timeoutMs)
{
    const int y = 22 + row * 22 + 11;
    for (int attempt = 0; attempt < 10; ++attempt)
    {
        ::PostMessageA(list, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(200, y));
        ::PostMessageA(list, WM_LBUTTONUP, 0, MAKELPARAM(200, y));
        if (tolvan::test::PumpUntil(
                [&] { return ::SendMessageA(list, LVM_GETNEXTITEM, (WPARAM)-1, LVNI_SELECTED) == row; },
                timeoutMs / 10))
            return true;
    }
    return false;
}

HWND ToolbarButton(HWND main, int index)
{
    // The toolbar is the child of the main window at the top with the thirteen buttons.
    HWND toolbar = NULL;
    for (HWND child = ::GetWindow(main, GW_CHILD); child != NULL; child = ::GetWindow(child, GW_HWNDNEXT))
        if (::GetDlgItem(child, kFirstToolbarButton + 12) != NULL)
            toolbar = child;
    return toolbar != NULL ? ::GetDlgItem(toolbar, kFirstToolbarButton + index) : NULL;
}

bool PressToolbarButton(HWND main, int index)
{
    HWND button = ToolbarButton(main, index);
    return button != NULL && ::PostMessageA(button, BM_CLICK, 0, 0);
}

tolvan::test::Screenshot KeepPicture(HWND window, const char* name,
                                     const std::function<bool(const tolvan::test::Screenshot&)>& painted)
{
    tolvan::test::Screenshot shot;
    tolvan::test::PumpUntil([&] {
        shot = tolvan::test::Screenshot::CaptureClient(window);
        return !shot.IsEmpty() && (!painted || painted(shot));
    }, kPaintWaitMs);
    ::CreateDirectoryA(RootFolder() + "test-artifacts", NULL);
    shot.SavePng(std::string(RootFolder()) + "test-artifacts\\" + name);
    return shot;
}

bool CTerminal::Start()
{
    Stop();
    CString commandLine = "\"" + BinFolder() + "Tolvan.exe\"";
    STARTUPINFOA startup = {sizeof(startup)};
    return ::CreateProcessA(NULL, commandLine.GetBuffer(), NULL, NULL, FALSE, 0, NULL, BinFolder(), &startup,
                            &m_process) != FALSE;
}

bool CTerminal::Adopt(DWORD processId)
{
    Stop();
    m_process.hProcess = ::OpenProcess(SYNCHRONIZE | PROCESS_QUERY_INFORMATION | PROCESS_TERMINATE, FALSE, processId);
    m_process.dwProcessId = processId;
    return m_process.hProcess != NULL;
}

bool CTerminal::Stop(DWORD* exitCode)
{
    if (m_process.hProcess == NULL)
        return true;
    HWND window = Find(kMainTitle);
    if (window == NULL)
        window = Find(kLoginTitle);
    if (window != NULL)
    {
        ::PostMessageA(window, WM_CLOSE, 0, 0);
        tolvan::test::ConfirmClosePrompt(window, m_process.hProcess, kExitWaitMs);
    }
    const bool ended = ::WaitForSingleObject(m_process.hProcess, kExitWaitMs) == WAIT_OBJECT_0;
    if (!ended)
        ::TerminateProcess(m_process.hProcess, 1);
    if (exitCode != nullptr && !::GetExitCodeProcess(m_process.hProcess, exitCode))
        *exitCode = STILL_ACTIVE;
    Release();
    return ended;
}

void CTerminal::Release()
{
    if (m_process.hThread != NULL)
        ::CloseHandle(m_process.hThread);
    if (m_process.hProcess != NULL)
        ::CloseHandle(m_process.hProcess);
    m_process = PROCESS_INFORMATION();
}

HWND CTerminal::WaitForLoginWindow(DWORD timeoutMs) const
{
    HWND login = NULL;
    tolvan::test::PumpUntil([&] {
        login = Find(kLoginTitle);
        return login != NULL && ::IsWindowEnabled(::GetDlgItem(login, IDOK))
               && ::SendDlgItemMessageA(login, IDC_LOGIN_SERVERS, CB_GETCOUNT, 0, 0) > 0;
    }, timeoutMs);
    return login;
}

void CTerminal::Submit(HWND login, const char* user, const char* password)
{
    ::SendMessageA(::GetDlgItem(login, IDC_LOGIN_USER), WM_SETTEXT, 0, (LPARAM)user);
    HWND edit = ::GetDlgItem(login, IDC_LOGIN_PASSWORD);
    ::SendMessageA(edit, WM_SETTEXT, 0, (LPARAM)password);
    ::PostMessageA(edit, WM_KEYDOWN, VK_RETURN, 0);
    ::PostMessageA(edit, WM_KEYUP, VK_RETURN, 0);
}

HWND CTerminal::WaitForMainWindow(DWORD timeoutMs, const std::function<bool(HWND main)>& ready) const
{
    HWND main = NULL;
    const bool shown = tolvan::test::PumpUntil([&] {
        main = Find(kMainTitle);
        return main != NULL && Find(kLoginTitle) == NULL && (!ready || ready(main));
    }, timeoutMs);
    return shown ? main : NULL;
}

HWND CTerminal::LogIn(const char* user, const char* password, DWORD timeoutMs,
                      const std::function<bool(HWND main)>& ready) const
{
    HWND login = WaitForLoginWindow(timeoutMs);
    if (login == NULL)
        return NULL;
    Submit(login, user, password);
    return WaitForMainWindow(timeoutMs, ready);
}

}  // namespace login_test
