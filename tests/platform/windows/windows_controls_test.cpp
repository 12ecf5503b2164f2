// Status bar panes, data exchange with bad input, and the replaceable file dialog.
#include "windows_test_app.h"
#include "windows_test_resources.h"

#include <afxdialogex.h>
#include <afxdlgs.h>
#include <afxext.h>
#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

namespace {

class StatusBarTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dialog.Create(IDD_MODELESS));
        dialog.MoveWindow(0, 0, 600, 300);
        ASSERT_TRUE(bar.Create(&dialog));
        ASSERT_TRUE(bar.SetIndicators(kIndicators, 3));
    }
    void TearDown() override { dialog.DestroyWindow(); }

    static const UINT kIndicators[3];
    CDialog dialog;
    CStatusBar bar;
};

const UINT StatusBarTest::kIndicators[3] = { ID_SEPARATOR, IDS_PROMPT, ID_SEPARATOR };

TEST_F(StatusBarTest, PanesFollowTheirIndicatorsWidthsAndTexts)
{
    // Indicator panes start with their string resource; the first separator stretches.
    EXPECT_STREQ(bar.GetPaneText(1), "资源里的提示");
    EXPECT_EQ(bar.CommandToIndex(IDS_PROMPT), 1);
    EXPECT_EQ(bar.CommandToIndex(12345), -1);
    UINT nID, nStyle;
    int cxWidth;
    bar.GetPaneInfo(0, nID, nStyle, cxWidth);
    EXPECT_EQ(nStyle & SBPS_STRETCH, (UINT)SBPS_STRETCH);

    for (int i = 0; i < 3; ++i)
        bar.SetPaneInfo(i, ID_SEPARATOR, SBPS_NORMAL, 100);
    CRect first, second;
    bar.GetItemRect(0, &first);
    bar.GetItemRect(1, &second);
    EXPECT_NEAR(first.Width(), second.Width(), 2);
    EXPECT_GE(second.left, first.right - 2);

    ASSERT_TRUE(bar.SetPaneText(2, "已连接"));
    EXPECT_STREQ(bar.GetPaneText(2), "已连接");
}

