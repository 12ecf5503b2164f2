// The password page under a stand-in container: typing into the real edits, the request
// that "修改" sends to the host, the status line and the digit keypad.
#include <Keyguard.h>
#include <TradingTestHost.h>

#include <testsupport/Pump.h>
#include <testsupport/TestApp.h>

#include <gtest/gtest.h>

#include <memory>
#include <set>

using tolvan::test::PumpUntil;
using tolvan::test::Screenshot;

namespace {

tolvan::test::TestApp theApp("KeyguardTest");

enum { kCurrent = 11004, kNew = 11007, kAgain = 11010, kCurrentKeys = 11005, kModify = 11012,
       kFirstKey = 11014, kBackspace = 11024 };

CString TextOf(HWND control)
{
    char text[256] = {};
    ::GetWindowTextA(control, text, sizeof(text));
    return text;
}

class PasswordPage : public ::testing::Test
{
protected:
    void SetUp() override
    {
        host = std::make_unique<TradingHost>(CRect(20, 20, 520, 320));
        container = host->CreateContainer();
        page = Dll_ShowPassWordDlg(container);
        ASSERT_TRUE(::IsWindow(page));
        ::MoveWindow(page, 0, 0, 500, 300, TRUE);
        tolvan::test::PumpPending();
    }

    void TearDown() override { host.reset(); }

    HWND Control(int id) const { return ::GetDlgItem(page, id); }

    void TypeInto(int id, const char* text)
    {
        ClickAt(CentreOf(Control(id)));
        ASSERT_TRUE(PumpUntil([&] { return ::GetFocus() == Control(id); }, 10000));
        TypeText(text);
    }

    HWND Keypad() const
    {
        HWND keypad = NULL;
        ::EnumThreadWindows(::GetCurrentThreadId(), [](HWND hWnd, LPARAM l) -> BOOL {
            if (::GetDlgItem(hWnd, kBackspace) != NULL) {
                *reinterpret_cast<HWND*>(l) = hWnd;
                return FALSE;
            }
            return TRUE;
        }, (LPARAM)&keypad);
        return keypad;
    }

