// The editable grid: check boxes toggled by clicks and by column, messages to the parent,
// disabled rows, the fixed header height, column widths and cells of added columns.
#include "controls_test_host.h"

#include "GridListCtrl.h"

#include <testsupport/Pump.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>

using tolvan::test::PumpPending;
using tolvan::test::Screenshot;

namespace {

const UINT kGridId = 307;
const UINT kCellMessage = WM_APP + 7;

class GridListTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(grid.Create(WS_CHILD | WS_VISIBLE | WS_BORDER | LVS_REPORT | LVS_SHOWSELALWAYS |
                                    LVS_SINGLESEL,
                                CRect(10, 10, 410, 210), &host, kGridId));
        grid.InsertColumn(0, "账户", LVCFMT_LEFT, 100);
        grid.InsertColumn(1, "跟单", LVCFMT_LEFT, 80);
        grid.InsertColumn(2, "策略", LVCFMT_LEFT, 100);
        for (int row = 0; row < 3; ++row) {
            grid.InsertItem(row, ("8800" + std::to_string(row)).c_str());
            grid.SetCheckbox(row, 1, 0);
        }
        grid.GetHeader().SetCheckImage(1, 1);
        grid.SetCellMessage(kCellMessage);
        PumpPending();
        host.Clear();
    }
    CRect Cell(int row, int column)
    {
        CRect rect;
        grid.GetSubItemRect(row, column, LVIR_BOUNDS, rect);
        return rect;
    }
    // A click as the list sees it; the button is "released" first so that the list's own
    // click tracking ends at once.
    void ClickCell(int row, int column)
    {
        CPoint point = Cell(row, column).CenterPoint();
        grid.PostMessage(WM_LBUTTONUP, 0, MAKELPARAM(point.x, point.y));
        grid.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(point.x, point.y));
        PumpPending();
    }
    void ClickHeader(int column)
    {
        CRect item;
        grid.GetHeader().GetItemRect(column, &item);
        NMLISTVIEW click = {};
        click.hdr.hwndFrom = grid.m_hWnd;
        click.hdr.idFrom = kGridId;
        click.hdr.code = LVN_COLUMNCLICK;
        click.iItem = -1;
        click.iSubItem = column;
        host.SendMessage(WM_NOTIFY, kGridId, (LPARAM)&click);
    }

    ControlHost host;
    CGridListCtrl grid;
};

TEST_F(GridListTest, ClickTogglesTheBoxAndTellsTheParent)
{
    ClickCell(1, 1);
    EXPECT_EQ(grid.GetCheckbox(1, 1), 1);
    EXPECT_TRUE(grid.IsModified());
    std::vector<HostMessage> cells = host.MessagesOf(kCellMessage);
    std::vector<HostMessage> clicks = host.MessagesOf(WM_GRIDLIST_CHECKBOX_CLICKED);
    ASSERT_EQ(cells.size(), 1u);
    ASSERT_EQ(clicks.size(), 1u);
    EXPECT_EQ(clicks[0].wParam, 1u);
    EXPECT_EQ(clicks[0].lParam, 1);
    EXPECT_EQ(grid.GetHeader().GetCheckImage(1), 1) << "not every row is checked";

    ClickCell(0, 1);
    ClickCell(2, 1);
    EXPECT_EQ(grid.GetHeader().GetCheckImage(1), 2);
    ClickCell(2, 1);
    EXPECT_EQ(grid.GetCheckbox(2, 1), 0);
    EXPECT_EQ(grid.GetHeader().GetCheckImage(1), 1);

    ClickCell(0, 2);  // no check box there
    EXPECT_EQ(host.Count(WM_GRIDLIST_CHECKBOX_CLICKED), 4u);
}

TEST_F(GridListTest, HeaderClickChecksAndClearsTheColumn)
{
    ClickHeader(1);
    for (int row = 0; row < 3; ++row)
        EXPECT_EQ(grid.GetCheckbox(row, 1), 1) << row;
    EXPECT_EQ(grid.GetHeader().GetCheckImage(1), 2);
    ClickHeader(1);
    for (int row = 0; row < 3; ++row)
        EXPECT_EQ(grid.GetCheckbox(row, 1), 0) << row;
    ClickHeader(2);  // no check image: nothing happens
    EXPECT_EQ(grid.GetCheckbox(0, 2), -1);
}