TEST_F(StatusBarTest, TextPostedByAnotherThreadShowsInThePane)
{
    // A worker posts SB_SETTEXT straight to the control; its text lives until handled.
    static const char kText[] = "服务器时间:  2024-01-02 03:04:05";
    HWND hWndBar = bar.m_hWnd;
    std::thread([hWndBar] { ::PostMessageA(hWndBar, SB_SETTEXTA, 2, (LPARAM)kText); }).join();
    MSG msg;
    while (::PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
    EXPECT_STREQ(bar.GetPaneText(2), kText);
}

TEST_F(StatusBarTest, RepositionBarsDocksTheBarAtTheBottom)
{
    dialog.RepositionBars(AFX_IDW_CONTROLBAR_FIRST, AFX_IDW_CONTROLBAR_LAST, 0);
    CRect client, barRect;
    dialog.GetClientRect(&client);
    bar.GetWindowRect(&barRect);
    dialog.ScreenToClient(&barRect);
    EXPECT_EQ(barRect.bottom, client.bottom);
    EXPECT_EQ(barRect.left, client.left);
    EXPECT_EQ(barRect.right, client.right);
    EXPECT_GT(barRect.Height(), 10);

    CRect left;
    dialog.RepositionBars(AFX_IDW_CONTROLBAR_FIRST, AFX_IDW_CONTROLBAR_LAST, 0, CWnd::reposQuery, &left);
    EXPECT_EQ(left.bottom, barRect.top);
}

// ---------------------------------------------------------------------------------------

std::vector<std::string> g_boxTexts;

int CALLBACK CollectBox(HWND, LPCSTR lpszText, LPCSTR, UINT)
{
    g_boxTexts.push_back(lpszText);
    return IDOK;
}

class CNumberDialog : public CDialog
{
public:
    CNumberDialog() : CDialog(IDD_MODELESS) {}
    int value = 5;

protected:
    void DoDataExchange(CDataExchange* pDX) override
    {
        CDialog::DoDataExchange(pDX);
        DDX_Text(pDX, IDC_EDIT, value);
        DDV_MinMaxInt(pDX, value, 1, 99);
    }
};

TEST(DataExchangeTest, BadInputIsReportedAndLeavesTheMemberAlone)
{
    AFX_MESSAGEBOX_HOOK previous = AfxSetMessageBoxHook(&CollectBox);
    CNumberDialog dialog;
    ASSERT_TRUE(dialog.Create(IDD_MODELESS));
    CString shown;
    dialog.GetDlgItemText(IDC_EDIT, shown);
    EXPECT_STREQ(shown, "5");

    struct Case {
        const char* typed;
        BOOL accepted;
        int value;
    };
    const Case cases[] = {
        { " 42 ", TRUE, 42 },
        { "12a", FALSE, 42 },    // not a number
        { "", FALSE, 42 },
        { "100", FALSE, 100 },   // a number, but out of range: stored, then refused
        { "7", TRUE, 7 },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        g_boxTexts.clear();
        dialog.SetDlgItemText(IDC_EDIT, c.typed);
        EXPECT_EQ(dialog.UpdateData(TRUE), c.accepted);
        EXPECT_EQ(dialog.value, c.value);
        EXPECT_EQ(g_boxTexts.size(), c.accepted ? 0u : 1u);
    }
    dialog.DestroyWindow();
    AfxSetMessageBoxHook(previous);
}

// The string exchanges of a list box and a drop-down list read the selected item's text.
TEST(DataExchangeTest, ListStringsReadTheSelectedItem)
{
    CDialog dialog;
    ASSERT_TRUE(dialog.Create(IDD_MODELESS));
    CRect rect(0, 0, 200, 100);
    CListBox list;
    ASSERT_TRUE(list.Create(WS_CHILD | LBS_HASSTRINGS, rect, &dialog, 3201));
    CComboBox combo;
    ASSERT_TRUE(combo.Create(WS_CHILD | CBS_DROPDOWNLIST, rect, &dialog, 3202));
    const char* const kItems[] = { "沪市", "深市A股" };
    for (const char* item : kItems) {
        list.AddString(item);
        combo.AddString(item);
    }
    CDataExchange save(&dialog, TRUE);
    for (int selected : { 1, 0, -1 }) {
        SCOPED_TRACE(selected);
        list.SetCurSel(selected);
        combo.SetCurSel(selected);
        const char* expected = selected < 0 ? "" : kItems[selected];
        CString value = "stale";
        DDX_LBString(&save, 3201, value);
        EXPECT_STREQ(value, expected);
        value = "stale";
        DDX_CBString(&save, 3202, value);
        EXPECT_STREQ(value, expected);
    }
    dialog.DestroyWindow();
}

// ---------------------------------------------------------------------------------------

std::string g_filter;
BOOL g_wasOpen = FALSE;

INT_PTR CALLBACK ChooseFile(OPENFILENAME* pOfn, BOOL bOpenFileDialog)
{
    g_wasOpen = bOpenFileDialog;
    // The filter ends with two NULs.
    const char* end = pOfn->lpstrFilter;
    while (end[0] != '\0' || end[1] != '\0')
        ++end;
    g_filter.assign(pOfn->lpstrFilter, end + 1);
    lstrcpynA(pOfn->lpstrFile, "C:\\导出\\持仓.txt", pOfn->nMaxFile);
    return IDOK;
}

TEST(FileDialogTest, TheHookAnswersAndTheNamesAreTakenApart)
{
    AFX_FILEDIALOG_HOOK previous = AfxSetFileDialogHook(&ChooseFile);
    CFileDialog dialog(FALSE, "txt", "持仓.txt", OFN_OVERWRITEPROMPT, "文本文件 (*.txt)|*.txt|所有文件|*.*||");
    ASSERT_EQ(dialog.DoModal(), IDOK);
    EXPECT_FALSE(g_wasOpen);
    // Bars become NULs; a trail byte equal to '|' would not (GBK texts).
    const char* f = g_filter.c_str();
    EXPECT_STREQ(f, "文本文件 (*.txt)");
    f += strlen(f) + 1;
    EXPECT_STREQ(f, "*.txt");
    f += strlen(f) + 1;
    EXPECT_STREQ(f, "所有文件");

    EXPECT_STREQ(dialog.GetPathName(), "C:\\导出\\持仓.txt");
    EXPECT_STREQ(dialog.GetFileName(), "持仓.txt");
    EXPECT_STREQ(dialog.GetFileExt(), "txt");
    EXPECT_STREQ(dialog.GetFileTitle(), "持仓");
    EXPECT_STREQ(dialog.GetFolderPath(), "C:\\导出");
    AfxSetFileDialogHook(previous);
}

}  // namespace

