// Handle maps and attaching: temporary objects for foreign windows, objects attached while
// their window is created, subclassed dialog controls, self-deleting modeless dialogs, what
// PreSubclassWindow sees, and the run-time classes of window objects.
#include "windows_test_app.h"
#include "windows_test_resources.h"

#include <afxcmn.h>
#include <afxdialogex.h>
#include <afxext.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

TEST(HandleMapTest, ForeignWindowsGetTemporaryObjects)
{
    HWND hWnd = ::CreateWindowExA(0, "STATIC", "foreign", WS_POPUP, 0, 0, 10, 10, NULL, NULL,
                                  ::GetModuleHandle(NULL), NULL);
    ASSERT_NE(hWnd, (HWND)NULL);
    EXPECT_EQ(CWnd::FromHandlePermanent(hWnd), (CWnd*)NULL);
    CWnd* pTemporary = CWnd::FromHandle(hWnd);
    ASSERT_NE(pTemporary, (CWnd*)NULL);
    EXPECT_EQ(pTemporary->m_hWnd, hWnd);
    EXPECT_EQ(CWnd::FromHandle(hWnd), pTemporary);   // the same one until cleaned up
    EXPECT_EQ(CWnd::FromHandle(NULL), (CWnd*)NULL);
    // MFC code asks NULL pointers for their handle.
    static CWnd* volatile s_none = NULL;
    EXPECT_EQ(s_none->GetSafeHwnd(), (HWND)NULL);

    CWnd::DeleteTempMap();
    CWnd* pAgain = CWnd::FromHandle(hWnd);
    ASSERT_NE(pAgain, (CWnd*)NULL);
    EXPECT_EQ(pAgain->m_hWnd, hWnd);
    ::DestroyWindow(hWnd);
}

class CCreationProbe : public CWnd
{
public:
    std::vector<std::string> trace;
    bool permanentInOnCreate = false;
    int failCreate = 0;
    int postNcDestroyCalls = 0;

protected:
    void PreSubclassWindow() override { trace.push_back("PreSubclassWindow"); }
    void PostNcDestroy() override { ++postNcDestroyCalls; }

    afx_msg BOOL OnNcCreate(LPCREATESTRUCT lpCreateStruct)
    {
        trace.push_back("OnNcCreate");
        return CWnd::OnNcCreate(lpCreateStruct);
    }
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct)
    {
        trace.push_back("OnCreate");
        permanentInOnCreate = CWnd::FromHandlePermanent(m_hWnd) == this;
        if (failCreate)
            return -1;
        return CWnd::OnCreate(lpCreateStruct);
    }

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CCreationProbe, CWnd)
    ON_WM_NCCREATE()
    ON_WM_CREATE()
END_MESSAGE_MAP()

TEST(HandleMapTest, ObjectsAreAttachedWhileTheirWindowIsCreated)
{
    CCreationProbe probe;
    ASSERT_TRUE(probe.CreateEx(0, AfxRegisterWndClass(CS_DBLCLKS), "probe", WS_POPUP, 0, 0, 20, 20,
                               NULL, NULL));
    EXPECT_EQ(probe.trace, (std::vector<std::string>{ "PreSubclassWindow", "OnNcCreate", "OnCreate" }));
    EXPECT_TRUE(probe.permanentInOnCreate);
    EXPECT_EQ(CWnd::FromHandlePermanent(probe.m_hWnd), &probe);

    HWND hWnd = probe.m_hWnd;
    EXPECT_TRUE(probe.DestroyWindow());
    EXPECT_EQ(probe.m_hWnd, (HWND)NULL);
    EXPECT_EQ(probe.postNcDestroyCalls, 1);
    EXPECT_EQ(CWnd::FromHandlePermanent(hWnd), (CWnd*)NULL);

    // A window refusing its creation leaves the object detached.
    CCreationProbe refusing;
    refusing.failCreate = 1;
    EXPECT_FALSE(refusing.CreateEx(0, AfxRegisterWndClass(0), "refusing", WS_POPUP, 0, 0, 20, 20,
                                   NULL, NULL));
    EXPECT_EQ(refusing.m_hWnd, (HWND)NULL);
    EXPECT_EQ(refusing.postNcDestroyCalls, 1);
}

const UINT WM_PROBE = WM_APP + 7;

class CCountingEdit : public CEdit
{
public:
    int chars = 0;

protected:
    afx_msg LRESULT OnProbe(WPARAM, LPARAM) { return 7; }
    afx_msg void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags)
    {
        ++chars;
        CEdit::OnChar(nChar, nRepCnt, nFlags);   // the edit still types the character
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CCountingEdit, CEdit)
    ON_MESSAGE(WM_PROBE, &CCountingEdit::OnProbe)
    ON_WM_CHAR()
