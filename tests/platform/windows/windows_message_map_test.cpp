// Message maps: command and notification routing, reflection to the sending control, and
// map chains whose base is not the C++ base class.
#include "windows_test_app.h"
#include "windows_test_resources.h"

#include <afxcmn.h>
#include <gtest/gtest.h>

#include <map>

namespace {

// ---------------------------------------------------------------------------------------
// Controls that handle their own notifications

class CReflectingEdit : public CEdit
{
public:
    int changes = 0;

protected:
    afx_msg void OnReflectedChange() { ++changes; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CReflectingEdit, CEdit)
    ON_CONTROL_REFLECT(EN_CHANGE, &CReflectingEdit::OnReflectedChange)
END_MESSAGE_MAP()

// Looks at the notification but lets the parent have it too.
class CPeekingEdit : public CEdit
{
public:
    int changes = 0;

protected:
    afx_msg BOOL OnReflectedChange()
    {
        ++changes;
        return FALSE;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CPeekingEdit, CEdit)
    ON_CONTROL_REFLECT_EX(EN_CHANGE, &CPeekingEdit::OnReflectedChange)
END_MESSAGE_MAP()

class CReflectingList : public CListCtrl
{
public:
    int itemChanges = 0;

protected:
    afx_msg void OnItemChanged(NMHDR* pNMHDR, LRESULT* pResult)
    {
        if (pNMHDR->hwndFrom == m_hWnd)
            ++itemChanges;
        *pResult = 0;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CReflectingList, CListCtrl)
    ON_NOTIFY_REFLECT(LVN_ITEMCHANGED, &CReflectingList::OnItemChanged)
END_MESSAGE_MAP()

class CColouredStatic : public CStatic
{
public:
    CColouredStatic() { m_brush.CreateSolidBrush(RGB(200, 30, 30)); }
    CBrush m_brush;
    UINT lastCtlType = 0xFFFF;

protected:
    afx_msg HBRUSH CtlColor(CDC* pDC, UINT nCtlColor)
    {
        lastCtlType = nCtlColor;
        pDC->SetTextColor(RGB(1, 2, 3));
        return (HBRUSH)m_brush.GetSafeHandle();
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CColouredStatic, CStatic)
    ON_WM_CTLCOLOR_REFLECT()
END_MESSAGE_MAP()

// An owner-drawn list box wrapped by a plain CWnd: only the map entry can measure it.
class CMeasuredListBox : public CWnd
{
public:
    int measured = 0;
    afx_msg void MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct)
    {
        ++measured;
        lpMeasureItemStruct->itemHeight = 31;
    }

protected:
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CMeasuredListBox, CWnd)
    ON_WM_MEASUREITEM_REFLECT()
END_MESSAGE_MAP()

// The same through CListBox's own virtual.
class CMeasuringListBox : public CListBox
{
public:
    int measured = 0;
    void MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct) override
    {
        ++measured;
        lpMeasureItemStruct->itemHeight = 27;
    }
};

// ---------------------------------------------------------------------------------------
// The parent

class CReflectDialog : public CDialog
{
public:
    CReflectDialog() : CDialog(IDD_REFLECT) {}

    CReflectingEdit m_reflecting;
    CEdit m_plain;
    CPeekingEdit m_peeking;
    CReflectingList m_listReflecting;
    CListCtrl m_listPlain;
    CColouredStatic m_coloured;

    std::map<UINT, int> parentChanges;       // EN_CHANGE seen by the parent, per edit
    std::map<UINT, int> parentItemChanges;   // LVN_ITEMCHANGED seen by the parent, per list

protected:
    void DoDataExchange(CDataExchange* pDX) override
    {
        CDialog::DoDataExchange(pDX);
        DDX_Control(pDX, IDC_EDIT_REFLECT, m_reflecting);
        DDX_Control(pDX, IDC_EDIT_PLAIN, m_plain);
        DDX_Control(pDX, IDC_EDIT_REFLECT_EX, m_peeking);
        DDX_Control(pDX, IDC_LIST_REFLECT, m_listReflecting);
        DDX_Control(pDX, IDC_LIST_PLAIN, m_listPlain);
        DDX_Control(pDX, IDC_STATIC_COLOR, m_coloured);
    }

