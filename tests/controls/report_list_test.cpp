// The owner-drawn report list and its header: selection looks, per-cell colours, change
// marking, the sort arrow, and the messages posted to the parent.
#include "controls_test_host.h"

#include "ListCtrlEx.h"

#include <testsupport/MessageBoxScript.h>
#include <testsupport/Pump.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

using tolvan::test::PumpPending;
using tolvan::test::PumpUntil;
using tolvan::test::Screenshot;

namespace {

const UINT kListId = 302;
const COLORREF kListBk = RGB(16, 16, 16);
const COLORREF kFlashBk = RGB(0, 0, 200);
const COLORREF kSelect = RGB(0, 0, 255);

class ReportListTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(list.Create(WS_CHILD | WS_VISIBLE | WS_BORDER | LVS_REPORT |
                                    LVS_OWNERDRAWFIXED | LVS_SHOWSELALWAYS | LVS_SINGLESEL,
                                CRect(10, 10, 410, 310), &host, kListId));
        list.SetBkColor(kListBk);
        list.SetHeaderBkColor(RGB(40, 40, 40));
        list.SetFlashBkColor(kFlashBk);
        list.SetFlashTextColor(RGB(255, 255, 255));
        for (int column = 0; column < 5; ++column)
            list.InsertColumn(column, ("列" + std::to_string(column)).c_str(), LVCFMT_CENTER, 70);
        for (int row = 0; row < rows; ++row) {
            list.InsertItem(row, std::to_string(600000 + row).c_str());
            for (int column = 1; column < 5; ++column)
                list.SetItemText(row, column, "---");
        }
        list.SetItemHeight(20);
        PumpPending();
    }

    // The list's client area on the screen, once the row at `row` has been painted.
    Screenshot CaptureList()
    {
        CRect client;
        list.GetClientRect(&client);
        Screenshot shot;
        PumpUntil([&] {
            shot = Screenshot::CaptureClient(list.m_hWnd);
            return !shot.IsEmpty();
        });
        return shot;
    }
    CRect CellRect(int row, int column)
    {
        CRect rect;
        list.GetSubItemRect(row, column, LVIR_LABEL, rect);
        return rect;
    }
    // How many pixels of the painted cell differ from DrawText's drawing of `text` in it
    // (over the list background; not for column 0, which starts further left).
    int PixelsUnlikeDrawText(int row, int column, const char* text, CFont& font, COLORREF ink,
                             UINT format)
    {
        CRect cell = CellRect(row, column);
        CClientDC screen(&list);
        CDC expected;
        expected.CreateCompatibleDC(&screen);
        CBitmap bitmap;
        bitmap.CreateCompatibleBitmap(&screen, cell.Width(), cell.Height());
        CBitmap* oldBitmap = expected.SelectObject(&bitmap);
        CFont* oldFont = expected.SelectObject(&font);
        expected.FillSolidRect(0, 0, cell.Width(), cell.Height(), kListBk);
        expected.SetBkMode(TRANSPARENT);
        expected.SetTextColor(ink);
        CRect textRect(1, 1, cell.Width() - 1, cell.Height() - 1);
        expected.DrawText(text, -1, &textRect, format);
        Screenshot shot = CaptureList();
        int differing = 0;
        for (int y = 0; y < cell.Height(); ++y)
            for (int x = 0; x < cell.Width(); ++x)
                differing += shot.PixelAt(cell.left + x, cell.top + y) != expected.GetPixel(x, y);
        expected.SelectObject(oldFont);
        expected.SelectObject(oldBitmap);
        return differing;
    }

    ControlHost host;
    CListCtrlEx list;
    int rows = 40;
};


bool Near(COLORREF a, COLORREF b)
{
    return std::abs(GetRValue(a) - GetRValue(b)) <= 1 && std::abs(GetGValue(a) - GetGValue(b)) <= 1 &&
           std::abs(GetBValue(a) - GetBValue(b)) <= 1;
}