    std::unique_ptr<TradingHost> host;
    HWND container = NULL, page = NULL;
};

TEST_F(PasswordPage, EditsDropCharactersOutsideTheSetAndStopAtTwenty)
{
    TypeInto(kCurrent, "ab c1");
    ASSERT_TRUE(PumpUntil([&] { return TextOf(Control(kCurrent)).GetLength() == 4; }, 10000));
    EXPECT_STREQ("abc1", TextOf(Control(kCurrent)));
    TypeText("\b");
    ASSERT_TRUE(PumpUntil([&] { return TextOf(Control(kCurrent)) == "abc"; }, 10000));

    TypeInto(kNew, "Ab!@#12345678901234567");
    ASSERT_TRUE(PumpUntil([&] { return TextOf(Control(kNew)).GetLength() == 20; }, 10000));
    EXPECT_STREQ("Ab!@#123456789012345", TextOf(Control(kNew)));
    // A character the set does not hold, put in by a paste-like change, is cleaned out too.
    ::SetWindowTextA(Control(kAgain), "x y\xD6\xD0z");
    EXPECT_STREQ("xyz", TextOf(Control(kAgain)));
    EXPECT_EQ('*', (char)::SendMessage(Control(kNew), EM_GETPASSWORDCHAR, 0, 0));
}

TEST_F(PasswordPage, ModifySendsTheThreeTextsEvenWhenEmpty)
{
    ClickAt(CentreOf(Control(kModify)));
    ASSERT_TRUE(PumpUntil([&] { return host->Count(WM_PASSWORD_REQUEST) == 1; }, 10000));
    EXPECT_FALSE(host->Last(WM_PASSWORD_REQUEST).toContainer);
    EXPECT_STREQ("", host->Last(WM_PASSWORD_REQUEST).password.current);

    TypeInto(kCurrent, "old1");
    TypeInto(kNew, "new2");
    TypeInto(kAgain, "new3");
    ASSERT_TRUE(PumpUntil([&] { return TextOf(Control(kAgain)) == "new3"; }, 10000));
    ClickAt(CentreOf(Control(kModify)));
    ASSERT_TRUE(PumpUntil([&] { return host->Count(WM_PASSWORD_REQUEST) == 2; }, 10000));
    PasswordRequest request = host->Last(WM_PASSWORD_REQUEST).password;
    EXPECT_STREQ("old1", request.current);
    EXPECT_STREQ("new2", request.newPassword);
    EXPECT_STREQ("new3", request.newAgain);
}

TEST_F(PasswordPage, PaintsTheStatusLineInItsColour)
{
    const RECT status{10, 150, 300, 200};
    Screenshot empty = CaptureAndSave(page, "trading_password_empty.png");
    EXPECT_EQ(0u, empty.CountColor(RGB(255, 0, 0), &status));
    StatusLine line;
    line.text = "旧密码错误，修改失败！";
    line.colour = RGB(255, 0, 0);
    ::SendMessage(page, WM_PASSWORD_STATUS, (WPARAM)&line, 0);
    Screenshot shown = CaptureAndSave(page, "trading_password_status.png");
    EXPECT_GT(shown.CountColor(RGB(255, 0, 0), &status), 20u);
}

TEST_F(PasswordPage, KeypadTypesIntoItsTargetAndIsShuffled)
{
    HWND keypad = Keypad();
    ASSERT_TRUE(::IsWindow(keypad));
    EXPECT_FALSE(::IsWindowVisible(keypad));
    // The "软键盘" buttons start hidden; their command opens the keypad above the edit.
    ::SendMessage(page, WM_COMMAND, MAKEWPARAM(kCurrentKeys, BN_CLICKED), (LPARAM)Control(kCurrentKeys));
    ASSERT_TRUE(::IsWindowVisible(keypad));
    RECT edit, pad;
    ::GetWindowRect(Control(kCurrent), &edit);
    ::GetWindowRect(keypad, &pad);
    EXPECT_EQ(edit.left, pad.left);
    EXPECT_EQ(edit.top - 30, pad.top);

    std::set<CString> captions;
    CString layout;
    HWND seven = NULL;
    for (int id = kFirstKey; id < kFirstKey + 10; ++id) {
        CString caption = TextOf(::GetDlgItem(keypad, id));
        captions.insert(caption);
        layout += caption;
        if (caption == "7")
            seven = ::GetDlgItem(keypad, id);
    }
    EXPECT_EQ(10u, captions.size()) << (LPCSTR)layout;
    Screenshot shot = CaptureAndSave(keypad, "trading_password_keypad.png");
    EXPECT_FALSE(shot.IsEmpty());

    ClickAt(CentreOf(seven));
    ASSERT_TRUE(PumpUntil([&] { return TextOf(Control(kCurrent)) == "7"; }, 10000));
    ClickAt(CentreOf(::GetDlgItem(keypad, kBackspace)));
    ASSERT_TRUE(PumpUntil([&] { return TextOf(Control(kCurrent)).IsEmpty(); }, 10000));
    ::SendMessage(keypad, WM_COMMAND, MAKEWPARAM(kBackspace, BN_CLICKED), (LPARAM)::GetDlgItem(keypad, kBackspace));
    EXPECT_STREQ("", TextOf(Control(kCurrent)));

    // A full edit (20 characters) takes no further digit from the keypad either.
    const CString full('1', 20);
    ::SetWindowTextA(Control(kCurrent), full);
    ClickAt(CentreOf(seven));
    ClickAt(CentreOf(::GetDlgItem(keypad, kBackspace)));
    EXPECT_TRUE(PumpUntil([&] { return TextOf(Control(kCurrent)) == CString('1', 19); }, 10000))
        << (LPCSTR)TextOf(Control(kCurrent));
}

}  // namespace
