// Tolvan.exe against the simulator through its real windows: after login the quote board
// shows one tab per sector with moving quotes, the notice stands over it until "不再提示" (its
// button, or the link of that name in its page) hides it for good, a digit over a quote list
// opens the quick search and Enter closes it with a choice, and a row added to "我的板块" is
// still there after a restart. An unattended run, logged in by the hook, hears of the board
// only once the board shows its prices on screen. The test hook's message from a stranger
// changes nothing.
// Screenshots of the board, the notice and the quick search are kept in <build>\test-artifacts.
#include "FileCrypt.h"
#include "RemoteWindows.h"
#include "TerminalUnderTest.h"
#include "testsupport/Pump.h"
#include "testsupport/RealInput.h"
#include "testsupport/Screenshot.h"
#include "testsupport/SimulatorSuite.h"
#include "testsupport/TestFiles.h"

#include <commctrl.h>
#include <richedit.h>
#include <gtest/gtest.h>

#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <string>

using login_test::BinFolder;
using login_test::CTerminal;
using login_test::RootFolder;
using login_test::ShownQuoteList;
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

class BoardScenarioTest : public SimulatorSuite
{
protected:
    void SetUp() override
    {
        ASSERT_NO_FATAL_FAILURE(ResetSimulator("login"));
        // An installation pointing at this simulator, without a self list or a hidden notice.
        ASSERT_TRUE(login_test::WriteInstallation(*s_sim));
        ::DeleteFileA(SelfListPath());
        ::CreateDirectoryA(RootFolder() + "test-artifacts", NULL);
    }

    void TearDown() override
    {
        StopTerminal();
        SimulatorSuite::TearDown();
    }

    CString ConfigPath() const { return BinFolder() + "Config.ini"; }
    CString SelfListPath() const { return RootFolder() + "data\\SelfListFile.cfg"; }

    void StopTerminal()
    {
        DWORD exitCode = 0;
        EXPECT_TRUE(m_terminal.Stop(&exitCode)) << "Tolvan did not end after WM_CLOSE";
        EXPECT_EQ(0u, exitCode) << "Tolvan's exit code";
    }

    HWND Find(const char* title) { return m_terminal.Find(title); }

    // Starts the terminal, logs in through the login window and waits for the board on the
    // maximised window.
    HWND StartAndLogInToBoard()
    {
        HWND login = m_terminal.Start() ? m_terminal.WaitForLoginWindow(kDeadlineMs) : NULL;
        if (login == NULL)
            return NULL;
        CTerminal::Submit(login, "80001", "a123456");
        HWND main = NULL;
        const bool shown = PumpUntil([&] {
            if (Splash() != NULL)
                m_splashSeen = true;
            main = Find(kMainTitle);
            HWND tabs = main != NULL ? ::GetDlgItem(main, kSectorTabs) : NULL;
            return tabs != NULL && ::IsZoomed(main) && ::SendMessageA(tabs, TCM_GETITEMCOUNT, 0, 0) == kSectorCount
                   && ShownQuoteList(main) != NULL;
        }, kDeadlineMs);
        return shown ? main : NULL;
    }

    // The splash: a visible tool window of the process without a title.
    HWND Splash()
    {
        return m_terminal.FindWhere([](HWND window) {
            return ::GetWindowTextLengthA(window) == 0
                   && (::GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_TOOLWINDOW) != 0;
        });
    }

