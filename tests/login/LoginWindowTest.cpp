// The login window: its controls, calls from worker threads carried to its own thread, Enter
// submitting what was typed, the kind switch and closing from a worker.
#include "ILogin.h"
#include "LoginWindowIds.h"
#include "testsupport/Pump.h"
#include "testsupport/RealInput.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>

using tolvan::test::PumpUntil;

namespace {

std::string ControlText(HWND window, int id)
{
    char text[256] = {0};
    ::GetDlgItemTextA(window, id, text, sizeof(text));
    return text;
}

TEST(LoginWindowTest, WorkerCallsReachTheWindowAndEnterSubmitsWhatWasTyped)
{
    ILogin::SetPaintmgr();
    ILogin* login = ILogin::CreatLoginWnd("80001", "");
    std::string submitted;
    std::thread worker;
    std::atomic<DWORD> callingThread{0};
    std::atomic<bool> listFilled{false};
    std::vector<std::string> kinds;

    login->SetSubmitCallback([&](ILogin* from, const char* user, const char* password, int index) {
        submitted = std::string(user) + "/" + password + "/" + std::to_string(index);
        EXPECT_EQ(login, from);
        // As the login thread does: report and close from another thread.
        worker.join();
        worker = std::thread([from] {
            from->SetStatusText("登录成功!");
            from->CloseWindow();
        });
        return true;
    });
    login->SetServerKindCallback([&](ILogin*, int kind, int index) {
        kinds.push_back(std::to_string(kind) + "@" + std::to_string(index));
    });

    ILogin::ShowLoginWnd(login, NULL, "Tolvan证券客户端登录", [&](ILogin* shown) {
        HWND window = shown->GetWindow();
        ASSERT_NE(HWND(NULL), window);
        EXPECT_EQ("80001", ControlText(window, IDC_LOGIN_USER));
        EXPECT_TRUE(::GetWindowLongA(::GetDlgItem(window, IDC_LOGIN_PASSWORD), GWL_STYLE) & ES_PASSWORD);
        EXPECT_FALSE(::IsWindowVisible(::GetDlgItem(window, IDC_LOGIN_KIND))) << "shown only in mode 1";
        worker = std::thread([shown, &callingThread, &listFilled] {
            callingThread = ::GetCurrentThreadId();
            shown->EnableInput(false);
            shown->SetServerEntries({"电信一", "联通二", "移动三"});
            shown->SelectEntry(2);
            shown->SetProgress(50);
            shown->SetProgressText("正在测试服务器网速...请稍候...");
            shown->SetMode(1);
            shown->EnableInput(true);
            listFilled = true;
        });
        ASSERT_TRUE(PumpUntil([&] { return listFilled.load(); }));
        EXPECT_EQ(3, (int)::SendDlgItemMessageA(window, IDC_LOGIN_SERVERS, CB_GETCOUNT, 0, 0));
        EXPECT_EQ(2, (int)::SendDlgItemMessageA(window, IDC_LOGIN_SERVERS, CB_GETCURSEL, 0, 0));
        EXPECT_EQ(50, (int)::SendDlgItemMessageA(window, IDC_LOGIN_PROGRESS, PBM_GETPOS, 0, 0));
        EXPECT_EQ("正在测试服务器网速...请稍候...", ControlText(window, IDC_LOGIN_PROGRESS_TEXT));
        EXPECT_TRUE(::IsWindowVisible(::GetDlgItem(window, IDC_LOGIN_KIND)));
        EXPECT_TRUE(::IsWindowEnabled(::GetDlgItem(window, IDOK)));

        // The switch to the simulated kind reports the kind and the selected entry.
        HWND tabs = ::GetDlgItem(window, IDC_LOGIN_KIND);
        ::SendMessageA(tabs, TCM_SETCURSEL, 0, 0);
        NMHDR change = {tabs, IDC_LOGIN_KIND, (UINT)TCN_SELCHANGE};
        ::SendMessageA(window, WM_NOTIFY, IDC_LOGIN_KIND, (LPARAM)&change);
        EXPECT_EQ(0, shown->GetServerKind());

        // Typing the password and pressing Enter in the real controls.
        HWND password = ::GetDlgItem(window, IDC_LOGIN_PASSWORD);
        ::SetFocus(password);
        ::SendMessageA(password, WM_SETTEXT, 0, (LPARAM)"a123456");
        ::PostMessageA(password, WM_KEYDOWN, VK_RETURN, 0);
        ::PostMessageA(password, WM_KEYUP, VK_RETURN, 0);
    });

    if (worker.joinable())
        worker.join();
    EXPECT_EQ("80001/a123456/2", submitted);
    EXPECT_EQ((std::vector<std::string>{"0@2"}), kinds);
    EXPECT_EQ(HWND(NULL), login->GetWindow());
    EXPECT_EQ("登录成功!", login->GetShownText(LOGIN_TEXT_STATUS));
    EXPECT_EQ("电信一|联通二|移动三", login->GetShownText(LOGIN_TEXT_ENTRIES));
    EXPECT_NE(::GetCurrentThreadId(), callingThread.load());
    // Calls after the window closed only change the kept texts.
    login->ShowResult("登录失败");
    EXPECT_EQ("登录失败", login->GetShownText(LOGIN_TEXT_RESULT));
}

// Counts the messages that rebuild a combo box's list.
WNDPROC g_comboProc = nullptr;
int g_listRebuilds = 0;

LRESULT CALLBACK CountListRebuilds(HWND combo, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == CB_RESETCONTENT || message == CB_ADDSTRING)
        ++g_listRebuilds;
    return ::CallWindowProcA(g_comboProc, combo, message, wParam, lParam);
}

