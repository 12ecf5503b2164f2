// The non-client and sizing handlers that self-drawn frames and resizable dialogs are built
// on: what each message-map entry hands its handler and what the message returns.
#include "windows_test_app.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string Text(const char* name, std::initializer_list<long> values)
{
    std::string text = name;
    text += "(";
    bool first = true;
    for (long value : values) {
        if (!first)
            text += ",";
        text += std::to_string(value);
        first = false;
    }
    return text + ")";
}

class CFrameProbe : public CWnd
{
public:
    std::string last;

protected:
    afx_msg LRESULT OnNcHitTest(CPoint point)
    {
        last = Text("NcHitTest", { point.x, point.y });
        return HTBOTTOMRIGHT;
    }
    afx_msg BOOL OnNcActivate(BOOL bActive)
    {
        last = Text("NcActivate", { bActive });
        return TRUE;
    }
    afx_msg void OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp)
    {
        last = Text("NcCalcSize", { bCalcValidRects });
        ::InflateRect(&lpncsp->rgrc[0], -3, -4);
    }
    afx_msg void OnNcPaint() { last = "NcPaint()"; }
    afx_msg void OnNcLButtonDown(UINT nHitTest, CPoint point) { Point("NcLButtonDown", nHitTest, point); }
    afx_msg void OnNcLButtonUp(UINT nHitTest, CPoint point) { Point("NcLButtonUp", nHitTest, point); }
    afx_msg void OnNcLButtonDblClk(UINT nHitTest, CPoint point) { Point("NcLButtonDblClk", nHitTest, point); }
    afx_msg void OnNcRButtonUp(UINT nHitTest, CPoint point) { Point("NcRButtonUp", nHitTest, point); }
    afx_msg void OnNcMouseMove(UINT nHitTest, CPoint point) { Point("NcMouseMove", nHitTest, point); }
    afx_msg void OnNcMouseHover(UINT nHitTest, CPoint point) { Point("NcMouseHover", nHitTest, point); }
    afx_msg void OnNcMouseLeave() { last = "NcMouseLeave()"; }
    afx_msg void OnGetMinMaxInfo(MINMAXINFO* lpMMI)
    {
        last = "GetMinMaxInfo()";
        lpMMI->ptMinTrackSize = CPoint(600, 300);
    }
    afx_msg void OnSizing(UINT fwSide, LPRECT pRect)
    {
        last = Text("Sizing", { (long)fwSide, pRect->left, pRect->right });
        pRect->right = pRect->left + 100;
    }
    afx_msg void OnSize(UINT nType, int cx, int cy) { last = Text("Size", { (long)nType, cx, cy }); }

    void Point(const char* name, UINT nHitTest, CPoint point)
    {
        last = Text(name, { (long)nHitTest, point.x, point.y });
    }

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CFrameProbe, CWnd)
    ON_WM_NCHITTEST()
    ON_WM_NCACTIVATE()
    ON_WM_NCCALCSIZE()
    ON_WM_NCPAINT()
    ON_WM_NCLBUTTONDOWN()
    ON_WM_NCLBUTTONUP()
    ON_WM_NCLBUTTONDBLCLK()
    ON_WM_NCRBUTTONUP()
    ON_WM_NCMOUSEMOVE()
    ON_WM_NCMOUSEHOVER()
    ON_WM_NCMOUSELEAVE()
    ON_WM_GETMINMAXINFO()
    ON_WM_SIZING()
    ON_WM_SIZE()
END_MESSAGE_MAP()

TEST(FrameHandlerTest, EachEntryGetsItsArgumentsAndGivesItsResult)
{
    CFrameProbe probe;
    ASSERT_TRUE(probe.CreateEx(0, AfxRegisterWndClass(0), "frame", WS_POPUP | WS_THICKFRAME, 0, 0,
                               200, 100, NULL, NULL));

    NCCALCSIZE_PARAMS calc = {};
    ::SetRect(&calc.rgrc[0], 10, 20, 110, 220);
    MINMAXINFO minMax = {};
    RECT sizing = { 5, 6, 400, 300 };

    // Screen points left of and above the primary monitor are negative: cracked as signed.
    struct Row {
        UINT message;
        WPARAM wParam;
        LPARAM lParam;
        const char* handled;
        LRESULT result;
    };
    const Row rows[] = {
        { WM_NCHITTEST, 0, MAKELPARAM(-5, -7), "NcHitTest(-5,-7)", HTBOTTOMRIGHT },
        { WM_NCACTIVATE, FALSE, 0, "NcActivate(0)", TRUE },
        { WM_NCCALCSIZE, TRUE, (LPARAM)&calc, "NcCalcSize(1)", 0 },
        { WM_NCPAINT, 1, 0, "NcPaint()", 0 },
        { WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(-30, 40), "NcLButtonDown(2,-30,40)", 0 },
        { WM_NCLBUTTONUP, HTCLOSE, MAKELPARAM(30, -40), "NcLButtonUp(20,30,-40)", 0 },
        { WM_NCLBUTTONDBLCLK, HTCAPTION, MAKELPARAM(1, 2), "NcLButtonDblClk(2,1,2)", 0 },
        { WM_NCRBUTTONUP, HTSYSMENU, MAKELPARAM(3, 4), "NcRButtonUp(3,3,4)", 0 },
        { WM_NCMOUSEMOVE, HTMAXBUTTON, MAKELPARAM(-1, -1), "NcMouseMove(9,-1,-1)", 0 },
        { WM_NCMOUSEHOVER, HTMINBUTTON, MAKELPARAM(7, 8), "NcMouseHover(8,7,8)", 0 },
        { WM_NCMOUSELEAVE, 0, 0, "NcMouseLeave()", 0 },
        { WM_GETMINMAXINFO, 0, (LPARAM)&minMax, "GetMinMaxInfo()", 0 },
        { WM_SIZING, WMSZ_BOTTOMRIGHT, (LPARAM)&sizing, "Sizing(8,5,400)", TRUE },
        { WM_SIZE, SIZE_MAXIMIZED, MAKELPARAM(640, 480), "Size(2,640,480)", 0 },
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.handled);
        probe.last.clear();
        EXPECT_EQ(::SendMessageA(probe.m_hWnd, row.message, row.wParam, row.lParam), row.result);
        EXPECT_EQ(probe.last, row.handled);
    }
    // The handlers changed the structures the messages point to.
    EXPECT_EQ(CRect(calc.rgrc[0]), CRect(13, 24, 107, 216));
    EXPECT_EQ(CPoint(minMax.ptMinTrackSize), CPoint(600, 300));
    EXPECT_EQ(sizing.right, 105);
    probe.DestroyWindow();
}

}  // namespace