TEST_F(ReportListTest, SelectedRowFollowsTheSelectMode)
{
    struct Case {
        int mode;
        COLORREF edge;    // at the row's left edge
        COLORREF inside;  // a few pixels in, away from any text
    } cases[] = {
        { -1, kListBk, kListBk },
        { 0, RGB(8, 8, 135), RGB(8, 8, 135) },
        { 1, kSelect, kListBk },
        { 2, RGB(128, 128, 128), RGB(128, 128, 128) },
    };
    list.SetItemState(2, LVIS_SELECTED, LVIS_SELECTED);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.mode);
        list.SetSelectMode(c.mode);
        list.Invalidate();
        CRect row = CellRect(2, 0);
        Screenshot shot = CaptureList();
        EXPECT_TRUE(Near(shot.PixelAt(0, row.top), c.edge)) << std::hex << shot.PixelAt(0, row.top);
        EXPECT_TRUE(Near(shot.PixelAt(3, row.top + 3), c.inside)) << std::hex << shot.PixelAt(3, row.top + 3);
        CRect rowArea(0, row.top, 350, row.bottom);
        size_t yellow = shot.CountColor(RGB(255, 255, 0), &rowArea);
        EXPECT_EQ(yellow > 0, c.mode == 2) << "yellow text only in mode 2";
    }
    // An unselected row takes its entry of the row background array.
    std::vector<COLORREF> backgrounds(rows, RGB(0, 60, 0));
    list.SetRowBackgrounds(backgrounds.data());
    list.Invalidate();
    CRect row = CellRect(5, 0);
    EXPECT_EQ(CaptureList().PixelAt(3, row.top + 3), RGB(0, 60, 0));
    list.SetRowBackgrounds(nullptr);
}

// However the list puts a cell text on the row, it looks exactly as DrawText draws it with
// the item text format.
TEST_F(ReportListTest, CellTextsLookAsDrawTextDrawsThem)
{
    CFont font;
    font.CreatePointFont(90, "宋体");
    list.SetItemFont(&font);
    const COLORREF ink = RGB(250, 250, 250);
    list.SetRowColors(1, std::vector<COLORREF>(5, ink));
    struct Case {
        UINT format;
        const char* text;
    } cases[] = {
        { DT_RIGHT | DT_VCENTER | DT_SINGLELINE, "10.20" },
        { DT_CENTER | DT_VCENTER | DT_SINGLELINE, "125600" },
        { DT_LEFT | DT_BOTTOM | DT_SINGLELINE, "-0.80%" },
        { DT_CENTER | DT_VCENTER | DT_SINGLELINE, "浦发银行" },
        { DT_RIGHT | DT_VCENTER | DT_SINGLELINE, "123456789.0123" },  // wider than the cell
        { DT_CENTER, "a&b" },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        list.SetItemTextFormat(c.format);
        list.SetItemText(1, 2, c.text);
        list.Invalidate();
        EXPECT_EQ(PixelsUnlikeDrawText(1, 2, c.text, font, ink, c.format), 0);
    }
}

int CALLBACK ReverseOrder(LPARAM first, LPARAM second, LPARAM)
{
    return static_cast<int>(second - first);
}

// The list keeps the texts it paints between paints; a text changed behind its back (by
// the plain list-view messages, a sort, a delete) is what the next paint shows.
TEST_F(ReportListTest, PaintedTextsFollowChangesBehindTheList)
{
    CFont font;
    font.CreatePointFont(90, "宋体");
    list.SetItemFont(&font);
    const COLORREF ink = RGB(250, 250, 250);
    const UINT format = DT_RIGHT | DT_VCENTER | DT_SINGLELINE;
    list.SetItemTextFormat(format);
    for (int row = 0; row < rows; ++row) {
        list.SetRowColors(row, std::vector<COLORREF>(5, ink));
        list.SetItemText(row, 1, (std::to_string(row) + ".00").c_str());
    }
    CListCtrl& plain = list;
    struct Case {
        const char* what;
        std::function<void()> change;
        int row, column;
        const char* shown;
    } cases[] = {
        { "base class", [&] { plain.SetItemText(1, 2, "11.11"); }, 1, 2, "11.11" },
        { "wide message", [&] {
              LVITEMW item = {};
              item.iSubItem = 2;
              item.pszText = const_cast<LPWSTR>(L"22.22");
              ::SendMessageW(list.m_hWnd, LVM_SETITEMTEXTW, 1, (LPARAM)&item);
          }, 1, 2, "22.22" },
        { "set item", [&] {
              LVITEMA item = {};
              item.mask = LVIF_TEXT;
              item.iItem = 2;
              item.iSubItem = 3;
              item.pszText = const_cast<LPSTR>("33.33");
              ::SendMessageA(list.m_hWnd, LVM_SETITEMA, 0, (LPARAM)&item);
          }, 2, 3, "33.33" },
        { "double-byte text", [&] { list.SetItemText(2, 3, "浦发银行"); }, 2, 3, "浦发银行" },
        { "sort", [&] {
              plain.SortItemsEx(ReverseOrder, 0);
          }, 0, 1, "39.00" },
        { "delete", [&] { ::SendMessageA(list.m_hWnd, LVM_DELETEITEM, 0, 0); }, 0, 1, "38.00" },
    };
    CaptureList();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        c.change();
        list.Invalidate();
        EXPECT_EQ(PixelsUnlikeDrawText(c.row, c.column, c.shown, font, ink, format), 0);
    }
}