// ---------------------------------------------------------------------------------------
// Double-byte texts survive the wrappers' length arithmetic (controls count characters,
// the ANSI texts have two bytes for each Chinese one).

TEST(ControlTextTest, ChineseTextsComeBackWhole)
{
    const char kText[] = "沪深A股 600000";
    CDialog dialog;
    ASSERT_TRUE(dialog.Create(IDD_MODELESS));
    CRect rect(0, 0, 200, 100);

    CEdit edit;
    ASSERT_TRUE(edit.Create(WS_CHILD, rect, &dialog, 3001));
    edit.SetWindowText(kText);
    CString text;
    edit.GetWindowText(text);
    EXPECT_STREQ(text, kText);
    EXPECT_EQ(dialog.GetDlgItemText(3001, text), (int)strlen(kText));
    EXPECT_STREQ(text, kText);

    CListBox list;
    ASSERT_TRUE(list.Create(WS_CHILD | LBS_HASSTRINGS, rect, &dialog, 3002));
    list.AddString(kText);
    list.GetText(0, text);
    EXPECT_STREQ(text, kText);

    CComboBox combo;
    ASSERT_TRUE(combo.Create(WS_CHILD | CBS_DROPDOWNLIST, rect, &dialog, 3003));
    combo.AddString(kText);
    combo.GetLBText(0, text);
    EXPECT_STREQ(text, kText);

    CListCtrl listView;
    ASSERT_TRUE(listView.Create(WS_CHILD | LVS_REPORT, rect, &dialog, 3004));
    listView.InsertColumn(0, "代码", LVCFMT_LEFT, 80);
    listView.InsertItem(0, kText);
    EXPECT_STREQ(listView.GetItemText(0, 0), kText);

    CTreeCtrl tree;
    ASSERT_TRUE(tree.Create(WS_CHILD, rect, &dialog, 3005));
    HTREEITEM hItem = tree.InsertItem(kText);
    EXPECT_STREQ(tree.GetItemText(hItem), kText);

    CStatusBarCtrl status;
    ASSERT_TRUE(status.Create(WS_CHILD, rect, &dialog, 3006));
    status.SetText(kText, 0, 0);
    EXPECT_STREQ(status.GetText(0), kText);

    dialog.DestroyWindow();
}

