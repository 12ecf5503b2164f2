// The quick-search popup driven by keys inside its modal loop: the typed text searches at
// once, more typing narrows the list, Up and Down move the selection within the list and
// Enter or a double click reports the chosen code; Enter without a hit cancels.
#include "SearchDlg.h"
#include "SearchIndex.h"
#include "ModalScript.h"

#include <testsupport/Screenshot.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>

namespace {

SectorRow Row(const char* code, const char* name)
{
    SectorRow row;
    row.strCode = code;
    row.strName = name;
    return row;
}

class SearchDlgTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        SearchIndex::Instance().Rebuild({ Row("600000", "浦发银行"), Row("160601", "基金"),
                                          Row("600036", "招商银行"), Row("USDJPY", "美元日元"),
                                          Row("600325", "華發股份") });
    }

    static HWND Dialog() { return ::FindWindowA(NULL, CSearchDlg::kTitle); }
    static HWND List() { return ::GetDlgItem(Dialog(), IDC_SEARCH_LIST); }
    static HWND Edit() { return ::GetDlgItem(Dialog(), IDC_SEARCH_EDIT); }
    static int Count() { return List() != NULL ? ListView_GetItemCount(List()) : -1; }
    static int Selected() { return ListView_GetNextItem(List(), -1, LVNI_SELECTED); }
    static std::string Text(int row, int column)
    {
        char text[64] = "";
        ListView_GetItemText(List(), row, column, text, sizeof(text));
        return text;
    }
    static COLORREF NameColor(int row)
    {
        auto* list = dynamic_cast<CListCtrlEx*>(CWnd::FromHandlePermanent(List()));
        std::vector<COLORREF> colors = list != nullptr ? list->GetRowColors(row) : std::vector<COLORREF>();
        return colors.size() == 2 ? colors[1] : CLR_INVALID;
    }
    static std::string EditText()
    {
        char text[64] = "";
        ::GetWindowTextA(Edit(), text, sizeof(text));
        return text;
    }
    static void Key(UINT key) { ::PostMessage(Edit(), WM_KEYDOWN, key, 0); }
    static void Type(const char* text)
    {
        for (const char* c = text; *c != '\0'; ++c)
            ::PostMessage(Edit(), WM_CHAR, static_cast<unsigned char>(*c), 0);
    }

    const CRect mainRect{ 100, 80, 1100, 800 };
    ModalScript script;
};

TEST_F(SearchDlgTest, TypingNarrowsTheListAndEnterReportsTheSelectedCode)
{
    CSearchDlg dialog;
    dialog.SetSearchParams("6", mainRect);
    script.Then("popup opens with the first hits", [] { return Dialog() != NULL && Count() == 4; }, [&] {
        CRect window;
        ::GetWindowRect(Dialog(), &window);
        EXPECT_EQ(window, CRect(1100 - 205, 800 - 265, 1100 - 205 + 200, 800 - 265 + 240));
        EXPECT_EQ(::GetFocus(), Edit());
        EXPECT_EQ(Selected(), 0);
        EXPECT_EQ(Text(3, 0), "160601");
        EXPECT_EQ(NameColor(0), 0x8000u) << "code begins with the typed text";
        EXPECT_EQ(NameColor(3), 0x800000u) << "typed text inside the code";
        Type("00");
    });
    std::string lastText;
    script.Then("typing narrows", [&] { lastText = EditText() + " count " + std::to_string(Count()) + " " + Text(0, 0) + " " + Text(3, 0); return Count() == 3; }, [] {
        EXPECT_EQ(Text(0, 0), "600000");
        EXPECT_EQ(Text(0, 1), "浦发银行");
        EXPECT_EQ(Text(1, 0), "600036");
        EXPECT_EQ(Text(2, 0), "600325");
        Key(VK_UP);  // on row 0: nothing
    });
    script.Then("up on the first row stays", [] { return true; }, [] {
        EXPECT_EQ(Selected(), 0);
        Key(VK_DOWN);
    });
    script.Then("down selects the next row", [] { return Selected() == 1; }, [] {
        tolvan::test::Screenshot shot = tolvan::test::Screenshot::CaptureClient(Dialog());
        EXPECT_FALSE(shot.IsEmpty());
        EXPECT_TRUE(shot.SavePng("search_popup.png"));
        Key(VK_RETURN);
    });
    script.Start();
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_TRUE(script.Finished()) << "stalled at: " << script.Stalled() << " with \"" << lastText << "\"";
    EXPECT_EQ(dialog.GetSelectedCode(), "600036");
}

TEST_F(SearchDlgTest, EnterWithoutHitsCancelsAndDownStopsAtTheLastRow)
{
    CSearchDlg dialog;
    dialog.SetSearchParams("600036", mainRect);
    script.Then("whole code typed", [] { return Dialog() != NULL && Count() == 1; }, [] {
        EXPECT_EQ(NameColor(0), 255u);
        Key(VK_DOWN);  // the only row is the last
    });
    script.Then("down on the last row stays", [] { return true; }, [] {
        EXPECT_EQ(Selected(), 0);
        ::SetWindowTextA(Edit(), "60|");
    });
    script.Then("a separator finds nothing", [] { return Count() == 0; }, [] { Key(VK_RETURN); });
    script.Start();
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_TRUE(script.Finished()) << "stalled at: " << script.Stalled();
    EXPECT_EQ(dialog.GetSelectedCode(), "");
}

TEST_F(SearchDlgTest, UpperCaseFindsLetterCodesAndDoubleClickChooses)
{
    CSearchDlg dialog;
    dialog.SetSearchParams("US", mainRect);
    script.Then("upper-case text finds the code", [] { return Dialog() != NULL && Count() == 1; }, [] {
        EXPECT_EQ(Text(0, 0), "USDJPY");
        EXPECT_EQ(NameColor(0), 0x8000u);
        NMHDR notice = { List(), IDC_SEARCH_LIST, static_cast<UINT>(NM_DBLCLK) };
        ::SendMessage(Dialog(), WM_NOTIFY, IDC_SEARCH_LIST, reinterpret_cast<LPARAM>(&notice));
    });
    script.Start();
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_TRUE(script.Finished()) << "stalled at: " << script.Stalled();
    EXPECT_EQ(dialog.GetSelectedCode(), "USDJPY");
}

}  // namespace