    static void Keep(HWND window, const char* name)
    {
        EXPECT_FALSE(login_test::KeepPicture(window, name).IsEmpty()) << name;
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

    // A row on show has a price in its last-price column, read from the terminal's memory.
    static bool ShowsPrice(HWND list)
    {
        const int top = (int)::SendMessageA(list, LVM_GETTOPINDEX, 0, 0);
        const int shown = (int)::SendMessageA(list, LVM_GETCOUNTPERPAGE, 0, 0);
        for (int row = top; row < top + shown && row < remote::RowCount(list); ++row) {
            const std::string text = remote::CellText(list, row, 3);
            if (atof(text.c_str()) > 0.0)
                return true;
        }
        return false;
    }

    static bool Exists(const CString& path) { return ::GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES; }

    // Starts the terminal as tools/run.sh does without a display (the hook logs in and tells
    // of the board through files beside m_signal) and lets the hook type once the login
    // window is offered.
    void StartUnattended()
    {
        m_signal = RootFolder() + "test-artifacts\\unattended";
        for (const char* ending : {".ready", ".go", ".board"})
            ::DeleteFileA(m_signal + ending);
        ::SetEnvironmentVariableA("TOLVAN_AUTOLOGIN", "80001:a123456");
        ::SetEnvironmentVariableA("TOLVAN_AUTOLOGIN_SIGNAL", m_signal);
        const bool started = m_terminal.Start();
        ::SetEnvironmentVariableA("TOLVAN_AUTOLOGIN", NULL);
        ::SetEnvironmentVariableA("TOLVAN_AUTOLOGIN_SIGNAL", NULL);
        ASSERT_TRUE(started);
        ASSERT_TRUE(PumpUntil([&] { return Exists(m_signal + ".ready"); }, kDeadlineMs))
            << "the login window was not offered";
        EXPECT_FALSE(Exists(m_signal + ".board"));
        FILE* go = fopen(m_signal + ".go", "wb");
        ASSERT_NE(go, nullptr);
        fclose(go);
    }

    // The quote polls of the shown rows the simulator logged since its log was cleared.
    int QuotePolls()
    {
        const std::string log = s_sim->Control("http requests 50");
        int polls = 0;
        for (size_t at = log.find("csm/stockListTimely"); at != std::string::npos;
             at = log.find("csm/stockListTimely", at + 1))
            ++polls;
        return polls;
    }

    // A point inside the first characters of `text` in another process's rich edit (client
    // coordinates); false while the page does not hold the text.
    static bool LinkPoint(HWND page, const wchar_t* text, POINT& point)
    {
        const size_t textBytes = (wcslen(text) + 1) * sizeof(wchar_t);
        remote::CRemoteMemory memory(page, 64 + textBytes);
        if (!memory.IsValid())
            return false;
        FINDTEXTEXW find = {};
        find.chrg.cpMin = 0;
        find.chrg.cpMax = -1;
        find.lpstrText = reinterpret_cast<LPCWSTR>(memory.Address() + 64);
        POINTL place = {};
        if (!memory.Write(&find, sizeof(find)) || !memory.Write(text, textBytes, 64))
            return false;
        if (::SendMessageW(page, EM_FINDTEXTEXW, FR_DOWN, (LPARAM)memory.Address()) < 0 || !memory.Read(&find, sizeof(find)))
            return false;
        char* placeAddress = memory.Address() + sizeof(FINDTEXTEXW);
        if (!memory.Write(&place, sizeof(place), sizeof(FINDTEXTEXW)))
            return false;
        ::SendMessageW(page, EM_POSFROMCHAR, (WPARAM)placeAddress, find.chrgText.cpMin + 1);
        if (!memory.Read(&place, sizeof(place), sizeof(FINDTEXTEXW)))
            return false;
        point.x = place.x + 2;
        point.y = place.y + 6;
        return true;
    }

    std::string HiddenNotice()
    {
        char text[64] = {0};
        ::GetPrivateProfileStringA("system", "hide_notice_id", "-1", text, sizeof(text), ConfigPath());
        return text;
    }

    CTerminal m_terminal;
    bool m_splashSeen = false;
    CString m_signal;
};

TEST_F(BoardScenarioTest, BoardMovesSearchesHidesTheNoticeAndKeepsMySector)
{
    HWND main = StartAndLogInToBoard();
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
    HWND list = ShownQuoteList(main);
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
    main = StartAndLogInToBoard();
    ASSERT_NE(HWND(NULL), main);
    list = ShownQuoteList(main);
    EXPECT_TRUE(QuotesMove(list));
    EXPECT_EQ(Find("公告"), HWND(NULL)) << "a hidden notice came back";
    StopTerminal();
    EXPECT_EQ(SelfListText(), saved);
}

// The notice's links to the terminal's commands stay in the program: a click on "不再提示" in the
// page does what the button of that name does. Before it, the test hook's message, posted by
// another process while the hook is off, is ignored: the terminal neither takes a pointer from
// it nor ends.
TEST_F(BoardScenarioTest, TheNoticesAppLinkHidesItAndAStrangersHookMessageIsIgnored)
{
    HWND main = StartAndLogInToBoard();
    ASSERT_NE(HWND(NULL), main);
    HWND notice = NULL;
    ASSERT_TRUE(PumpUntil([&] { return (notice = Find("公告")) != NULL; }, kDeadlineMs)) << "no notice";

    const UINT kDeskProbeMessage = WM_APP + 0x3401;
    for (LPARAM stranger : {LPARAM(0x10), LPARAM(0x7FFF1234), LPARAM(-1)})
        ::PostMessageA(main, kDeskProbeMessage, 0, stranger);

    HWND page = remote::FindChild(notice, 0xE900, "TolvanHtmlDocument");
    ASSERT_NE(HWND(NULL), page) << "the notice shows no page";
    POINT link = {};
    ASSERT_TRUE(PumpUntil([&] { return LinkPoint(page, L"不再提示", link); }, kDeadlineMs)) << "no link in the notice";
    Keep(notice, "board-notice-links.png");
    ASSERT_TRUE(tolvan::test::BringToForeground(notice));
    tolvan::test::ClickAt(tolvan::test::ScreenPointOf(page, link.x, link.y));
    EXPECT_TRUE(PumpUntil([&] { return Find("公告") == NULL; }, kDeadlineMs)) << "the link left the notice open";
    EXPECT_EQ(HiddenNotice(), "1001");

    EXPECT_EQ(::WaitForSingleObject(m_terminal.Handle(), 0), DWORD(WAIT_TIMEOUT)) << "the terminal ended";
    DWORD_PTR answer = 0;
    EXPECT_NE(::SendMessageTimeoutA(main, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 10000, &answer), 0)
        << "the main window does not answer";
}

}  // namespace

