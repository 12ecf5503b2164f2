// CPaintDC, CClientDC and CWindowDC on a real window.
#include "memory_canvas.h"

#include <gtest/gtest.h>
#include <testsupport/Pump.h>

namespace {

using tolvan::test::PumpUntil;

const COLORREF kPaintColour = RGB(30, 160, 90);
const COLORREF kClientColour = RGB(200, 40, 40);

int g_paintCount = 0;
RECT g_paintedRect;

// Paints its whole update area through CPaintDC, as an OnPaint handler would.
LRESULT CALLBACK PaintingWindowProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_PAINT) {
        CPaintDC dc(CWnd::FromHandle(hWnd));
        g_paintedRect = dc.m_ps.rcPaint;
        dc.FillSolidRect(&dc.m_ps.rcPaint, kPaintColour);
        ++g_paintCount;
        return 0;
    }
    if (message == WM_ERASEBKGND)
        return 1;
    return ::DefWindowProc(hWnd, message, wParam, lParam);
}

class WindowDcTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        WNDCLASS windowClass = {};
        windowClass.lpfnWndProc = PaintingWindowProc;
        windowClass.hInstance = ::GetModuleHandle(NULL);
        windowClass.lpszClassName = "TolvanGdiTestWindow";
        windowClass.hCursor = ::LoadCursor(NULL, IDC_ARROW);
        ::RegisterClass(&windowClass);
        g_paintCount = 0;
        hWnd_ = ::CreateWindowEx(0, "TolvanGdiTestWindow", "gdi", WS_POPUP | WS_VISIBLE, 50, 50,
                                 120, 90, NULL, NULL, ::GetModuleHandle(NULL), NULL);
        ASSERT_NE(nullptr, hWnd_);
        ::UpdateWindow(hWnd_);
    }

    void TearDown() override
    {
        if (hWnd_ != NULL)
            ::DestroyWindow(hWnd_);
        AfxDeleteTempGdiObjects();
    }

    HWND hWnd_ = NULL;
};

TEST_F(WindowDcTest, PaintDcPaintsTheUpdateAreaAndValidatesIt)
{
    ASSERT_TRUE(PumpUntil([] { return g_paintCount > 0; }));
    EXPECT_EQ(0, g_paintedRect.left);
    EXPECT_EQ(120, g_paintedRect.right);
    EXPECT_FALSE(::GetUpdateRect(hWnd_, NULL, FALSE));

    CClientDC client(CWnd::FromHandle(hWnd_));
    ASSERT_NE(nullptr, client.GetSafeHdc());
    EXPECT_EQ(kPaintColour, client.GetPixel(60, 45));
    CWnd* drawnInto = client.GetWindow();
    ASSERT_NE(nullptr, drawnInto);
    EXPECT_EQ(hWnd_, drawnInto->GetSafeHwnd());

    // A partial invalidation repaints just that part, and only once.
    int paintsBefore = g_paintCount;
    RECT part = { 10, 10, 30, 30 };
    ::InvalidateRect(hWnd_, &part, FALSE);
    ::UpdateWindow(hWnd_);
    EXPECT_EQ(paintsBefore + 1, g_paintCount);
    EXPECT_TRUE(::EqualRect(&part, &g_paintedRect));
    EXPECT_FALSE(::GetUpdateRect(hWnd_, NULL, FALSE));
}

TEST_F(WindowDcTest, ClientDcDrawsIntoTheClientArea)
{
    ASSERT_TRUE(PumpUntil([] { return g_paintCount > 0; }));
    {
        CClientDC dc(CWnd::FromHandle(hWnd_));
        dc.FillSolidRect(0, 0, 20, 20, kClientColour);
    }
    CClientDC reader(CWnd::FromHandle(hWnd_));
    EXPECT_EQ(kClientColour, reader.GetPixel(5, 5));
    EXPECT_EQ(kPaintColour, reader.GetPixel(25, 25));

    CWindowDC whole(CWnd::FromHandle(hWnd_));
    ASSERT_NE(nullptr, whole.GetSafeHdc());
    // No window manager here: the window has no frame, so its origin is the client's.
    EXPECT_EQ(kClientColour, whole.GetPixel(5, 5));
}

