// The resizable dialog: controls follow the size by their anchor codes, the grip follows
// the corner, and the dialog cannot be made smaller than it started.
#include "controls_test_host.h"
#include "controls_test_resources.h"

#include "ResizeDialog.h"

#include <testsupport/Pump.h>

#include <gtest/gtest.h>

#include <vector>

using tolvan::test::PumpPending;

namespace {

const int kAnchors[] = { 2, 3, 8, 10, 11, 12, 14, 15, 4 };
const int kCount = sizeof(kAnchors) / sizeof(kAnchors[0]);

class AnchoredDialog : public CResizeDialog
{
public:
    AnchoredDialog() : CResizeDialog(IDD_RESIZE_TEST)
    {
        for (int i = 0; i < kCount; ++i)
            table.push_back({ IDC_RESIZE_FIRST + i, kAnchors[i] });
        table.push_back({ 999, 15 });  // no such control: skipped
    }
    BOOL OnInitDialog() override
    {
        SetControlInfo(table.data(), static_cast<int>(table.size()));
        return CResizeDialog::OnInitDialog();
    }
    std::vector<ResizeControlInfo> table;
};

class ResizeDialogTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dialog.Create(IDD_RESIZE_TEST));
        dialog.ShowWindow(SW_SHOWNORMAL);
        PumpPending();
        initial = Rects();
    }
    void TearDown() override { dialog.DestroyWindow(); }
    std::vector<CRect> Rects()
    {
        std::vector<CRect> rects;
        for (int i = 0; i < kCount; ++i) {
            CRect rect;
            dialog.GetDlgItem(IDC_RESIZE_FIRST + i)->GetWindowRect(&rect);
            dialog.ScreenToClient(&rect);
            rects.push_back(rect);
        }
        return rects;
    }
    void Grow(int dx, int dy)
    {
        CRect window;
        dialog.GetWindowRect(&window);
        dialog.SetWindowPos(nullptr, 0, 0, window.Width() + dx, window.Height() + dy,
                            SWP_NOMOVE | SWP_NOZORDER);
        PumpPending();
    }

    AnchoredDialog dialog;
    std::vector<CRect> initial;
};

TEST_F(ResizeDialogTest, ControlsFollowTheirAnchors)
{
    EXPECT_TRUE(dialog.GetStyle() & WS_THICKFRAME);
    Grow(50, 30);
    std::vector<CRect> now = Rects();
    struct Expected {
        int dLeft, dTop, dRight, dBottom;
    } expected[] = {
        { 0, 30, 0, 30 },   // 2
        { 0, 0, 0, 30 },    // 3
        { 50, 0, 50, 0 },   // 8
        { 50, 30, 50, 30 }, // 10
        { 50, 0, 50, 30 },  // 11
        { 0, 0, 50, 0 },    // 12
        { 0, 30, 50, 30 },  // 14
        { 0, 0, 50, 30 },   // 15
        { 0, 0, 0, 0 },     // 4
    };
    for (int i = 0; i < kCount; ++i) {
        SCOPED_TRACE(kAnchors[i]);
        EXPECT_EQ(now[i].left - initial[i].left, expected[i].dLeft);
        EXPECT_EQ(now[i].top - initial[i].top, expected[i].dTop);
        EXPECT_EQ(now[i].right - initial[i].right, expected[i].dRight);
        EXPECT_EQ(now[i].bottom - initial[i].bottom, expected[i].dBottom);
    }
}

TEST_F(ResizeDialogTest, MinimiseRestoreKeepsControlsAndMaximiseHidesTheGrip)
{
    dialog.ShowWindow(SW_MINIMIZE);
    PumpPending();
    dialog.ShowWindow(SW_RESTORE);
    PumpPending();
    EXPECT_EQ(Rects(), initial);

    dialog.ShowWindow(SW_MAXIMIZE);
    PumpPending();
    EXPECT_FALSE(dialog.GetGrip().IsWindowVisible());
    dialog.ShowWindow(SW_RESTORE);
    PumpPending();
    EXPECT_TRUE(dialog.GetGrip().IsWindowVisible());
    CRect client, grip;
    dialog.GetClientRect(&client);
    dialog.GetGrip().GetWindowRect(&grip);
    dialog.ScreenToClient(&grip);
    EXPECT_EQ(grip.BottomRight(), client.BottomRight());
}

TEST_F(ResizeDialogTest, DraggedEdgeStopsAtTheMinimumSize)
{
    CSize minimum = dialog.GetMinimumSize();
    struct Case {
        UINT edge;
        CRect proposed;
        CRect kept;
    } cases[] = {
        { WMSZ_RIGHT, CRect(100, 100, 150, 100 + minimum.cy), CRect(100, 100, 100 + minimum.cx, 100 + minimum.cy) },
        { WMSZ_LEFT, CRect(400, 100, 450, 100 + minimum.cy), CRect(450 - minimum.cx, 100, 450, 100 + minimum.cy) },
        { WMSZ_TOP, CRect(100, 300, 100 + minimum.cx, 320), CRect(100, 320 - minimum.cy, 100 + minimum.cx, 320) },
        { WMSZ_BOTTOMRIGHT, CRect(100, 100, 120, 120), CRect(100, 100, 100 + minimum.cx, 100 + minimum.cy) },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.edge);
        CRect rect = c.proposed;
        dialog.SendMessage(WM_SIZING, c.edge, (LPARAM)&rect);
        EXPECT_EQ(rect, c.kept);
    }
}

}  // namespace