// tools/run.sh without a display: the hook types the account into the login window once the
// caller has its picture, and the caller takes the board's picture when the program writes
// <signal>.board. By then the main window stands in place of the splash, showing prices under
// the notice.
TEST_F(BoardScenarioTest, AnUnattendedRunHearsOfTheBoardOnlyOnceItShowsPrices)
{
    ASSERT_NO_FATAL_FAILURE(StartUnattended());
    ASSERT_TRUE(PumpUntil([&] { return Exists(m_signal + ".board"); }, kDeadlineMs)) << "no word of the board";
    HWND main = Find(kMainTitle);
    ASSERT_NE(HWND(NULL), main) << "the main window is not on screen";
    EXPECT_TRUE(::IsZoomed(main));
    EXPECT_EQ(Splash(), HWND(NULL)) << "the splash still stands";
    EXPECT_NE(Find("公告"), HWND(NULL)) << "no notice over the board";
    HWND list = ShownQuoteList(main);
    ASSERT_NE(HWND(NULL), list);
    EXPECT_TRUE(ShowsPrice(list)) << "the quote list shows no price";
    Keep(::GetDesktopWindow(), "unattended-board.png");
}

// The window may come on screen before any price has arrived: here the lists' snapshot comes
// back empty and the quote polls fail. The run hears of the board only once the polls bring
// the prices.
TEST_F(BoardScenarioTest, AnUnattendedRunWaitsForThePricesOfAShownBoard)
{
    s_sim->Control("http fault /html/stock/stockInfo empty");
    s_sim->Control("http fault /services/stock/csm/stockListTimely fail");
    ASSERT_NO_FATAL_FAILURE(StartUnattended());
    HWND main = NULL;
    HWND list = NULL;
    ASSERT_TRUE(PumpUntil([&] {
        main = Find(kMainTitle);
        list = main != NULL && ::IsZoomed(main) ? ShownQuoteList(main) : NULL;
        return list != NULL && remote::RowCount(list) > 0;
    }, kDeadlineMs)) << "no board on screen";
    // Two polls of the shown rows later the board has long been looked at.
    s_sim->Control("http clearlog");
    ASSERT_TRUE(PumpUntil([&] { return QuotePolls() >= 2; }, kDeadlineMs));
    EXPECT_FALSE(ShowsPrice(list));
    EXPECT_FALSE(Exists(m_signal + ".board")) << "heard of a board without prices";

    s_sim->Control("http clear");
    ASSERT_TRUE(PumpUntil([&] { return Exists(m_signal + ".board"); }, kDeadlineMs)) << "no word of the board";
    EXPECT_TRUE(ShowsPrice(list)) << "the quote list shows no price";
}

// A self list another program holds open while the terminal starts does not load: the user
// is told so, and the exit leaves the file as it was instead of writing the empty list over
// the user's codes.
TEST_F(BoardScenarioTest, ASelfListThatCouldNotBeReadIsNotSavedOver)
{
    ::CreateDirectoryA(RootFolder() + "data", NULL);
    ASSERT_TRUE(CFileCrypt().EncryptStringToFile("600000,000001,00700,EURUSD,XAUUSD,", SelfListPath()));
    const std::string before = tolvan::test::ReadFileBytes(SelfListPath());
    HANDLE held = ::CreateFileA(SelfListPath(), GENERIC_READ, 0, NULL, OPEN_EXISTING, 0, NULL);
    ASSERT_NE(INVALID_HANDLE_VALUE, held);

    HWND login = m_terminal.Start() ? m_terminal.WaitForLoginWindow(kDeadlineMs) : NULL;
    ASSERT_NE(HWND(NULL), login);
    CTerminal::Submit(login, "80001", "a123456");
    HWND box = NULL;
    const bool told = PumpUntil([&] {
        box = m_terminal.FindWhere([](HWND window) {
            char text[512] = {0};
            ::GetWindowTextA(::GetDlgItem(window, 0xFFFF), text, sizeof(text));
            return ::IsWindowVisible(window) && strstr(text, "自选股") != NULL;
        });
        return box != NULL;
    }, kDeadlineMs);
    ::CloseHandle(held);  // the exit could write now: it must not
    ASSERT_TRUE(told) << "the user was not told of the list that did not load";
    char text[512] = {0};
    ::GetWindowTextA(::GetDlgItem(box, 0xFFFF), text, sizeof(text));
    EXPECT_NE(nullptr, strstr(text, "无法读取")) << text;
    Keep(box, "selflist-unreadable.png");
    ::PostMessageA(::GetDlgItem(box, IDOK), WM_KEYDOWN, VK_RETURN, 0);
    ::PostMessageA(::GetDlgItem(box, IDOK), WM_KEYUP, VK_RETURN, 0);
    ASSERT_TRUE(PumpUntil([&] {
        HWND main = Find(kMainTitle);
        return main != NULL && ::IsZoomed(main);
    }, kDeadlineMs)) << "no board after the message";

    StopTerminal();
    EXPECT_EQ(before, tolvan::test::ReadFileBytes(SelfListPath())) << "the list was saved over";
    // Later scenarios of the same installation start without a self list.
    ::DeleteFileA(SelfListPath());
}