TEST_F(ReportListTest, BadSelectModeIsReportedOnceAndModeZeroUsed)
{
    tolvan::test::MessageBoxScript boxes;
    list.SetSelectMode(5);
    EXPECT_EQ(list.GetSelectMode(), 0);
    ASSERT_EQ(boxes.Count(), 1u);
    EXPECT_EQ(boxes.Last().text, "CListEx:设置的文本位置方式不存在，已使用 “xxx_Normal”方式替代！");
    list.Invalidate();
    CaptureList();
    EXPECT_EQ(boxes.Count(), 1u);
}

TEST_F(ReportListTest, PriceChangeIsMarkedForTwoTicks)
{
    list.EnableFlash(TRUE);
    struct Step {
        int column;
        const char* text;
        bool marked;
    } steps[] = {
        { 3, "10.50", false },  // from "---": a first price is no change
        { 3, "10.60", true },
        { 3, "---", true },     // a placeholder does not mark (the mark before stays)
        { 2, "99.00", false },  // only column 3 is marked
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.text);
        list.SetItemText(0, step.column, step.text);
        EXPECT_EQ(list.IsCellChanged(0, step.column), step.marked);
    }
    list.SetItemText(1, 3, "");
    list.SetItemText(1, 3, "10.00");
    EXPECT_FALSE(list.IsCellChanged(1, 3)) << "a first value of an empty cell is no change";

    list.SetItemText(0, 3, "10.60");
    list.SetItemText(0, 3, "10.70");
    CRect cell = CellRect(0, 3);
    EXPECT_EQ(CaptureList().PixelAt(cell.left + 2, cell.top + 2), kFlashBk);
    list.TickFlash();
    EXPECT_TRUE(list.IsCellChanged(0, 3));
    list.TickFlash();
    EXPECT_FALSE(list.IsCellChanged(0, 3));
    EXPECT_EQ(CaptureList().PixelAt(cell.left + 2, cell.top + 2), kListBk);
}

TEST_F(ReportListTest, ScrollingPostsTheVisibleRangeOnceAtItsEnd)
{
    CaptureList();
    PumpPending();
    host.Clear();
    list.SendMessage(WM_VSCROLL, SB_PAGEDOWN, 0);
    list.UpdateWindow();
    PumpPending();
    EXPECT_EQ(host.Count(WM_LISTEX_VISIBLE_CHANGED), 0u) << "posted while scrolling";
    list.SendMessage(WM_VSCROLL, SB_ENDSCROLL, 0);
    ASSERT_TRUE(PumpUntil([&] { return host.Count(WM_LISTEX_VISIBLE_CHANGED) == 1; }));
    EXPECT_EQ(host.MessagesOf(WM_LISTEX_VISIBLE_CHANGED).front().wParam, 1u);
    EXPECT_GT(list.GetTopIndex(), 0);
    EXPECT_EQ(list.GetVisibleEnd(), std::min(rows, list.GetTopIndex() + list.GetCountPerPage() + 1));

    list.SendMessage(WM_VSCROLL, SB_ENDSCROLL, 0);
    list.Invalidate();
    CaptureList();
    PumpPending();
    EXPECT_EQ(host.Count(WM_LISTEX_VISIBLE_CHANGED), 1u) << "posted without a change";
}

