// Module states across a library: resource lookup follows AFX_MANAGE_STATE (dialog and
// string ids clash between the program and the library), a library window keeps its
// library's state for its messages, and strings cross the module boundary.
#include "windows_test_app.h"
#include "windows_test_resources.h"

#include "testdll/test_dll.h"

#include <gtest/gtest.h>

namespace {

HMODULE TestDll()
{
    return ::GetModuleHandleA("afx_windows_test_dll.dll");
}

TEST(ModuleStateTest, ManageStateSwitchesDialogTemplatesToTheLibrary)
{
    char title[128] = "";
    ASSERT_EQ(TestDll_RunClashDialog(TRUE, title, sizeof(title)), IDOK);
    EXPECT_STREQ(title, "库的对话框");

    // Without the switch the library's code finds the program's dialog 100.
    title[0] = '\0';
    ASSERT_EQ(TestDll_RunClashDialog(FALSE, title, sizeof(title)), IDOK);
    EXPECT_STREQ(title, "程序的对话框");

    // And the program's own code, of course.
    CDialog programDialog(IDD_CLASH);
    ASSERT_TRUE(programDialog.Create(IDD_CLASH));
    CString caption;
    programDialog.GetWindowText(caption);
    EXPECT_STREQ(caption, "程序的对话框");
    EXPECT_NE(programDialog.GetDlgItem(IDC_EXE_ONLY), (CWnd*)NULL);
    programDialog.DestroyWindow();
}

TEST(ModuleStateTest, ResourceHandleAndApplicationFollowTheStateAndAreRestored)
{
    EXPECT_EQ(TestDll_ResourceHandle(TRUE), TestDll());
    EXPECT_EQ(TestDll_ResourceHandle(FALSE), ::GetModuleHandle(NULL));
    EXPECT_EQ(AfxGetResourceHandle(), ::GetModuleHandle(NULL));

    EXPECT_EQ(TestDll_App(TRUE), TestDll_OwnApp());
    EXPECT_EQ(TestDll_App(FALSE), &theApp);
    EXPECT_EQ(AfxGetApp(), &theApp);
    // The library's application was initialised once, when its state was first used.
    EXPECT_EQ(TestDll_InitInstanceCalls(), 1);

    CString text;
    ASSERT_TRUE(text.LoadString(IDS_CLASH));
    EXPECT_STREQ(text, "程序的字符串");
}

TEST(ModuleStateTest, ALibraryWindowHandlesMessagesInTheLibrarysState)
{
    HWND hWnd = TestDll_CreateWindow();
    ASSERT_NE(hWnd, (HWND)NULL);
    EXPECT_EQ(TestDll_LiveWindows(), 1);

    // Sent from the program's state, handled in the library's.
    char text[256] = "";
    LRESULT handle = ::SendMessageA(hWnd, kProbeMessage, 0, (LPARAM)text);
    EXPECT_EQ((HMODULE)handle, TestDll());
    EXPECT_STREQ(text, "库的字符串");

    // Each module sees its own window objects only.
    EXPECT_TRUE(TestDll_IsPermanent(hWnd));
    EXPECT_EQ(CWnd::FromHandlePermanent(hWnd), (CWnd*)NULL);
    CWnd* pTemporary = CWnd::FromHandle(hWnd);
    ASSERT_NE(pTemporary, (CWnd*)NULL);
    EXPECT_EQ(pTemporary->m_hWnd, hWnd);

    // The library's window deletes itself when destroyed.
    ::DestroyWindow(hWnd);
    EXPECT_EQ(TestDll_LiveWindows(), 0);
}

// The program's loop feeds every window without knowing its module: posted messages that
// are left queued are pre-translated and dispatched as a program's Run loop does.
void PumpThroughPreTranslation()
{
    MSG msg;
    while (::PeekMessageA(&msg, NULL, 0, 0, PM_NOREMOVE))
        AfxPumpMessage();
}

TEST(ModuleStateTest, ALibrarysControlGetsReflectionAndPreTranslationInAnyModulesWindow)
{
    struct Case {
        const char* parent;
        bool libraryWindow;
    };
    for (const Case& c : { Case{ "the library's window", true }, Case{ "the program's dialog", false } }) {
        SCOPED_TRACE(c.parent);
        CDialog programDialog(IDD_MODELESS);
        HWND hWndParent = NULL;
        UINT nID = 0;
        if (c.libraryWindow) {
            hWndParent = TestDll_CreateWindow();
            nID = IDC_DLL_EDIT;
        } else {
            ASSERT_TRUE(programDialog.Create(IDD_MODELESS));
            hWndParent = programDialog.m_hWnd;
            nID = IDC_EDIT;
        }
        ASSERT_NE(hWndParent, (HWND)NULL);
        ASSERT_TRUE(TestDll_AttachEdit(hWndParent, nID));
        HWND hWndEdit = ::GetDlgItem(hWndParent, nID);

        ::SetWindowTextA(hWndEdit, "changed");   // EN_CHANGE to the parent, reflected
        ::PostMessageA(hWndEdit, WM_KEYDOWN, VK_F8, 0x00420001);
        PumpThroughPreTranslation();

        int reflectedChanges = -1;
        int preTranslatedKeys = -1;
        TestDll_EditCounts(&reflectedChanges, &preTranslatedKeys);
        EXPECT_EQ(reflectedChanges, 1);
        EXPECT_EQ(preTranslatedKeys, 1);
        ::DestroyWindow(hWndParent);
    }
}

TEST(CrossModuleStringTest, StringsMadeInOneModuleAreChangedAndFreedInAnother)
{
    {
        CString made = TestDll_MakeString("abc");   // allocated by the library's code
        EXPECT_STREQ(made, "abc-dll");
        made += "-exe";                              // grown here
        EXPECT_STREQ(made, "abc-dll-exe");
    }                                                // freed here

    CString mine("汉字");
    TestDll_AppendTo(mine, "!");                     // reallocated by the library's code
    EXPECT_EQ(mine.GetLength(), 4 + 50);
    EXPECT_STREQ(mine.Left(5), "汉字!");

    TestDll_Keep(mine);                              // shared with the library
    mine += "-changed";                              // our copy changes, the library's not
    mine.Empty();
    EXPECT_EQ(TestDll_Kept().Left(5), CString("汉字!"));
    TestDll_ReleaseKept();                           // freed by the library's code
    EXPECT_TRUE(TestDll_Kept().IsEmpty());
}

}  // namespace