    afx_msg void OnEditChange(UINT nID) { ++parentChanges[nID]; }
    afx_msg void OnReflectListChanged(NMHDR*, LRESULT* pResult)
    {
        ++parentItemChanges[IDC_LIST_REFLECT];
        *pResult = 0;
    }
    afx_msg void OnPlainListChanged(NMHDR*, LRESULT* pResult)
    {
        ++parentItemChanges[IDC_LIST_PLAIN];
        *pResult = 0;
    }

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CReflectDialog, CDialog)
    ON_CONTROL_RANGE(EN_CHANGE, IDC_EDIT_REFLECT, IDC_EDIT_REFLECT_EX, &CReflectDialog::OnEditChange)
    ON_NOTIFY(LVN_ITEMCHANGED, IDC_LIST_REFLECT, &CReflectDialog::OnReflectListChanged)
    ON_NOTIFY(LVN_ITEMCHANGED, IDC_LIST_PLAIN, &CReflectDialog::OnPlainListChanged)
END_MESSAGE_MAP()

class MessageMapTest : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(dialog.Create(IDD_REFLECT)); }
    void TearDown() override { dialog.DestroyWindow(); }

    CReflectDialog dialog;
};

TEST_F(MessageMapTest, ControlReflectionDecidesWhetherTheParentSeesTheNotification)
{
    struct Case {
        CEdit* edit;
        UINT id;
        int childChanges;
        int parentChanges;
    };
    const Case cases[] = {
        // ON_CONTROL_REFLECT consumes the notification.
        { &dialog.m_reflecting, IDC_EDIT_REFLECT, 1, 0 },
        // A plain CEdit leaves it to the parent's ON_EN_CHANGE.
        { &dialog.m_plain, IDC_EDIT_PLAIN, 0, 1 },
        // ON_CONTROL_REFLECT_EX returning FALSE: both run.
        { &dialog.m_peeking, IDC_EDIT_REFLECT_EX, 1, 1 },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.id);
        c.edit->SetWindowText("changed");
        EXPECT_EQ(dialog.parentChanges[c.id], c.parentChanges);
    }
    EXPECT_EQ(dialog.m_reflecting.changes, 1);
    EXPECT_EQ(dialog.m_peeking.changes, 1);
}

TEST_F(MessageMapTest, UpdateDataDoesNotFireChangeHandlers)
{
    class CTextDialog : public CReflectDialog
    {
    public:
        CString text = "from member";

    protected:
        void DoDataExchange(CDataExchange* pDX) override
        {
            CReflectDialog::DoDataExchange(pDX);
            DDX_Text(pDX, IDC_EDIT_PLAIN, text);
        }
    } textDialog;
    ASSERT_TRUE(textDialog.Create(IDD_REFLECT));
    CString shown;
    textDialog.m_plain.GetWindowText(shown);
    EXPECT_STREQ(shown, "from member");
    EXPECT_EQ(textDialog.parentChanges[IDC_EDIT_PLAIN], 0);

    textDialog.m_plain.SetWindowText("typed");
    EXPECT_EQ(textDialog.parentChanges[IDC_EDIT_PLAIN], 1);
    ASSERT_TRUE(textDialog.UpdateData(TRUE));
    EXPECT_STREQ(textDialog.text, "typed");
    textDialog.DestroyWindow();
}

TEST_F(MessageMapTest, NotifyReflectionKeepsListNotificationsFromTheParent)
{
    for (CListCtrl* list : { (CListCtrl*)&dialog.m_listReflecting, &dialog.m_listPlain }) {
        list->InsertColumn(0, "Name", LVCFMT_LEFT, 80);
        ASSERT_EQ(list->InsertItem(0, "first"), 0);
        list->SetItemState(0, LVIS_SELECTED, LVIS_SELECTED);
    }
    EXPECT_GT(dialog.m_listReflecting.itemChanges, 0);
    EXPECT_EQ(dialog.parentItemChanges[IDC_LIST_REFLECT], 0);
    EXPECT_GT(dialog.parentItemChanges[IDC_LIST_PLAIN], 0);
}

TEST_F(MessageMapTest, ReflectedCtlColorBrushIsWhatThePaintingControlGets)
{
    CWnd* pPlain = dialog.GetDlgItem(IDC_STATIC_PLAIN);
    HDC hDC = ::GetDC(dialog.m_hWnd);

    // The control asks its parent while painting; the parent's default handler reflects.
    LRESULT coloured = dialog.SendMessage(WM_CTLCOLORSTATIC, (WPARAM)hDC, (LPARAM)dialog.m_coloured.m_hWnd);
    EXPECT_EQ((HBRUSH)coloured, (HBRUSH)dialog.m_coloured.m_brush.GetSafeHandle());
    EXPECT_EQ(dialog.m_coloured.lastCtlType, (UINT)CTLCOLOR_STATIC);
    EXPECT_EQ(::GetTextColor(hDC), RGB(1, 2, 3));

    LRESULT plain = dialog.SendMessage(WM_CTLCOLORSTATIC, (WPARAM)hDC, (LPARAM)pPlain->m_hWnd);
    EXPECT_NE(plain, 0);
    EXPECT_NE((HBRUSH)plain, (HBRUSH)dialog.m_coloured.m_brush.GetSafeHandle());
    ::ReleaseDC(dialog.m_hWnd, hDC);
}

