// The modal loop of CDialog::DoModal: pre-translation order, ending the loop, visibility
// after OnInitDialog, timers and cross-thread SendMessage in nested loops.
#include "windows_test_app.h"
#include "windows_test_resources.h"

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

namespace {

const UINT WM_END_WITH = WM_APP + 1;   // wParam: the result

// ---------------------------------------------------------------------------------------
// Pre-translation: application, then the target window, then its parents

std::vector<std::string>* g_trace = nullptr;

class CTracingEdit : public CEdit
{
public:
    BOOL PreTranslateMessage(MSG* pMsg) override
    {
        if (pMsg->message == WM_KEYDOWN && g_trace != nullptr)
            g_trace->push_back("edit");
        return CEdit::PreTranslateMessage(pMsg);
    }
};

class CKeyDialog : public CDialog
{
public:
    explicit CKeyDialog(UINT key) : CDialog(IDD_MODAL), m_key(key) {}

    CTracingEdit m_edit;

    BOOL PreTranslateMessage(MSG* pMsg) override
    {
        if (pMsg->message == WM_KEYDOWN && g_trace != nullptr)
            g_trace->push_back("dialog");
        return CDialog::PreTranslateMessage(pMsg);
    }

protected:
    void DoDataExchange(CDataExchange* pDX) override
    {
        CDialog::DoDataExchange(pDX);
        DDX_Control(pDX, IDC_EDIT, m_edit);
    }

    BOOL OnInitDialog() override
    {
        CDialog::OnInitDialog();
        ArmSafetyTimer(*this);
        // Queued before the loop runs: the key, then the message that ends the loop.
        m_edit.PostMessage(WM_KEYDOWN, m_key, 0x00010001);
        PostMessage(WM_END_WITH, IDOK);
        return TRUE;
    }

    afx_msg LRESULT OnEndWith(WPARAM wParam, LPARAM)
    {
        EndDialog((int)wParam);
        return 0;
    }
    afx_msg void OnTimer(UINT_PTR)
    {
        EndDialog(kTimedOut);
    }

    UINT m_key;
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CKeyDialog, CDialog)
    ON_MESSAGE(WM_END_WITH, &CKeyDialog::OnEndWith)
    ON_WM_TIMER()
END_MESSAGE_MAP()

class ModalPreTranslateTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        g_trace = &trace;
        theApp.preTranslateObserver = [this](const MSG& msg) {
            if (msg.message == WM_KEYDOWN) {
                trace.push_back("app");
                keyTargets.push_back(msg.hwnd);
            }
        };
    }
    void TearDown() override
    {
        theApp.preTranslateObserver = nullptr;
        g_trace = nullptr;
    }

    std::vector<std::string> trace;
    std::vector<HWND> keyTargets;
};

TEST_F(ModalPreTranslateTest, KeysGoThroughTheApplicationThenTheTargetThenItsParents)
{
    CKeyDialog dialog(VK_F7);
    HWND hWndEdit = NULL;
    theApp.preTranslateObserver = [&](const MSG& msg) {
        if (msg.message == WM_KEYDOWN) {
            trace.push_back("app");
            hWndEdit = dialog.m_edit.m_hWnd;
            keyTargets.push_back(msg.hwnd);
        }
    };
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(trace, (std::vector<std::string>{ "app", "edit", "dialog" }));
    ASSERT_EQ(keyTargets.size(), 1u);
    EXPECT_EQ(keyTargets[0], hWndEdit);
}

TEST_F(ModalPreTranslateTest, DialogNavigationKeysReachIsDialogMessage)
{
    // Escape in the edit becomes IDCANCEL only through IsDialogMessage.
    CKeyDialog dialog(VK_ESCAPE);
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_EQ(trace, (std::vector<std::string>{ "app", "edit", "dialog" }));
}

// ---------------------------------------------------------------------------------------
// Ending the loop

class CEndingDialog : public CDialog
{
public:
    enum Ending { kCloseMessage, kEndDialogValue };
    explicit CEndingDialog(Ending ending) : CDialog(IDD_MODAL), m_ending(ending) {}

    bool onCancelRan = false;

protected:
    BOOL OnInitDialog() override
    {
        CDialog::OnInitDialog();
        ArmSafetyTimer(*this);
        if (m_ending == kCloseMessage)
            PostMessage(WM_CLOSE);
        else
            PostMessage(WM_END_WITH, 1234);
        return TRUE;
    }

    void OnCancel() override
    {
        onCancelRan = true;
        CDialog::OnCancel();
    }

    afx_msg LRESULT OnEndWith(WPARAM wParam, LPARAM)
    {
        EndDialog((int)wParam);
        return 0;
    }
    afx_msg void OnTimer(UINT_PTR)
    {
        EndDialog(kTimedOut);
    }