TEST_F(GridListTest, DisabledRowIgnoresClicksAndIsSkippedByTheArrows)
{
    grid.SetRowEnabled(1, FALSE);
    host.Clear();
    ClickCell(1, 1);
    EXPECT_EQ(grid.GetCheckbox(1, 1), 0);
    EXPECT_EQ(host.Count(WM_GRIDLIST_CHECKBOX_CLICKED), 0u);

    grid.SetFocus();
    grid.SetItemState(0, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    grid.SendMessage(WM_KEYDOWN, VK_DOWN, 0);
    EXPECT_EQ(grid.GetNextItem(-1, LVNI_SELECTED), 2);
    grid.SendMessage(WM_KEYDOWN, VK_UP, 0);
    EXPECT_EQ(grid.GetNextItem(-1, LVNI_SELECTED), 0);
}

TEST_F(GridListTest, HeaderStaysAt25AndColumnsGetTheirSpacing)
{
    grid.SetHeaderHeight(40);
    grid.SetWindowPos(nullptr, 0, 0, 420, 200, SWP_NOMOVE | SWP_NOZORDER);
    CRect header;
    grid.GetHeader().GetWindowRect(&header);
    EXPECT_EQ(header.Height(), 25);
    grid.SetColumnWidth(2, 100);
    EXPECT_EQ(grid.GetColumnWidth(2), 112);
}

TEST_F(GridListTest, ColumnAddedAfterRowsHasCellsAndUnsetMessageIsNotSent)
{
    grid.InsertColumn(1, "新列", LVCFMT_LEFT, 60);
    EXPECT_EQ(grid.GetCheckbox(0, 1), -1);
    EXPECT_EQ(grid.GetCheckbox(0, 2), 0) << "the check box moved with its column";
    EXPECT_TRUE(grid.SetCheckbox(0, 3, 1));
    EXPECT_FALSE(grid.SetCheckbox(0, 4, 1));
    EXPECT_FALSE(grid.SetItemText(5, 0, "x"));

    grid.SetCellMessage((UINT)-1);
    host.Clear();
    grid.SetItemText(0, 3, "稳健");
    PumpPending();
    for (const HostMessage& message : host.MessagesOf(0xFFFFFFFF))
        ADD_FAILURE() << "message " << message.message;
    EXPECT_EQ(host.Count(kCellMessage), 0u);
}

TEST_F(GridListTest, CheckBoxIsDrawnInsideItsCell)
{
    grid.SetCheckbox(0, 1, 1);
    grid.Invalidate();
    CRect cell = Cell(0, 1);
    Screenshot shot;
    tolvan::test::PumpUntil([&] {
        shot = Screenshot::CaptureClient(grid.m_hWnd);
        return !shot.IsEmpty() && shot.CountColor(RGB(0x33, 0x66, 0x99), &cell) > 0;
    });
    EXPECT_GT(shot.CountColor(RGB(0x33, 0x66, 0x99), &cell), 20u) << "box frame";
    EXPECT_GT(shot.CountColor(RGB(0x33, 0x99, 0x33), &cell), 10u) << "check mark";
    CRect first = Cell(0, 0);
    EXPECT_EQ(shot.CountColor(RGB(0x33, 0x66, 0x99), &first), 0u) << "drawn into column 0";
}

TEST_F(GridListTest, HeaderDrawsAnItemBitmapBeforeItsText)
{
    const COLORREF kBitmapColor = RGB(0x12, 0xC4, 0x56);
    CClientDC screen(&grid);
    CDC memory;
    memory.CreateCompatibleDC(&screen);
    CBitmap bitmap;
    bitmap.CreateCompatibleBitmap(&screen, 12, 12);
    CBitmap* old = memory.SelectObject(&bitmap);
    memory.FillSolidRect(0, 0, 12, 12, kBitmapColor);
    memory.SelectObject(old);
    HDITEMA item = {};
    item.mask = HDI_FORMAT | HDI_BITMAP;
    item.fmt = HDF_BITMAP | HDF_STRING | HDF_LEFT;
    item.hbm = static_cast<HBITMAP>(bitmap.GetSafeHandle());
    grid.GetHeader().SetItem(2, &item);
    grid.GetHeader().Invalidate();
    CRect header;
    grid.GetHeader().GetItemRect(2, &header);
    Screenshot shot;
    tolvan::test::PumpUntil([&] {
        shot = Screenshot::CaptureClient(grid.GetHeader().m_hWnd);
        return !shot.IsEmpty() && shot.CountColor(kBitmapColor, &header) > 0;
    });
    EXPECT_EQ(144u, shot.CountColor(kBitmapColor, &header));
}

// The owner-drawn grid (as the console's client list): each row is painted into a row
// picture with its background, select mode, colours and fonts, and copied out.
class OwnerDrawnGridTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(grid.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_SHOWSELALWAYS | LVS_SINGLESEL |
                                    LVS_OWNERDRAWFIXED,
                                CRect(10, 10, 410, 210), &host, kGridId));
        grid.SetBkColor(kListBk);
        grid.InsertColumn(0, "账户", LVCFMT_LEFT, 100);
        grid.InsertColumn(1, "名称", LVCFMT_LEFT, 120);
        for (int row = 0; row < 4; ++row) {
            grid.InsertItem(row, ("8800" + std::to_string(row)).c_str());
            grid.SetItemText(row, 1, "WWWWWW");
            grid.SetRowColors(row, {kRowText[row], kRowText[row]});
        }
        grid.SetRowBackgrounds(kRowBk);
        PumpPending();
    }
    CRect Row(int row)
    {
        CRect rect;
        grid.GetItemRect(row, &rect, LVIR_BOUNDS);
        rect.right = 220;
        return rect;
    }
    Screenshot Shot(const std::function<bool(const Screenshot&)>& ready)
    {
        grid.Invalidate();
        Screenshot shot;
        tolvan::test::PumpUntil([&] {
            shot = Screenshot::CaptureClient(grid.m_hWnd);
            return !shot.IsEmpty() && ready(shot);
        });
        return shot;
    }
    void Select(int row)
    {
        grid.SetItemState(row, LVIS_SELECTED, LVIS_SELECTED);
    }

    static constexpr COLORREF kListBk = RGB(0xFF, 0xFF, 0xFF);
    static constexpr COLORREF kSelect = RGB(0x00, 0x00, 0xFF);
    const COLORREF kRowBk[4] = {RGB(0xF0, 0xE0, 0xD0), RGB(0xD0, 0xE0, 0xF0), RGB(0xE0, 0xF0, 0xD0),
                                RGB(0xC0, 0xC0, 0xC0)};
    const COLORREF kRowText[4] = {RGB(0x10, 0x20, 0x30), RGB(0x80, 0x00, 0x00), RGB(0x00, 0x80, 0x00),
                                  RGB(0x00, 0x00, 0x80)};
    ControlHost host;
    CGridListCtrl grid;
};

