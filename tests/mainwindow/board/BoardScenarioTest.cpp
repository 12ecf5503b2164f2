// Tolvan.exe against the simulator through its real windows: after login the quote board
// shows one tab per sector with moving quotes, the notice stands over it until "不再提示"
// hides it for good, a digit over a quote list opens the quick search and Enter closes it
// with a choice, and a row added to "我的板块" is still there after a restart. Screenshots
// of the board, the notice and the quick search are kept in <build>\test-artifacts.
#include "FileCrypt.h"
#include "LoginWindowIds.h"
#include "testsupport/ClosePrompt.h"
#include "testsupport/Pump.h"
#include "testsupport/Screenshot.h"
#include "testsupport/SimulatorSuite.h"

#include <commctrl.h>
#include "TerminalUnderTest.h"

#include <gtest/gtest.h>

#include <string>

using tolvan::test::PumpUntil;
using tolvan::test::Screenshot;
using tolvan::test::SimulatorSuite;

namespace {

const DWORD kDeadlineMs = 60000;
const char kMainTitle[] = "Tolvan证券";
const char kSearchTitle[] = "Tolvan证券智能键盘";
const int kSectorTabs = 1000;
const int kAddToMySector = 32793;
// Two stock lists, four contract lists of the simulator's quote servers and "我的板块".
const int kSectorCount = 7;

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

// The splash: a visible tool window of the process without a title.
struct FoundSplash
{
    DWORD process;
    HWND window;
};

BOOL CALLBACK MatchSplash(HWND window, LPARAM argument)
{
    FoundSplash* found = reinterpret_cast<FoundSplash*>(argument);
    DWORD process = 0;
    ::GetWindowThreadProcessId(window, &process);
    if (process == found->process && ::IsWindowVisible(window) && ::GetWindowTextLengthA(window) == 0
        && (::GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_TOOLWINDOW) != 0) {
        found->window = window;
        return FALSE;
    }
    return TRUE;
}

// The visible quote list: a list view on a page of the sector tabs.
BOOL CALLBACK MatchQuoteList(HWND window, LPARAM argument)
{
    char name[32] = {0};
    ::GetClassNameA(window, name, sizeof(name));
    HWND page = ::GetParent(window);
    if (strcmp(name, "SysListView32") == 0 && ::IsWindowVisible(window) && page != NULL
        && ::GetDlgCtrlID(::GetParent(page)) == kSectorTabs) {
        *reinterpret_cast<HWND*>(argument) = window;
        return FALSE;
    }
    return TRUE;
}

class BoardScenarioTest : public SimulatorSuite
{
protected:
    void SetUp() override
    {
        ASSERT_NO_FATAL_FAILURE(ResetSimulator("login"));
        ASSERT_NO_FATAL_FAILURE(WriteInstallation());
        ::CreateDirectoryA(RootFolder() + "test-artifacts", NULL);
    }

    void TearDown() override
    {
        StopTerminal();
        SimulatorSuite::TearDown();
    }

    CString ConfigPath() const { return BinFolder() + "Config.ini"; }
    CString SelfListPath() const { return RootFolder() + "data\\SelfListFile.cfg"; }

    // An installation pointing at this simulator, without a self list or a hidden notice.
    void WriteInstallation()
    {
        ::DeleteFileA(ConfigPath());
        CString url;
        url.Format("http://127.0.0.1:%d", s_sim->Port("http"));
        ::WritePrivateProfileStringA("Update", "UpdateListUrl", url + "/update/UpdateList.ini", ConfigPath());
        ::WritePrivateProfileStringA("system", "StatisticsUrl", url, ConfigPath());
        ::WritePrivateProfileStringA("WebService", "BaseUrl", url, ConfigPath());
        ::WritePrivateProfileStringA("WebService", "MarketDayUrl", url, ConfigPath());
        CString servers;
        servers.Format("[Network]\n本地一,本地服务器一:127.0.0.1:%d:KQZTWXBNPL4M\n", s_sim->Port("login"));
        CFileCrypt crypt;
        ASSERT_TRUE(crypt.EncryptStringToFile(servers, BinFolder() + "ServerList_real.ini"));
        ASSERT_TRUE(crypt.EncryptStringToFile(servers, BinFolder() + "ServerList_analog.ini"));
        ::CreateDirectoryA(RootFolder() + "update", NULL);
        FILE* list = fopen(RootFolder() + "update\\UpdateList.ini", "wb");
        ASSERT_NE(nullptr, list);
        fputs("[Config]\r\nVersion=1\r\n[Files]\r\nupdate\\UpdateList.ini=1\r\n", list);
        fclose(list);
        ::DeleteFileA(SelfListPath());
        ::DeleteFileA(RootFolder() + "usr\\usrcfg.ini");
    }