    Ending m_ending;
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CEndingDialog, CDialog)
    ON_MESSAGE(WM_END_WITH, &CEndingDialog::OnEndWith)
    ON_WM_TIMER()
END_MESSAGE_MAP()

TEST(ModalEndingTest, CloseBecomesCancel)
{
    CEndingDialog dialog(CEndingDialog::kCloseMessage);
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_TRUE(dialog.onCancelRan);
    EXPECT_EQ(dialog.m_hWnd, (HWND)NULL);
}

TEST(ModalEndingTest, EndDialogValueIsReturned)
{
    CEndingDialog dialog(CEndingDialog::kEndDialogValue);
    EXPECT_EQ(dialog.DoModal(), 1234);
    EXPECT_FALSE(dialog.onCancelRan);
}

TEST(ModalEndingTest, MissingTemplateFailsWithoutALoop)
{
    CDialog dialog(4242);
    EXPECT_EQ(dialog.DoModal(), -1);
}

// ---------------------------------------------------------------------------------------
// Visibility after OnInitDialog

class CVisibilityDialog : public CDialog
{
public:
    enum Init { kLeaveAlone, kHideThroughClass, kHideThroughSystem, kOwnRegion };
    CVisibilityDialog(UINT nIDTemplate, Init init) : CDialog(nIDTemplate), m_init(init) {}

    int idlePasses = 0;
    bool visibleWhenIdle = false;
    int regionWhenIdle = ERROR;

    int RegionType() const
    {
        HRGN hRgn = ::CreateRectRgn(0, 0, 0, 0);
        int type = ::GetWindowRgn(m_hWnd, hRgn);
        ::DeleteObject(hRgn);
        return type;
    }

protected:
    BOOL OnInitDialog() override
    {
        CDialog::OnInitDialog();
        if (m_init == kHideThroughClass)
            ShowWindow(SW_HIDE);
        else if (m_init == kHideThroughSystem)
            ::ShowWindow(m_hWnd, SW_HIDE);
        else if (m_init == kOwnRegion)
            SetWindowRgn(::CreateRectRgn(0, 0, 100, 60), FALSE);
        if (m_nFlags & WF_CONTINUEMODAL) {
            ArmSafetyTimer(*this);
            SetTimer(1, 20, NULL);
        }
        return TRUE;
    }

    afx_msg LRESULT OnKickIdle(WPARAM, LPARAM)
    {
        ++idlePasses;
        return 0;
    }

    afx_msg void OnTimer(UINT_PTR nIDEvent)
    {
        if (nIDEvent == kSafetyTimer) {
            EndDialog(kTimedOut);
        } else if (idlePasses > 0) {
            // The loop has been idle, when it shows dialogs that did not hide themselves.
            visibleWhenIdle = IsWindowVisible() != FALSE;
            regionWhenIdle = RegionType();
            EndDialog(IDOK);
        }
    }

    Init m_init;
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CVisibilityDialog, CDialog)
    ON_MESSAGE(WM_KICKIDLE, &CVisibilityDialog::OnKickIdle)
    ON_WM_TIMER()
END_MESSAGE_MAP()

TEST(ModalVisibilityTest, ADialogHiddenByItsInitialisationStaysHidden)
{
    struct Case {
        CVisibilityDialog::Init init;
        const char* what;
        bool visible;
        int region;   // the window region the dialog ends with
    };
    const Case cases[] = {
        { CVisibilityDialog::kLeaveAlone, "left alone", true, ERROR },
        { CVisibilityDialog::kHideThroughClass, "hidden by CWnd::ShowWindow", false, ERROR },
        { CVisibilityDialog::kHideThroughSystem, "hidden by ::ShowWindow", false, ERROR },
        { CVisibilityDialog::kOwnRegion, "given a region of its own", true, SIMPLEREGION },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        CVisibilityDialog modal(IDD_MODAL, c.init);
        EXPECT_EQ(modal.DoModal(), IDOK);
        EXPECT_EQ(modal.visibleWhenIdle, c.visible);
        EXPECT_EQ(modal.regionWhenIdle, c.region);

        // Modeless, from a template with WS_VISIBLE.
        CVisibilityDialog modeless(IDD_MODELESS_VISIBLE, c.init);
        ASSERT_TRUE(modeless.Create(IDD_MODELESS_VISIBLE));
        EXPECT_EQ(modeless.IsWindowVisible() != FALSE, c.visible);
        EXPECT_EQ(modeless.RegionType(), c.region);
        modeless.DestroyWindow();
    }
}