TEST(WindowDcScreen, NullWindowMeansTheScreenAndMemoryDcsHaveNoWindow)
{
    CClientDC screen(NULL);
    ASSERT_NE(nullptr, screen.GetSafeHdc());
    EXPECT_GT(screen.GetDeviceCaps(HORZRES), 0);
    CWindowDC desktop(NULL);
    ASSERT_NE(nullptr, desktop.GetSafeHdc());

    MemoryCanvas canvas(4, 4);
    EXPECT_EQ(nullptr, canvas.dc.GetWindow());
}

}  // namespace

// Controls that paint themselves draw the standard control into an off-screen picture first:
// DefWindowProc(WM_PAINT, hdc) of a subclassed control paints into that DC, not the screen.
TEST(ControlPaintTest, DefWindowProcPaintsAStandardControlIntoAMemoryDc)
{
    struct Case {
        const char* className;
        DWORD style;
    };
    const Case cases[] = {
        { "BUTTON", BS_PUSHBUTTON },
        { "STATIC", SS_LEFT },
        { "EDIT", ES_LEFT | ES_AUTOHSCROLL },
    };
    const COLORREF kUntouched = RGB(255, 0, 255);
    const CRect area(0, 0, 120, 28);
    CWnd parent;
    ASSERT_TRUE(parent.CreateEx(0, AfxRegisterWndClass(0), "parent", WS_POPUP | WS_VISIBLE, 0, 0,
                                200, 100, NULL, NULL));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.className);
        CWnd control;
        ASSERT_TRUE(control.Create(c.className, "汉字 Text", WS_CHILD | WS_VISIBLE | c.style, area,
                                   &parent, 1));
        ::UpdateWindow(parent.m_hWnd);
        MemoryCanvas canvas(area.Width(), area.Height());
        canvas.dc.FillSolidRect(0, 0, area.Width(), area.Height(), kUntouched);

        control.DefWindowProc(WM_PAINT, (WPARAM)canvas.dc.m_hDC, 0);

        // The control drew on the canvas: its background and its text (dark pixels).
        int drawn = canvas.CountPixelsNot(kUntouched);
        EXPECT_GT(drawn, 0);
        int dark = 0;
        for (int y = 0; y < area.Height(); ++y)
            for (int x = 0; x < area.Width(); ++x) {
                COLORREF pixel = canvas.dc.GetPixel(x, y);
                if (GetRValue(pixel) + GetGValue(pixel) + GetBValue(pixel) < 200)
                    ++dark;
            }
        EXPECT_GT(dark, 10);
        control.DestroyWindow();
    }
    parent.DestroyWindow();
}

// The system draws the buttons of every caption, scroll-bar arrows and check marks with the
// glyphs of the Marlett symbol font; without it they come out as the letters "0 1 r". Under
// Wine the font has to be put into the prefix (tools/wine-run.sh).
TEST(SystemFontTest, TheCaptionSymbolFontIsFound)
{
    CFont font;
    ASSERT_TRUE(font.CreateFont(-16, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, SYMBOL_CHARSET,
                                OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                DEFAULT_PITCH, "Marlett"));
    MemoryCanvas canvas(16, 16);
    CFont* pOldFont = canvas.dc.SelectObject(&font);
    CString face;
    canvas.dc.GetTextFace(face);
    TEXTMETRIC metrics = {};
    canvas.dc.GetTextMetrics(&metrics);
    canvas.dc.SelectObject(pOldFont);
    EXPECT_STREQ(face, "Marlett");
    EXPECT_EQ(metrics.tmCharSet, SYMBOL_CHARSET);
}