    void StartTerminal()
    {
        CString commandLine = "\"" + BinFolder() + "Tolvan.exe\"";
        STARTUPINFOA startup = {sizeof(startup)};
        ASSERT_TRUE(::CreateProcessA(NULL, commandLine.GetBuffer(), NULL, NULL, FALSE, 0, NULL, BinFolder(),
                                     &startup, &m_terminal));
    }

    void StopTerminal()
    {
        if (m_terminal.hProcess == NULL)
            return;
        if (HWND main = Find(kMainTitle)) {
            ::PostMessageA(main, WM_CLOSE, 0, 0);
            tolvan::test::ConfirmClosePrompt(main, m_terminal.hProcess, 30000);
        }
        if (::WaitForSingleObject(m_terminal.hProcess, 30000) != WAIT_OBJECT_0) {
            ADD_FAILURE() << "Tolvan did not end after WM_CLOSE";
            ::TerminateProcess(m_terminal.hProcess, 1);
        }
        DWORD exitCode = 0;
        ::GetExitCodeProcess(m_terminal.hProcess, &exitCode);
        EXPECT_EQ(0u, exitCode) << "Tolvan's exit code";
        ::CloseHandle(m_terminal.hThread);
        ::CloseHandle(m_terminal.hProcess);
        m_terminal = PROCESS_INFORMATION();
    }

    HWND Find(const char* title)
    {
        return login_test::FindProcessWindow(m_terminal.dwProcessId, title);
    }

    // Logs in through the login window and waits for the board on the maximised window.
    HWND LogInToBoard()
    {
        HWND login = NULL;
        if (!PumpUntil([&] {
                login = Find("Tolvan证券客户端登录");
                return login != NULL && ::IsWindowEnabled(::GetDlgItem(login, IDOK))
                       && ::SendDlgItemMessageA(login, IDC_LOGIN_SERVERS, CB_GETCOUNT, 0, 0) > 0;
            }, kDeadlineMs))
            return NULL;
        ::SendMessageA(::GetDlgItem(login, IDC_LOGIN_USER), WM_SETTEXT, 0, (LPARAM) "80001");
        HWND edit = ::GetDlgItem(login, IDC_LOGIN_PASSWORD);
        ::SendMessageA(edit, WM_SETTEXT, 0, (LPARAM) "a123456");
        ::PostMessageA(edit, WM_KEYDOWN, VK_RETURN, 0);
        ::PostMessageA(edit, WM_KEYUP, VK_RETURN, 0);
        HWND main = NULL;
        PumpUntil([&] {
            if (Splash() != NULL)
                m_splashSeen = true;
            main = Find(kMainTitle);
            HWND tabs = main != NULL ? ::GetDlgItem(main, kSectorTabs) : NULL;
            return tabs != NULL && ::IsZoomed(main) && ::SendMessageA(tabs, TCM_GETITEMCOUNT, 0, 0) == kSectorCount
                   && QuoteList(main) != NULL;
        }, kDeadlineMs);
        return main;
    }

    HWND Splash()
    {
        FoundSplash found{m_terminal.dwProcessId, NULL};
        ::EnumWindows(MatchSplash, reinterpret_cast<LPARAM>(&found));
        return found.window;
    }

    static HWND QuoteList(HWND main)
    {
        HWND list = NULL;
        ::EnumChildWindows(main, MatchQuoteList, reinterpret_cast<LPARAM>(&list));
        return list;
    }

    static void Keep(HWND window, const char* name)
    {
        const Screenshot shot = Screenshot::CaptureClient(window);
        EXPECT_FALSE(shot.IsEmpty()) << name;
        shot.SavePng(std::string(RootFolder()) + "test-artifacts\\" + name);
    }

    // The simulator moves its prices only when told: tick it until the list shows a change.
    bool QuotesMove(HWND list)
    {
        const Screenshot before = Screenshot::CaptureClient(list);
        DWORD lastTick = 0;
        return PumpUntil([&] {
            if (::GetTickCount() - lastTick >= 500) {
                lastTick = ::GetTickCount();
                s_sim->Control("tick");
                s_sim->Control("http tick");
            }
            return Screenshot::CaptureClient(list).Pixels() != before.Pixels();
        }, kDeadlineMs);
    }

    std::string SelfListText()
    {
        CFileCrypt crypt;
        CString text;
        return crypt.DecryptFileToString(SelfListPath(), text) ? std::string(text) : "unreadable";
    }

    std::string HiddenNotice()
    {
        char text[64] = {0};
        ::GetPrivateProfileStringA("system", "hide_notice_id", "-1", text, sizeof(text), ConfigPath());
        return text;
    }