TEST_F(ReportListTest, RightClickPostsEvenBesideTheRows)
{
    host.Clear();
    list.SendMessage(WM_RBUTTONUP, 0, MAKELPARAM(380, 100));
    ASSERT_TRUE(PumpUntil([&] { return host.Count(WM_LISTEX_RCLICK) == 1; }));
    EXPECT_EQ(host.MessagesOf(WM_LISTEX_RCLICK).front().wParam, 0u);
}

TEST_F(ReportListTest, RowPictureFollowsColumnWidthAndRowHeight)
{
    CaptureList();
    EXPECT_EQ(list.GetRowPictureSize(), CSize(5 * 70, 20));
    list.SetColumnWidth(0, 100);
    list.Invalidate();
    CaptureList();
    EXPECT_EQ(list.GetRowPictureSize(), CSize(100 + 4 * 70, 20));
    list.SetItemHeight(30);
    list.Invalidate();
    CaptureList();
    EXPECT_EQ(list.GetRowPictureSize(), CSize(100 + 4 * 70, 30));
    CRect row = CellRect(1, 0);
    EXPECT_EQ(row.Height(), 30);
}

// The row picture outlives the temporary objects of one paint: after the idle clean-up has
// deleted them, a wider column re-creates the picture and leaves every other bitmap alone.
// (Temporary wrappers made after the clean-up reuse the memory of the deleted ones: a list
// that kept one would select some other bitmap into its picture and never let it go.)
TEST_F(ReportListTest, ColumnWidthChangesAfterTheIdleCleanUpTakeNoOtherBitmap)
{
    CClientDC screen(&list);
    for (int change = 0; change < 3; ++change) {
        CaptureList();  // paints, then the pump's idle work deletes the paint's temporaries
        // Plain handles: a bitmap of a CBitmap object has a permanent wrapper, no temporary.
        std::vector<HBITMAP> others(64);
        for (HBITMAP& other : others) {
            other = ::CreateCompatibleBitmap(screen.m_hDC, 2, 2);
            ASSERT_NE(other, HBITMAP(NULL));
            CBitmap::FromHandle(other);
        }
        list.SetColumnWidth(0, 80 + 10 * change);
        list.Invalidate();
        list.UpdateWindow();
        EXPECT_EQ(list.GetRowPictureSize(), CSize(80 + 10 * change + 4 * 70, 20));
        CDC probe;
        probe.CreateCompatibleDC(&screen);
        int taken = 0;
        for (HBITMAP other : others) {
            HGDIOBJ before = ::SelectObject(probe.m_hDC, other);
            taken += before == NULL;
            if (before != NULL)
                ::SelectObject(probe.m_hDC, before);
        }
        EXPECT_EQ(taken, 0) << "bitmaps held by the list after change " << change;
        for (HBITMAP other : others)
            ::DeleteObject(other);
    }
}

TEST_F(ReportListTest, RowVectorsStayInStepWithTheRows)
{
    std::vector<COLORREF> last(5, RGB(1, 2, 3));
    list.SetRowColors(rows - 1, last);
    EXPECT_FALSE(list.DeleteItem(rows + 5));
    EXPECT_EQ(list.ColorRowCount(), static_cast<size_t>(rows));
    EXPECT_EQ(list.CounterRowCount(), static_cast<size_t>(rows));
    EXPECT_EQ(list.GetRowColors(rows - 1), last);

    EXPECT_TRUE(list.DeleteItem(0));
    EXPECT_EQ(list.ColorRowCount(), static_cast<size_t>(rows - 1));
    EXPECT_EQ(list.GetRowColors(rows - 2), last);

    // A column added while rows exist widens every row's vectors.
    list.InsertColumn(5, "列5", LVCFMT_RIGHT, 50);
    EXPECT_EQ(list.GetRowColors(0).size(), 6u);
    EXPECT_EQ(list.InsertItem(1000, "末行"), rows - 1);
    EXPECT_EQ(list.GetRowColors(rows - 1).size(), 6u);
}

