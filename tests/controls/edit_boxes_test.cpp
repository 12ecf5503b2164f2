// The coloured edit with its flat frame and character filter, and the numeric entry field.
#include "controls_test_host.h"

#include "CharFilter.h"
#include "EditCustom.h"
#include "EditEx.h"

#include <testsupport/Pump.h>

#include <gtest/gtest.h>

#include <string>

using tolvan::test::PumpPending;
using tolvan::test::PumpUntil;

namespace {

const UINT kEditId = 301;

void PutOnClipboard(HWND owner, const std::string& text)
{
    ASSERT_TRUE(::OpenClipboard(owner));
    ::EmptyClipboard();
    HGLOBAL block = ::GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
    memcpy(::GlobalLock(block), text.c_str(), text.size() + 1);
    ::GlobalUnlock(block);
    ::SetClipboardData(CF_TEXT, block);
    ::CloseClipboard();
}

std::string TextOf(const CWnd& wnd)
{
    CString text;
    wnd.GetWindowText(text);
    return (LPCTSTR)text;
}

void Type(CWnd& edit, const char* keys)
{
    for (const char* key = keys; *key != '\0'; ++key)
        edit.SendMessage(WM_CHAR, static_cast<BYTE>(*key), 1);
}

TEST(CharFilterTest, KeepsWholeAllowedCharactersOnly)
{
    struct Case {
        const char* text;
        const char* allowed;
        const char* kept;
    } cases[] = {
        { "12a3", "0123456789", "123" },
        { "1价2格", "0123456789价", "1价2" },
        // 0xB8 0xDB is one character whose two bytes each occur in "价格" (BC DB B8 F1):
        // a byte filter would keep it, or keep half of it.
        { "1\xB8\xDB" "2", "12价格", "12" },
        { "abc", "", "" },
    };
    for (const Case& c : cases)
        EXPECT_EQ(tolvan::controls::KeepAllowed(c.text, c.allowed), c.kept) << c.text;

    std::vector<int> caret{ 5, 5 };  // at the end of "1价x2"
    EXPECT_EQ(tolvan::controls::KeepAllowed("1价x2", "12价", &caret), "1价2");
    EXPECT_EQ(caret, (std::vector<int>{ 4, 4 }));
}

TEST(CharFilterTest, CutsDigitsBeyondTheDecimalPlaces)
{
    EXPECT_EQ(tolvan::controls::CutDecimals("12.345", 2), "12.34");
    EXPECT_EQ(tolvan::controls::CutDecimals("12.34", 2), "12.34");
    EXPECT_EQ(tolvan::controls::CutDecimals("1234", 2), "1234");
    EXPECT_EQ(tolvan::controls::CutDecimals("0.5", 0), "0.");
}

class EditExTest : public ::testing::Test
{
protected:
    void Create(DWORD extraStyle)
    {
        ASSERT_TRUE(edit.Create(WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL,
                                CRect(20, 20, 220, 46), &host, kEditId));
        // The edit drops WS_BORDER given at creation (it draws that border itself); the
        // flat frame is for edits whose window keeps the style.
        if (extraStyle != 0)
            edit.ModifyStyle(0, extraStyle, SWP_FRAMECHANGED);
        PumpPending();
    }
    ControlHost host;
    CEditEx edit;
};

TEST_F(EditExTest, FlatFrameFollowsWidthAndColourOnlyWithBorder)
{
    struct Case {
        DWORD style;
        bool framed;
    } cases[] = { { WS_BORDER, true }, { 0, false } };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.framed ? "bordered" : "borderless");
        if (edit.m_hWnd != NULL)
            edit.DestroyWindow();
        Create(c.style);
        edit.SetBorderColor(RGB(255, 0, 0));
        edit.SetBorderWidth(3);
        edit.SetWindowPos(nullptr, 0, 0, 0, 0,
                          SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
        CRect window = host.ChildRect(edit);
        CRect client;
        edit.GetClientRect(&client);
        tolvan::test::Screenshot shot = host.CaptureWhen([&](const tolvan::test::Screenshot& s) {
            return !c.framed || s.PixelAt(window.left + 2, window.top + 10) == RGB(255, 0, 0);
        });
        if (c.framed) {
            EXPECT_EQ(client.Width(), window.Width() - 6);
            EXPECT_EQ(client.Height(), window.Height() - 6);
            for (int inset : { 0, 2 }) {
                EXPECT_EQ(shot.PixelAt(window.left + inset, window.top + 10), RGB(255, 0, 0));
                EXPECT_EQ(shot.PixelAt(window.right - 1 - inset, window.top + 10), RGB(255, 0, 0));
                EXPECT_EQ(shot.PixelAt(window.left + 50, window.bottom - 1 - inset), RGB(255, 0, 0));
            }
            EXPECT_NE(shot.PixelAt(window.left + 3, window.top + 10), RGB(255, 0, 0));
        } else {
            EXPECT_EQ(client.Size(), window.Size());
            EXPECT_EQ(shot.CountColor(RGB(255, 0, 0), &window), 0u);
        }
    }
}