TEST_F(MessageMapTest, OwnerDrawnListsAreMeasuredThroughReflection)
{
    CMeasuredListBox wrapped;
    ASSERT_TRUE(wrapped.Create("LISTBOX", NULL, WS_CHILD | LBS_OWNERDRAWVARIABLE | LBS_HASSTRINGS,
                               CRect(0, 0, 100, 100), &dialog, 2001));
    wrapped.SendMessage(LB_ADDSTRING, 0, (LPARAM)"row");
    EXPECT_GT(wrapped.measured, 0);
    EXPECT_EQ(wrapped.SendMessage(LB_GETITEMHEIGHT, 0), 31);

    CMeasuringListBox derived;
    ASSERT_TRUE(derived.Create(WS_CHILD | LBS_OWNERDRAWVARIABLE | LBS_HASSTRINGS, CRect(0, 0, 100, 100),
                               &dialog, 2002));
    derived.AddString("row");
    EXPECT_GT(derived.measured, 0);
    EXPECT_EQ(derived.GetItemHeight(0), 27);
}

// ---------------------------------------------------------------------------------------
// A map's base need not be the C++ base

const UINT WM_BASE_ONLY = WM_APP + 5;
const UINT WM_OWN = WM_APP + 6;

class CBaseMapDialog : public CDialog
{
public:
    CBaseMapDialog() : CDialog(IDD_MODELESS) {}

protected:
    afx_msg LRESULT OnBaseOnly(WPARAM, LPARAM) { return 5; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CBaseMapDialog, CDialog)
    ON_MESSAGE(WM_BASE_ONLY, &CBaseMapDialog::OnBaseOnly)
END_MESSAGE_MAP()

class CChainingDialog : public CBaseMapDialog
{
protected:
    afx_msg LRESULT OnOwn(WPARAM, LPARAM) { return 6; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CChainingDialog, CBaseMapDialog)
    ON_MESSAGE(WM_OWN, &CChainingDialog::OnOwn)
END_MESSAGE_MAP()

// Derives from CBaseMapDialog but chains its map straight to CDialog's.
class CSkippingDialog : public CBaseMapDialog
{
protected:
    afx_msg LRESULT OnOwn(WPARAM, LPARAM) { return 6; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CSkippingDialog, CDialog)
    ON_MESSAGE(WM_OWN, &CSkippingDialog::OnOwn)
END_MESSAGE_MAP()

UINT g_registeredMessage = ::RegisterWindowMessageA("TolvanWindowsTestRegistered");

class CRegisteredDialog : public CDialog
{
public:
    CRegisteredDialog() : CDialog(IDD_MODELESS) {}

protected:
    afx_msg LRESULT OnRegistered(WPARAM wParam, LPARAM) { return (LRESULT)wParam + 1; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CRegisteredDialog, CDialog)
    ON_REGISTERED_MESSAGE(g_registeredMessage, &CRegisteredDialog::OnRegistered)
END_MESSAGE_MAP()

TEST(MessageMapChainTest, TheMapBaseNamedInBeginMessageMapDecides)
{
    CChainingDialog chaining;
    CSkippingDialog skipping;
    ASSERT_TRUE(chaining.Create(IDD_MODELESS));
    ASSERT_TRUE(skipping.Create(IDD_MODELESS));

    EXPECT_EQ(chaining.SendMessage(WM_OWN), 6);
    EXPECT_EQ(chaining.SendMessage(WM_BASE_ONLY), 5);
    EXPECT_EQ(skipping.SendMessage(WM_OWN), 6);
    EXPECT_EQ(skipping.SendMessage(WM_BASE_ONLY), 0);   // CBaseMapDialog's map is skipped

    chaining.DestroyWindow();
    skipping.DestroyWindow();
}

TEST(MessageMapChainTest, RegisteredMessagesAreMatchedByTheirRuntimeNumber)
{
    CRegisteredDialog dialog;
    ASSERT_TRUE(dialog.Create(IDD_MODELESS));
    EXPECT_EQ(dialog.SendMessage(g_registeredMessage, 41), 42);
    dialog.DestroyWindow();
}

}  // namespace