// Workers report into the window while the user has the server list open: the list stays
// open and is not rebuilt (which flickers and loses the user's place in it) until its entries
// really change.
TEST(LoginWindowTest, UpdatesLeaveAnOpenServerListAlone)
{
    ILogin* login = ILogin::CreatLoginWnd("80001", "");
    ILogin::ShowLoginWnd(login, NULL, "login", [&](ILogin* shown) {
        HWND window = shown->GetWindow();
        HWND servers = ::GetDlgItem(window, IDC_LOGIN_SERVERS);
        auto dropped = [servers] { return ::SendMessageA(servers, CB_GETDROPPEDSTATE, 0, 0) != 0; };
        [&] {
            shown->SetServerEntries({"电信一", "联通二"});
            shown->SelectEntry(1);
            ASSERT_TRUE(tolvan::test::BringToForeground(window));
            tolvan::test::ClickAt(tolvan::test::CentreOf(servers));
            ASSERT_TRUE(PumpUntil(dropped, 10000)) << "the click did not open the list";
            g_listRebuilds = 0;
            g_comboProc = (WNDPROC)::SetWindowLongPtrA(servers, GWLP_WNDPROC, (LONG_PTR)CountListRebuilds);

            std::atomic<bool> reported{false};
            std::thread worker([shown, &reported] {
                shown->SetStatusText("正在检测更新。。。");
                shown->SetServerEntries({"电信一", "联通二"});
                shown->SelectEntry(1);
                shown->SetProgress(50);
                shown->EnableInput(true);
                shown->SetProgressText("");
                reported = true;
            });
            // Each call waits for the window's thread, which must keep pumping meanwhile.
            const bool allReported = PumpUntil([&] { return reported.load(); });
            worker.join();
            ASSERT_TRUE(allReported);
            EXPECT_EQ("正在检测更新。。。", ControlText(window, IDC_LOGIN_STATUS));
            EXPECT_TRUE(dropped()) << "an update closed the open list";
            EXPECT_EQ(0, g_listRebuilds) << "the unchanged list was rebuilt";
            EXPECT_EQ(1, (int)::SendMessageA(servers, CB_GETCURSEL, 0, 0));

            // A list that did change is shown.
            shown->SetServerEntries({"移动三"});
            EXPECT_EQ(1, (int)::SendMessageA(servers, CB_GETCOUNT, 0, 0));
            ::SetWindowLongPtrA(servers, GWLP_WNDPROC, (LONG_PTR)g_comboProc);
        }();
        if (dropped())
            ::SendMessageA(servers, CB_SHOWDROPDOWN, FALSE, 0);
        ::PostMessageA(window, WM_CLOSE, 0, 0);
    });
}

TEST(LoginWindowTest, DisabledInputIgnoresEnter)
{
    ILogin* login = ILogin::CreatLoginWnd("", "");
    int submits = 0;
    login->SetSubmitCallback([&](ILogin*, const char*, const char*, int) { return ++submits > 0; });
    ILogin::ShowLoginWnd(login, NULL, "login", [&](ILogin* shown) {
        shown->EnableInput(false);
        HWND window = shown->GetWindow();
        ::SendMessageA(window, WM_COMMAND, IDOK, 0);
        EXPECT_FALSE(::IsWindowEnabled(::GetDlgItem(window, IDC_LOGIN_PASSWORD)));
        ::PostMessageA(window, WM_CLOSE, 0, 0);
    });
    EXPECT_EQ(0, submits);
}

}  // namespace