TEST_F(EditExTest, PastedTextKeepsOnlyAllowedCharactersAndTheParentHearsNothing)
{
    Create(WS_BORDER);
    edit.SetValidChars("0123456789");
    edit.SetWindowText("12");
    edit.SetSel(1, 1);
    host.Clear();
    PutOnClipboard(host.m_hWnd, "3a4");
    edit.SendMessage(WM_PASTE);
    PumpPending();
    EXPECT_EQ(TextOf(edit), "1342");
    int start = -1, end = -1;
    edit.GetSel(start, end);
    EXPECT_EQ(start, 3) << "the caret stays behind the pasted digits";
    EXPECT_EQ(end, 3);
    EXPECT_EQ(host.CommandCount(kEditId, EN_CHANGE), 0u);
}

TEST_F(EditExTest, WithoutFilterTheParentHearsEveryChange)
{
    Create(WS_BORDER);
    host.Clear();
    edit.SetWindowText("1");
    edit.SetWindowText("12");
    PumpPending();
    EXPECT_EQ(host.CommandCount(kEditId, EN_CHANGE), 2u);
}

class EditCustomTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(edit.Create(WS_CHILD | WS_VISIBLE | WS_BORDER | ES_AUTOHSCROLL,
                                CRect(20, 20, 220, 46), &host, kEditId));
    }
    void MakePriceField()
    {
        edit.AddOnceChar('.');
        edit.AddValidChars("0123456789\b");
        edit.SetFreeDecimals(0);
        edit.SetDecimalPlaces(2);
    }
    ControlHost host;
    CEditCustom edit;
};

TEST_F(EditCustomTest, TypedPriceTakesOnePointAndTwoDecimals)
{
    MakePriceField();
    Type(edit, "12.3.4x5");
    EXPECT_EQ(TextOf(edit), "12.34");
    int start = -1, end = -1;
    edit.GetSel(start, end);
    EXPECT_EQ(start, 5);
    EXPECT_EQ(end, 5);
    Type(edit, "\b\b");
    EXPECT_EQ(TextOf(edit), "12.");
}

TEST_F(EditCustomTest, PastedTextPassesTheKeyFilter)
{
    MakePriceField();
    PutOnClipboard(host.m_hWnd, "1a.5.6价7");
    edit.SendMessage(WM_PASTE);
    EXPECT_EQ(TextOf(edit), "1.56");
}

TEST_F(EditCustomTest, EmptySetsAcceptNoKey)
{
    Type(edit, "1.a\b");
    PutOnClipboard(host.m_hWnd, "123");
    edit.SendMessage(WM_PASTE);
    EXPECT_EQ(TextOf(edit), "");
}

}  // namespace