TEST_F(ReportListTest, EmptyListErasesItsWholeClientArea)
{
    list.SetBkColor(RGB(0, 0, 90));
    list.DeleteAllItems();
    list.Invalidate();
    CRect client;
    list.GetClientRect(&client);
    CRect below(0, list.GetHeader().GetHeight(), client.right, client.bottom);
    Screenshot shot = CaptureList();
    EXPECT_EQ(shot.CountColor(RGB(0, 0, 90), &below), static_cast<size_t>(below.Width() * below.Height()));
}

class ReportHeaderTest : public ReportListTest
{
protected:
    Screenshot CaptureHeader()
    {
        CHeaderCtrlEx& header = list.GetHeader();
        header.Invalidate();
        Screenshot shot;
        PumpUntil([&] {
            shot = Screenshot::CaptureClient(header.m_hWnd);
            return !shot.IsEmpty();
        });
        return shot;
    }
    CRect ItemRect(int column)
    {
        CRect rect;
        list.GetHeader().GetItemRect(column, &rect);
        return rect;
    }
};

TEST_F(ReportHeaderTest, SortArrowOnlyOnTheSortColumnPointingTheSortWay)
{
    const COLORREF sortColour = RGB(255, 255, 0);
    list.GetHeader().SetSortAscending(2);
    Screenshot shot = CaptureHeader();
    CRect sorted = ItemRect(2);
    EXPECT_EQ(sorted.Height(), 25);
    EXPECT_EQ(shot.PixelAt(sorted.right - 5, sorted.top + 12), sortColour) << "shaft";
    EXPECT_EQ(shot.PixelAt(sorted.right - 6, sorted.top + 8), sortColour) << "head up";
    EXPECT_NE(shot.PixelAt(sorted.right - 6, sorted.bottom - 8), sortColour);
    CRect other = ItemRect(1);
    EXPECT_NE(shot.PixelAt(other.right - 5, other.top + 12), sortColour);

    list.GetHeader().SetSortDescending(2);
    shot = CaptureHeader();
    EXPECT_NE(shot.PixelAt(sorted.right - 6, sorted.top + 8), sortColour);
    EXPECT_EQ(shot.PixelAt(sorted.right - 6, sorted.bottom - 8), sortColour) << "head down";
}

TEST_F(ReportHeaderTest, ColumnClickHandlerThatSortsAgainDoesNotRecurse)
{
    int clicks = 0;
    host.onNotify = [&](NMHDR* header) {
        if (header->code == LVN_COLUMNCLICK && header->hwndFrom == list.m_hWnd) {
            ++clicks;
            list.GetHeader().ClickColumn(reinterpret_cast<NMLISTVIEW*>(header)->iSubItem);
        }
    };
    list.GetHeader().SetSortAscending(1);
    host.onNotify = nullptr;
    EXPECT_EQ(clicks, 1);
}

TEST_F(ReportHeaderTest, ColumnsKeepTheirOwnAlignment)
{
    list.SetHeaderTextFormat(DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    list.InsertColumn(5, "右对齐", LVCFMT_RIGHT, 100);
    list.InsertColumn(6, "左对齐", LVCFMT_LEFT, 100);
    EXPECT_EQ(list.GetHeader().GetTextFormat(), (UINT)(DT_CENTER | DT_VCENTER | DT_SINGLELINE));
    list.SetColumnWidth(0, 20);
    for (int column = 1; column < 5; ++column)
        list.SetColumnWidth(column, 20);
    Screenshot shot = CaptureHeader();
    const COLORREF text = RGB(255, 255, 0);
    CRect right = ItemRect(5), left = ItemRect(6);
    CRect rightFirstHalf(right.left, right.top, right.CenterPoint().x, right.bottom);
    CRect rightSecondHalf(right.CenterPoint().x, right.top, right.right, right.bottom);
    CRect leftFirstHalf(left.left, left.top, left.CenterPoint().x, left.bottom);
    CRect leftSecondHalf(left.CenterPoint().x, left.top, left.right, left.bottom);
    EXPECT_GT(shot.CountColor(text, &rightSecondHalf), shot.CountColor(text, &rightFirstHalf));
    EXPECT_GT(shot.CountColor(text, &leftFirstHalf), shot.CountColor(text, &leftSecondHalf));
}

}  // namespace
