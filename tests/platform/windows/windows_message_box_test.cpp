// AfxMessageBox and CWnd::MessageBox end in one hookable function.
#include "windows_test_app.h"
#include "windows_test_resources.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

struct Box {
    HWND owner;
    bool mainEnabled;
    std::string text;
    std::string caption;
    UINT type;
};

std::vector<Box> g_boxes;
int g_answer = IDOK;

int CALLBACK RecordBox(HWND hOwner, LPCSTR lpszText, LPCSTR lpszCaption, UINT nType)
{
    CWnd* main = AfxGetMainWnd();
    const bool mainEnabled = main != NULL && ::IsWindowEnabled(main->GetSafeHwnd());
    g_boxes.push_back({ hOwner, mainEnabled, lpszText, lpszCaption, nType });
    return g_answer;
}

class MessageBoxHookTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        g_boxes.clear();
        previous = AfxSetMessageBoxHook(&RecordBox);
        ASSERT_TRUE(window.CreateEx(0, AfxRegisterWndClass(0), "owner", WS_POPUP, 0, 0, 50, 50,
                                    NULL, NULL));
    }
    void TearDown() override
    {
        window.DestroyWindow();
        EXPECT_EQ(AfxSetMessageBoxHook(previous), &RecordBox);
    }

    AFX_MESSAGEBOX_HOOK previous = nullptr;
    CWnd window;
};

TEST_F(MessageBoxHookTest, EveryBoxReachesTheHookWithTextCaptionAndType)
{
    struct Case {
        const char* name;
        std::function<int()> show;
        int answer;
        std::string text;
        std::string caption;
        UINT type;
        bool ownedByWindow;
    };
    const Case cases[] = {
        { "AfxMessageBox text", [] { return AfxMessageBox("保存修改吗？", MB_YESNO | MB_ICONQUESTION); },
          IDNO, "保存修改吗？", "WindowsTest", MB_YESNO | MB_ICONQUESTION, false },
        { "AfxMessageBox default type", [] { return AfxMessageBox("done"); },
          IDOK, "done", "WindowsTest", MB_OK, false },
        { "AfxMessageBox resource", [] { return AfxMessageBox(IDS_PROMPT, MB_OKCANCEL); },
          IDCANCEL, "资源里的提示", "WindowsTest", MB_OKCANCEL, false },
        { "CWnd::MessageBox caption", [this] { return window.MessageBox("t", "标题", MB_RETRYCANCEL); },
          IDRETRY, "t", "标题", MB_RETRYCANCEL, true },
        { "CWnd::MessageBox default caption", [this] { return window.MessageBox("t"); },
          IDOK, "t", "WindowsTest", MB_OK, true },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        g_boxes.clear();
        g_answer = c.answer;
        EXPECT_EQ(c.show(), c.answer);
        ASSERT_EQ(g_boxes.size(), 1u);
        EXPECT_EQ(g_boxes[0].text, c.text);
        EXPECT_EQ(g_boxes[0].caption, c.caption);
        EXPECT_EQ(g_boxes[0].type, c.type);
        if (c.ownedByWindow) {
            EXPECT_EQ(g_boxes[0].owner, window.m_hWnd);
        }
    }
}

// A box over a pop-up of the main window (an order check over the order's window) is owned by
// the pop-up; the main window under both stays disabled until the box is answered.
TEST_F(MessageBoxHookTest, MainWindowStaysDisabledUnderABoxOfItsPopup)
{
    CWnd main;
    ASSERT_TRUE(main.CreateEx(0, AfxRegisterWndClass(0), "main", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 300,
                              200, NULL, NULL));
    CWnd popup;
    ASSERT_TRUE(popup.CreateEx(0, AfxRegisterWndClass(0), "popup", WS_POPUP | WS_CAPTION | WS_VISIBLE, 40, 40,
                               150, 100, main.m_hWnd, NULL));
    popup.SetActiveWindow();
    CWnd* previousMain = theApp.m_pMainWnd;
    theApp.m_pMainWnd = &main;
    ASSERT_EQ(::GetLastActivePopup(main.m_hWnd), popup.m_hWnd);

    g_answer = IDOK;
    EXPECT_EQ(AfxMessageBox("委托价格超出涨跌停范围"), IDOK);
    ASSERT_EQ(g_boxes.size(), 1u);
    EXPECT_EQ(g_boxes[0].owner, popup.m_hWnd);
    EXPECT_FALSE(g_boxes[0].mainEnabled) << "the main window took input under the box";
    EXPECT_TRUE(main.IsWindowEnabled()) << "the main window stayed disabled after the box";

    theApp.m_pMainWnd = previousMain;
    popup.DestroyWindow();
    main.DestroyWindow();
}

}  // namespace