// ---------------------------------------------------------------------------------------
// Timers and cross-thread SendMessage keep flowing in nested modal loops

const UINT WM_RUN_INNER = WM_APP + 2;
const UINT WM_FROM_WORKER = WM_APP + 3;
const UINT WM_WORKER_DONE = WM_APP + 4;

class CInnerDialog : public CDialog
{
public:
    explicit CInnerDialog(CWnd* pParent) : CDialog(IDD_MODAL, pParent) {}
    ~CInnerDialog() override
    {
        if (m_worker.joinable())
            m_worker.join();
    }

    int ticks = 0;
    bool ownerDisabled = false;
    DWORD sentOnThread = 0;
    std::atomic<LRESULT> answer{ 0 };
    bool workerDone = false;

protected:
    BOOL OnInitDialog() override
    {
        CDialog::OnInitDialog();
        ArmSafetyTimer(*this);
        ownerDisabled = m_pParentWnd != NULL && !m_pParentWnd->IsWindowEnabled();
        SetTimer(1, 10, NULL);
        HWND hWnd = m_hWnd;
        m_worker = std::thread([this, hWnd] {
            // Blocks until the UI thread's loop dispatches it.
            answer = ::SendMessageA(hWnd, WM_FROM_WORKER, 0, 0);
            ::PostMessageA(hWnd, WM_WORKER_DONE, 0, 0);
        });
        return TRUE;
    }

    afx_msg LRESULT OnFromWorker(WPARAM, LPARAM)
    {
        sentOnThread = ::GetCurrentThreadId();
        return 42;
    }

    afx_msg LRESULT OnWorkerDone(WPARAM, LPARAM)
    {
        workerDone = true;
        MaybeEnd();
        return 0;
    }

    afx_msg void OnTimer(UINT_PTR nIDEvent)
    {
        if (nIDEvent == kSafetyTimer) {
            EndDialog(kTimedOut);
            return;
        }
        ++ticks;
        MaybeEnd();
    }

    void MaybeEnd()
    {
        if (ticks >= 3 && workerDone)
            EndDialog(77);
    }

    std::thread m_worker;
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CInnerDialog, CDialog)
    ON_MESSAGE(WM_FROM_WORKER, &CInnerDialog::OnFromWorker)
    ON_MESSAGE(WM_WORKER_DONE, &CInnerDialog::OnWorkerDone)
    ON_WM_TIMER()
END_MESSAGE_MAP()

class COuterDialog : public CDialog
{
public:
    COuterDialog() : CDialog(IDD_MODAL) {}

    INT_PTR innerResult = 0;
    CInnerDialog* inner = nullptr;
    bool enabledAfterInner = false;

protected:
    BOOL OnInitDialog() override
    {
        CDialog::OnInitDialog();
        PostMessage(WM_RUN_INNER);
        return TRUE;
    }

    afx_msg LRESULT OnRunInner(WPARAM, LPARAM)
    {
        innerResult = inner->DoModal();
        enabledAfterInner = IsWindowEnabled() != FALSE;
        EndDialog((int)innerResult);
        return 0;
    }

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(COuterDialog, CDialog)
    ON_MESSAGE(WM_RUN_INNER, &COuterDialog::OnRunInner)
END_MESSAGE_MAP()

TEST(NestedModalLoopTest, TimersAndCrossThreadSendMessageAreServed)
{
    COuterDialog outer;
    CInnerDialog inner(&outer);
    outer.inner = &inner;
    EXPECT_EQ(outer.DoModal(), 77);
    EXPECT_EQ(outer.innerResult, 77);
    EXPECT_GE(inner.ticks, 3);
    EXPECT_EQ(inner.answer.load(), 42);
    EXPECT_EQ(inner.sentOnThread, ::GetCurrentThreadId());
    EXPECT_TRUE(inner.ownerDisabled);
    EXPECT_TRUE(outer.enabledAfterInner);
}

// ---------------------------------------------------------------------------------------

TEST(AfxWinMainTest, RunsTheApplicationsInitInstanceAndReturnsItsExitCode)
{
    int before = theApp.initInstanceCalls;
    // The test application's InitInstance returns FALSE, as a dialog-based program does.
    EXPECT_EQ(AfxWinMain(::GetModuleHandle(NULL), NULL, (LPTSTR)"", SW_SHOWNORMAL), 0);
    EXPECT_EQ(theApp.initInstanceCalls, before + 1);
    EXPECT_EQ(AfxGetApp(), &theApp);
    EXPECT_EQ(AfxGetInstanceHandle(), ::GetModuleHandle(NULL));
    EXPECT_STREQ(theApp.m_pszAppName, "WindowsTest");
}

}  // namespace
