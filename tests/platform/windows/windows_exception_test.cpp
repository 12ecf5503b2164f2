// Exceptions that handlers let out: caught in the window procedure whatever their type,
// reported once, and never leaving behind a wrong current message or a disabled owner.
#include "windows_test_app.h"
#include "windows_test_resources.h"

#include "testsupport/MessageBoxScript.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace {

using tolvan::test::MessageBoxScript;

enum ThrowKind { kLayerException, kUserException, kStdException, kOtherType };

[[noreturn]] void ThrowOf(WPARAM kind)
{
    switch (kind) {
    case kLayerException:
        AfxThrowNotSupportedException();
        break;
    case kUserException:
        AfxThrowUserException();
        break;
    case kStdException:
        throw std::runtime_error("处理程序出错");
    default:
        break;
    }
    throw 42;
}

const UINT WM_THROW = WM_APP + 20;   // wParam: the kind
const UINT WM_OUTER = WM_APP + 21;   // sends WM_THROW (kind wParam) to itself

class CThrowingWnd : public CWnd
{
public:
    UINT messageAfterNestedThrow = 0;
    bool throwInCreate = false;

protected:
    afx_msg LRESULT OnThrow(WPARAM wParam, LPARAM) { ThrowOf(wParam); }
    afx_msg LRESULT OnOuter(WPARAM wParam, LPARAM)
    {
        ::SendMessageA(m_hWnd, WM_THROW, wParam, 0);
        messageAfterNestedThrow = GetCurrentMessage()->message;
        return 5;
    }
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct)
    {
        if (throwInCreate)
            throw std::logic_error("创建失败");
        return CWnd::OnCreate(lpCreateStruct);
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CThrowingWnd, CWnd)
    ON_MESSAGE(WM_THROW, &CThrowingWnd::OnThrow)
    ON_MESSAGE(WM_OUTER, &CThrowingWnd::OnOuter)
    ON_WM_CREATE()
END_MESSAGE_MAP()

TEST(HandlerExceptionTest, EveryTypeIsCaughtReportedAndTheOuterMessageRestored)
{
    struct Case {
        ThrowKind kind;
        const char* name;
        const char* report;   // NULL: no box
    };
    const Case cases[] = {
        { kLayerException, "layer exception", "不支持此操作。" },
        { kUserException, "user exception (the user was told already)", NULL },
        { kStdException, "standard exception", "处理程序出错" },
        { kOtherType, "exception of another type", "发生了未知错误。" },
    };
    CThrowingWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, AfxRegisterWndClass(0), "throwing", WS_POPUP, 0, 0, 20, 20,
                             NULL, NULL));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        MessageBoxScript boxes;
        wnd.messageAfterNestedThrow = 0;
        EXPECT_EQ(::SendMessageA(wnd.m_hWnd, WM_THROW, c.kind, 0), 0);
        EXPECT_EQ(::SendMessageA(wnd.m_hWnd, WM_OUTER, c.kind, 0), 5);
        EXPECT_EQ(wnd.messageAfterNestedThrow, WM_OUTER);
        if (c.report == NULL) {
            EXPECT_EQ(boxes.Count(), 0u);
        } else {
            ASSERT_EQ(boxes.Count(), 2u);
            EXPECT_EQ(boxes.Last().text, c.report);
            EXPECT_EQ(boxes.Last().type & MB_ICONMASK, (UINT)MB_ICONEXCLAMATION);
        }
    }
    wnd.DestroyWindow();

    // Thrown from OnCreate: the creation fails and the object is left without a window.
    MessageBoxScript boxes;
    CThrowingWnd refusing;
    refusing.throwInCreate = true;
    EXPECT_FALSE(refusing.CreateEx(0, AfxRegisterWndClass(0), "refusing", WS_POPUP, 0, 0, 20,
                                   20, NULL, NULL));
    EXPECT_EQ(refusing.m_hWnd, (HWND)NULL);
    ASSERT_EQ(boxes.Count(), 1u);
    EXPECT_EQ(boxes.Last().text, "创建失败");
}

// ---------------------------------------------------------------------------------------
// Modal dialogs

const UINT WM_THROW_IN_LOOP = WM_APP + 22;

class CFailingDialog : public CDialog
{
public:
    enum Failure { kInInitDialog, kInPreTranslateMessage };
    CFailingDialog(Failure failure, CWnd* pOwner) : CDialog(IDD_MODAL, pOwner), m_failure(failure) {}

    BOOL PreTranslateMessage(MSG* pMsg) override
    {
        if (pMsg->message == WM_THROW_IN_LOOP)
            throw std::runtime_error("loop");
        return CDialog::PreTranslateMessage(pMsg);
    }

protected:
    BOOL OnInitDialog() override
    {
        CDialog::OnInitDialog();
        ArmSafetyTimer(*this);
        if (m_failure == kInInitDialog)
            throw std::runtime_error("初始化失败");
        PostMessage(WM_THROW_IN_LOOP);
        return TRUE;
    }
    afx_msg void OnTimer(UINT_PTR) { EndDialog(kTimedOut); }

    Failure m_failure;
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CFailingDialog, CDialog)
    ON_WM_TIMER()
END_MESSAGE_MAP()

class ModalFailureTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(owner.CreateEx(0, AfxRegisterWndClass(0), "owner", WS_POPUP | WS_VISIBLE,
                                   0, 0, 50, 50, NULL, NULL));
    }
    void TearDown() override { owner.DestroyWindow(); }

    CWnd owner;
};

TEST_F(ModalFailureTest, AnExceptionInOnInitDialogEndsTheDialogAsFailed)
{
    MessageBoxScript boxes;
    CFailingDialog dialog(CFailingDialog::kInInitDialog, &owner);
    EXPECT_EQ(dialog.DoModal(), -1);
    EXPECT_EQ(dialog.m_hWnd, (HWND)NULL);
    EXPECT_TRUE(owner.IsWindowEnabled());
    ASSERT_EQ(boxes.Count(), 1u);
    EXPECT_EQ(boxes.Last().text, "初始化失败");
}

TEST_F(ModalFailureTest, AnExceptionLeavingTheLoopEnablesTheOwnerAndTakesTheDialogAway)
{
    CFailingDialog dialog(CFailingDialog::kInPreTranslateMessage, &owner);
    EXPECT_THROW(dialog.DoModal(), std::runtime_error);
    EXPECT_TRUE(owner.IsWindowEnabled());
    EXPECT_EQ(dialog.m_hWnd, (HWND)NULL);
    EXPECT_EQ(dialog.m_nFlags & (WF_CONTINUEMODAL | WF_MODALLOOP), 0u);

    // The owner can run the next modal dialog as usual.
    CFailingDialog next(CFailingDialog::kInInitDialog, &owner);
    MessageBoxScript boxes;
    EXPECT_EQ(next.DoModal(), -1);
    EXPECT_TRUE(owner.IsWindowEnabled());
}

}  // namespace
