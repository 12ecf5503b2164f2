// The notice window driven inside its modal loop: the notice's HTML in the view, Enter
// swallowed, Escape closing without a trace, "不再提示" recording exactly the identifier.
#include "NoticeDlg.h"

#include "ModalScript.h"

#include <testsupport/Screenshot.h>

#include <gtest/gtest.h>

#include <string>

namespace {

class NoticeDlgTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        char folder[MAX_PATH] = "";
        ::GetTempPathA(MAX_PATH, folder);
        config = CString(folder) + "board_notice_test.ini";
        ::DeleteFileA(config);
        ::WritePrivateProfileStringA("system", "hide_notice_id", "old-17", config);
        notice.strId = "n-42";
        notice.strContent = "<html><body><h3>系统公告</h3><p>周五收盘后系统维护。</p></body></html>";
    }
    void TearDown() override { ::DeleteFileA(config); }

    std::string HiddenId() const
    {
        char text[64] = "";
        ::GetPrivateProfileStringA("system", "hide_notice_id", "-1", text, sizeof(text), config);
        return text;
    }
    static HWND Window() { return ::FindWindowA(NULL, "公告"); }
    static void Key(UINT key) { ::PostMessage(Window(), WM_KEYDOWN, key, 0); }

    CString config;
    NoticeRecord notice;
    ModalScript script;
};

TEST_F(NoticeDlgTest, EnterIsSwallowedAndHideRecordsTheIdentifier)
{
    CNoticeDlg dialog(nullptr, config);
    dialog.SetNotice(notice);
    script.Then("the notice stands in its HTML view", [&] {
        return Window() != NULL && dialog.GetHtmlPane().GetSafeHwnd() != NULL
               && dialog.GetHtmlPane().IsWindowVisible();
    }, [&] {
        EXPECT_TRUE(dialog.IsInitialised());
        EXPECT_EQ(dialog.GetHtmlPane().GetDlgCtrlID(), IDC_NOTICE_HTML);
        Key(VK_RETURN);
    });
    script.Then("Enter changes nothing", [] { return true; }, [&] {
        EXPECT_NE(Window(), (HWND)NULL);
        tolvan::test::Screenshot shot = tolvan::test::Screenshot::CaptureClient(Window());
        EXPECT_TRUE(shot.SavePng("notice.png"));
        ::PostMessage(Window(), WM_COMMAND, MAKEWPARAM(IDC_NOTICE_HIDE, BN_CLICKED),
                      (LPARAM)::GetDlgItem(Window(), IDC_NOTICE_HIDE));
    });
    script.Start();
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_TRUE(script.Finished()) << "stalled at: " << script.Stalled();
    EXPECT_EQ(HiddenId(), "n-42");
    EXPECT_FALSE(ShouldShowNotice(notice, config));
}

TEST_F(NoticeDlgTest, EscapeClosesWithoutWritingAndOnlyUnhiddenNoticesShow)
{
    CNoticeDlg dialog(nullptr, config);
    dialog.SetNotice(notice);
    script.Then("open", [] { return Window() != NULL; }, [] { Key(VK_ESCAPE); });
    script.Start();
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_TRUE(script.Finished()) << "stalled at: " << script.Stalled();
    EXPECT_EQ(HiddenId(), "old-17");

    EXPECT_TRUE(ShouldShowNotice(notice, config));
    NoticeRecord none;
    EXPECT_FALSE(ShouldShowNotice(none, config)) << "no notice, nothing to show";
    ::DeleteFileA(config);
    EXPECT_TRUE(ShouldShowNotice(notice, config)) << "the default -1 hides nothing";
}

}  // namespace