    PROCESS_INFORMATION m_terminal = PROCESS_INFORMATION();
    bool m_splashSeen = false;
};

TEST_F(BoardScenarioTest, BoardMovesSearchesHidesTheNoticeAndKeepsMySector)
{
    ASSERT_NO_FATAL_FAILURE(StartTerminal());
    HWND main = LogInToBoard();
    ASSERT_NE(HWND(NULL), main) << "no board with " << kSectorCount << " sector tabs";
    EXPECT_TRUE(m_splashSeen) << "no splash while the lists loaded";
    EXPECT_EQ(Splash(), HWND(NULL)) << "the splash outlived the start";

    HWND notice = NULL;
    ASSERT_TRUE(PumpUntil([&] { return (notice = Find("公告")) != NULL; }, kDeadlineMs)) << "no notice";
    Keep(notice, "board-notice.png");
    // The notice stands over the maximised board, not under it.
    RECT noticePlace = {};
    ::GetWindowRect(notice, &noticePlace);
    const POINT middle = {(noticePlace.left + noticePlace.right) / 2, (noticePlace.top + noticePlace.bottom) / 2};
    EXPECT_TRUE(PumpUntil([&] { return ::GetAncestor(::WindowFromPoint(middle), GA_ROOT) == notice; }, kDeadlineMs))
        << "the notice is hidden under the main window";
    Keep(::GetDesktopWindow(), "board-notice-on-screen.png");
    ::PostMessageA(notice, WM_COMMAND, MAKEWPARAM(1098, BN_CLICKED), (LPARAM)::GetDlgItem(notice, 1098));
    EXPECT_TRUE(PumpUntil([&] { return Find("公告") == NULL; }, kDeadlineMs));
    EXPECT_EQ(HiddenNotice(), "1001");

    // Quotes move: the shown rows repaint with new figures as the simulator ticks.
    HWND list = QuoteList(main);
    ASSERT_NE(HWND(NULL), list);
    Keep(main, "board.png");
    EXPECT_TRUE(QuotesMove(list)) << "the board did not change";
    Keep(main, "board-moved.png");

    // A digit over the list opens the quick search; Enter closes it with the first hit.
    ::PostMessageA(list, WM_KEYDOWN, '6', 0);
    HWND search = NULL;
    ASSERT_TRUE(PumpUntil([&] { return (search = Find(kSearchTitle)) != NULL; }, kDeadlineMs)) << "no quick search";
    EXPECT_TRUE(PumpUntil([&] {
        HWND hits = ::GetDlgItem(search, 1076);
        return hits != NULL && ::SendMessageA(hits, LVM_GETITEMCOUNT, 0, 0) > 0;
    }, kDeadlineMs));
    Keep(::GetDesktopWindow(), "board-search.png");  // the popup stands over the board
    ::PostMessageA(::GetDlgItem(search, 1034), WM_KEYDOWN, VK_RETURN, 0);
    EXPECT_TRUE(PumpUntil([&] { return Find(kSearchTitle) == NULL; }, kDeadlineMs));
    // The chosen instrument may open in a chart view: the toolbar's quote button brings the
    // board back.
    ::PostMessageA(main, 11059, 0, 0);
    EXPECT_TRUE(PumpUntil([&] { return ::IsWindowVisible(list) != FALSE; }, kDeadlineMs));

    // The second row joins "我的板块" from the rows' menu command; it is saved at the end.
    // A click that lands while the board is still laying itself out again is clicked again.
    // The quick search's choice was selected and scrolled into view: back to the top first.
    ::SendMessageA(list, LVM_ENSUREVISIBLE, 0, FALSE);
    bool selected = false;
    for (int attempt = 0; attempt < 10 && !selected; ++attempt) {
        ::PostMessageA(list, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(200, 22 + 22 + 11));
        ::PostMessageA(list, WM_LBUTTONUP, 0, MAKELPARAM(200, 22 + 22 + 11));
        selected = PumpUntil([&] { return ::SendMessageA(list, LVM_GETNEXTITEM, (WPARAM)-1, LVNI_SELECTED) == 1; },
                             kDeadlineMs / 10);
    }
    if (!selected)
        Keep(main, "board-select-failed.png");
    ASSERT_TRUE(selected) << "the second row was not selected; selected: "
                          << ::SendMessageA(list, LVM_GETNEXTITEM, (WPARAM)-1, LVNI_SELECTED) << ", visible "
                          << ::IsWindowVisible(list);
    ::PostMessageA(main, WM_COMMAND, kAddToMySector, 0);
    StopTerminal();
    const std::string saved = SelfListText();
    ASSERT_EQ(saved.size(), 7u) << "one six-digit code and its comma: " << saved;
    EXPECT_EQ(saved.back(), ',');

    // The next start loads the list (saving it again unchanged) and keeps the notice hidden.
    ASSERT_NO_FATAL_FAILURE(StartTerminal());
    main = LogInToBoard();
    ASSERT_NE(HWND(NULL), main);
    list = QuoteList(main);
    EXPECT_TRUE(QuotesMove(list));
    EXPECT_EQ(Find("公告"), HWND(NULL)) << "a hidden notice came back";
    StopTerminal();
    EXPECT_EQ(SelfListText(), saved);
}

}  // namespace