TEST_F(OwnerDrawnGridTest, RowsTakeTheirBackgroundsColoursAndSelectMode)
{
    grid.SetSelectColor(kSelect);
    Select(1);
    struct Case { int mode; COLORREF fill; COLORREF frame; };
    const Case cases[] = {
        {-1, kListBk, kListBk},
        {0, RGB(0x7F, 0x7F, 0xFF), RGB(0x7F, 0x7F, 0xFF)},  // half select, half white
        {1, kListBk, kSelect},
    };
    for (const Case& c : cases) {
        grid.SetSelectMode(c.mode);
        const CRect selected = Row(1);
        const Screenshot shot = Shot([&](const Screenshot& s) {
            return s.PixelAt(selected.left + 150, selected.top + 2) == c.fill;
        });
        EXPECT_EQ(c.fill, shot.PixelAt(selected.left + 150, selected.top + 2)) << "mode " << c.mode;
        EXPECT_EQ(c.frame, shot.PixelAt(selected.left + 150, selected.top)) << "mode " << c.mode;
        for (int row : {0, 2, 3}) {
            const CRect rect = Row(row);
            EXPECT_EQ(kRowBk[row], shot.PixelAt(rect.left + 150, rect.top + 2)) << "row " << row;
            EXPECT_GT(shot.CountColor(kRowText[row], &rect), 5u) << "text of row " << row;
        }
    }
    // With the blend at 100 % a selected row shows the list background alone.
    grid.SetSelectMode(0);
    grid.SetBlendPercent(100);
    const CRect selected = Row(1);
    const Screenshot shot = Shot([&](const Screenshot& s) { return s.PixelAt(selected.left + 150, selected.top + 2) == kListBk; });
    EXPECT_EQ(kListBk, shot.PixelAt(selected.left + 150, selected.top + 2));
}

TEST_F(OwnerDrawnGridTest, ColumnFontAndItemFontWidenTheirCells)
{
    CFont small, large;
    small.CreatePointFont(80, "宋体");
    large.CreatePointFont(200, "宋体");
    auto inkWidth = [&](const Screenshot& shot, int column) {
        CRect cell;
        grid.GetSubItemRect(0, column, LVIR_BOUNDS, cell);
        int left = cell.right, right = cell.left;
        for (int y = cell.top; y < cell.bottom; ++y)
            for (int x = cell.left; x < cell.right; ++x)
                if (shot.PixelAt(x, y) == kRowText[0]) {
                    left = std::min(left, x);
                    right = std::max(right, x);
                }
        return right - left;
    };
    grid.SetItemFont(&small);
    Screenshot shot = Shot([&](const Screenshot& s) { return inkWidth(s, 1) > 0; });
    const int smallWidth = inkWidth(shot, 1);
    grid.SetColumnFont(&large, 1);
    shot = Shot([&](const Screenshot& s) { return inkWidth(s, 1) > smallWidth; });
    EXPECT_GT(inkWidth(shot, 1), smallWidth + 10) << "the column font in its column";
    EXPECT_LT(inkWidth(shot, 0), inkWidth(shot, 1)) << "the item font elsewhere";
    shot.SavePng("grid_owner_drawn.png");
}

TEST_F(OwnerDrawnGridTest, DeletingARowKeepsTheColoursOfTheOthers)
{
    ASSERT_TRUE(grid.DeleteItem(1));
    std::vector<COLORREF> colors;
    grid.GetRowColors(1, colors);
    ASSERT_EQ(2u, colors.size());
    EXPECT_EQ(kRowText[2], colors[0]) << "the row after the deleted one keeps its colours";
    grid.GetRowColors(2, colors);
    EXPECT_EQ(kRowText[3], colors[0]);
}

}  // namespace