END_MESSAGE_MAP()

class CCountingButton : public CButton
{
protected:
    afx_msg LRESULT OnProbe(WPARAM, LPARAM) { return 8; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CCountingButton, CButton)
    ON_MESSAGE(WM_PROBE, &CCountingButton::OnProbe)
END_MESSAGE_MAP()

class CControlsDialog : public CDialog
{
public:
    CControlsDialog() : CDialog(IDD_MODAL) {}

    CCountingEdit m_edit;
    CCountingButton m_button;

protected:
    void DoDataExchange(CDataExchange* pDX) override
    {
        CDialog::DoDataExchange(pDX);
        DDX_Control(pDX, IDC_EDIT, m_edit);
    }
    BOOL OnInitDialog() override
    {
        CDialog::OnInitDialog();
        m_button.SubclassDlgItem(IDC_BUTTON, this);
        return TRUE;
    }
};

TEST(HandleMapTest, SubclassedDialogControlsReceiveTheirMessages)
{
    CControlsDialog dialog;
    ASSERT_TRUE(dialog.Create(IDD_MODAL));
    HWND hWndEdit = ::GetDlgItem(dialog.m_hWnd, IDC_EDIT);
    ASSERT_EQ(dialog.m_edit.m_hWnd, hWndEdit);
    EXPECT_EQ(CWnd::FromHandlePermanent(hWndEdit), &dialog.m_edit);
    EXPECT_EQ(dialog.GetDlgItem(IDC_EDIT), &dialog.m_edit);
    EXPECT_EQ(dialog.GetDlgItem(IDC_BUTTON), &dialog.m_button);

    EXPECT_EQ(::SendMessageA(hWndEdit, WM_PROBE, 0, 0), 7);
    EXPECT_EQ(::SendMessageA(dialog.m_button.m_hWnd, WM_PROBE, 0, 0), 8);
    ::SendMessageA(hWndEdit, WM_CHAR, 'x', 1);
    EXPECT_EQ(dialog.m_edit.chars, 1);
    CString text;
    dialog.m_edit.GetWindowText(text);
    EXPECT_STREQ(text, "x");

    // Destroying the dialog detaches the controls' objects.
    dialog.DestroyWindow();
    EXPECT_EQ(dialog.m_edit.m_hWnd, (HWND)NULL);
    EXPECT_EQ(dialog.m_button.m_hWnd, (HWND)NULL);
    EXPECT_EQ(CWnd::FromHandlePermanent(hWndEdit), (CWnd*)NULL);
}

// Records what PreSubclassWindow sees: an override tells a window being created (it is the
// thread's object being created) from an existing window being subclassed.
class CSubclassProbe : public CWnd
{
public:
    int calls = 0;
    bool hadWindow = false;
    bool beingCreated = false;

protected:
    void PreSubclassWindow() override
    {
        ++calls;
        hadWindow = m_hWnd != NULL;
        beingCreated = AfxGetThreadState()->m_pWndInit == this;
        CWnd::PreSubclassWindow();
    }
};

class CSubclassingDialog : public CDialog
{
public:
    CSubclassingDialog() : CDialog(IDD_MODAL) {}

    CSubclassProbe m_exchanged;
    CSubclassProbe m_subclassed;

protected:
    void DoDataExchange(CDataExchange* pDX) override
    {
        CDialog::DoDataExchange(pDX);
        DDX_Control(pDX, IDC_EDIT, m_exchanged);
    }
    BOOL OnInitDialog() override
    {
        CDialog::OnInitDialog();
        m_subclassed.SubclassDlgItem(IDC_BUTTON, this);
        return TRUE;
    }
};

TEST(HandleMapTest, PreSubclassWindowTellsCreationFromSubclassing)
{
    CSubclassProbe created;
    ASSERT_TRUE(created.CreateEx(0, AfxRegisterWndClass(0), "created", WS_POPUP, 0, 0, 20, 20,
                                 NULL, NULL));
    EXPECT_EQ(AfxGetThreadState()->m_pWndInit, (CWnd*)NULL);   // cleared once attached

    HWND hWndPlain = ::CreateWindowExA(0, "STATIC", "plain", WS_POPUP, 0, 0, 10, 10, NULL,
                                       NULL, ::GetModuleHandle(NULL), NULL);
    CSubclassProbe subclassed;
    ASSERT_TRUE(subclassed.SubclassWindow(hWndPlain));

    CSubclassingDialog dialog;
    ASSERT_TRUE(dialog.Create(IDD_MODAL));

    struct Case {
        const char* way;
        const CSubclassProbe& probe;
        bool beingCreated;
    };
    const Case cases[] = {
        { "CreateEx", created, true },
        { "SubclassWindow", subclassed, false },
        { "DDX_Control", dialog.m_exchanged, false },
        { "SubclassDlgItem", dialog.m_subclassed, false },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.way);
        EXPECT_EQ(c.probe.calls, 1);
        EXPECT_TRUE(c.probe.hadWindow);
        EXPECT_EQ(c.probe.beingCreated, c.beingCreated);
    }
    dialog.DestroyWindow();
    subclassed.DestroyWindow();
    created.DestroyWindow();
}