// A picker's range goes to the control and comes back in the time type it was set with;
// an end not given is left open and the caller's object for it untouched.
TEST(DateTimeRangeTest, EndsSetInEitherTimeTypeComeBack)
{
    CDialog dialog;
    ASSERT_TRUE(dialog.Create(IDD_MODELESS));
    CDateTimeCtrl picker;
    ASSERT_TRUE(picker.Create(WS_CHILD, CRect(0, 0, 200, 30), &dialog, 3101));

    COleDateTime oleMin(2026, 1, 5, 0, 0, 0), oleMax(2026, 12, 31, 0, 0, 0);
    ASSERT_TRUE(picker.SetRange(&oleMin, &oleMax));
    COleDateTime oleLow, oleHigh;
    EXPECT_EQ(picker.GetRange(&oleLow, &oleHigh), (DWORD)(GDTR_MIN | GDTR_MAX));
    EXPECT_EQ(oleLow, oleMin);
    EXPECT_EQ(oleHigh, oleMax);

    CTime timeMin(2027, 3, 1, 0, 0, 0);
    ASSERT_TRUE(picker.SetRange(&timeMin, NULL));
    CTime untouched(2000, 1, 1, 0, 0, 0);
    CTime timeLow, timeHigh = untouched;
    EXPECT_EQ(picker.GetRange(&timeLow, &timeHigh), (DWORD)GDTR_MIN);
    EXPECT_EQ(timeLow, timeMin);
    EXPECT_EQ(timeHigh, untouched);

    dialog.DestroyWindow();
}

// ---------------------------------------------------------------------------------------

TEST(DialogExTest, BackgroundColourPaintsTheDialogAndItsLabels)
{
    CDialogEx dialog(IDD_REFLECT);
    ASSERT_TRUE(dialog.Create(IDD_REFLECT));
    dialog.SetBackgroundColor(RGB(10, 20, 30));
    HDC hDC = ::GetDC(dialog.m_hWnd);

    HBRUSH hbrDialog = (HBRUSH)dialog.SendMessage(WM_CTLCOLORDLG, (WPARAM)hDC, (LPARAM)dialog.m_hWnd);
    LOGBRUSH lb;
    ASSERT_TRUE(::GetObjectA(hbrDialog, sizeof(lb), &lb));
    EXPECT_EQ(lb.lbColor, RGB(10, 20, 30));

    HWND hWndLabel = ::GetDlgItem(dialog.m_hWnd, IDC_STATIC_PLAIN);
    EXPECT_EQ((HBRUSH)dialog.SendMessage(WM_CTLCOLORSTATIC, (WPARAM)hDC, (LPARAM)hWndLabel), hbrDialog);
    EXPECT_EQ(::GetBkMode(hDC), TRANSPARENT);

    // Edits keep their own colours.
    HWND hWndEdit = ::GetDlgItem(dialog.m_hWnd, IDC_EDIT_PLAIN);
    EXPECT_NE((HBRUSH)dialog.SendMessage(WM_CTLCOLOREDIT, (WPARAM)hDC, (LPARAM)hWndEdit), hbrDialog);
    ::ReleaseDC(dialog.m_hWnd, hDC);
    dialog.DestroyWindow();
}

// ---------------------------------------------------------------------------------------

struct ThreadProbe {
    CWinThread* seenThread = nullptr;
    CWinApp* seenApp = nullptr;
    HINSTANCE seenResources = NULL;
};

UINT AFX_CDECL ProbeThread(LPVOID pParam)
{
    ThreadProbe* probe = static_cast<ThreadProbe*>(pParam);
    probe->seenThread = AfxGetThread();
    probe->seenApp = AfxGetApp();
    probe->seenResources = AfxGetResourceHandle();
    return 17;
}

TEST(WorkerThreadTest, AWorkerKnowsItsThreadObjectAndTheApplication)
{
    ThreadProbe probe;
    CWinThread* pThread = AfxBeginThread(&ProbeThread, &probe, THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED);
    ASSERT_NE(pThread, (CWinThread*)NULL);
    pThread->m_bAutoDelete = FALSE;   // kept to read its exit code
    pThread->ResumeThread();
    ASSERT_EQ(::WaitForSingleObject(pThread->m_hThread, 30000), WAIT_OBJECT_0);
    DWORD exitCode = 0;
    ::GetExitCodeThread(pThread->m_hThread, &exitCode);
    EXPECT_EQ(exitCode, 17u);
    EXPECT_EQ(probe.seenThread, pThread);
    EXPECT_EQ(probe.seenApp, &theApp);
    EXPECT_EQ(probe.seenResources, ::GetModuleHandle(NULL));
    delete pThread;
}