class CDerivedEdit : public CEdit
{
    DECLARE_DYNAMIC(CDerivedEdit)
};
IMPLEMENT_DYNAMIC(CDerivedEdit, CEdit)

TEST(RuntimeClassTest, IsKindOfFollowsTheWindowClassHierarchy)
{
    CDerivedEdit derivedEdit;
    CEdit edit;
    CDialog dialog;
    CDialogEx dialogEx;
    CStatusBar statusBar;
    CBitmapButton bitmapButton;
    CListCtrl list;
    HWND hWndForeign = ::CreateWindowExA(0, "EDIT", "", WS_POPUP, 0, 0, 10, 10, NULL, NULL,
                                         ::GetModuleHandle(NULL), NULL);
    CWnd* pTemporary = CWnd::FromHandle(hWndForeign);   // a plain CWnd, whatever the window

    struct Case {
        const char* what;
        const CObject* object;
        CRuntimeClass* cls;
        bool expected;
    };
    const Case cases[] = {
        { "derived edit is an edit", &derivedEdit, RUNTIME_CLASS(CEdit), true },
        { "derived edit is a window", &derivedEdit, RUNTIME_CLASS(CWnd), true },
        { "derived edit is a command target", &derivedEdit, RUNTIME_CLASS(CCmdTarget), true },
        { "derived edit is an object", &derivedEdit, RUNTIME_CLASS(CObject), true },
        { "derived edit is no list box", &derivedEdit, RUNTIME_CLASS(CListBox), false },
        { "an edit is no derived edit", &edit, RUNTIME_CLASS(CDerivedEdit), false },
        { "dialog-ex is a dialog", &dialogEx, RUNTIME_CLASS(CDialog), true },
        { "a dialog is no dialog-ex", &dialog, RUNTIME_CLASS(CDialogEx), false },
        { "dialog is a window", &dialog, RUNTIME_CLASS(CWnd), true },
        { "status bar is a control bar", &statusBar, RUNTIME_CLASS(CControlBar), true },
        { "bitmap button is a button", &bitmapButton, RUNTIME_CLASS(CButton), true },
        { "list control is no list box", &list, RUNTIME_CLASS(CListBox), false },
        { "temporary object is a window", pTemporary, RUNTIME_CLASS(CWnd), true },
        { "temporary object is no edit", pTemporary, RUNTIME_CLASS(CEdit), false },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(c.object->IsKindOf(c.cls) != FALSE, c.expected);
    }
    EXPECT_STREQ(derivedEdit.GetRuntimeClass()->m_lpszClassName, "CDerivedEdit");
    ::DestroyWindow(hWndForeign);
}

int g_liveSelfDeleting = 0;

class CSelfDeletingDialog : public CDialog
{
public:
    CSelfDeletingDialog() { ++g_liveSelfDeleting; }
    ~CSelfDeletingDialog() override { --g_liveSelfDeleting; }

protected:
    void PostNcDestroy() override { delete this; }
};

TEST(HandleMapTest, ModelessDialogsDeleteThemselvesAfterTheirWindow)
{
    CSelfDeletingDialog* pDialog = new CSelfDeletingDialog;
    ASSERT_TRUE(pDialog->Create(IDD_MODELESS));
    EXPECT_EQ(g_liveSelfDeleting, 1);
    pDialog->DestroyWindow();
    EXPECT_EQ(g_liveSelfDeleting, 0);

    // Also when someone else destroys the window.
    pDialog = new CSelfDeletingDialog;
    ASSERT_TRUE(pDialog->Create(IDD_MODELESS));
    ::DestroyWindow(pDialog->GetSafeHwnd());
    EXPECT_EQ(g_liveSelfDeleting, 0);
}

}  // namespace
