#include "FlatComboBox.h"

#include "ImageResource.h"

#include <cstring>

BEGIN_MESSAGE_MAP(CFlatComboBox, CComboBox)
    ON_WM_MOUSEMOVE()
    ON_WM_MOUSEHOVER()
    ON_WM_MOUSELEAVE()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_CONTROL_REFLECT(CBN_DROPDOWN, &CFlatComboBox::OnDropDown)
    ON_CONTROL_REFLECT(CBN_CLOSEUP, &CFlatComboBox::OnCloseUp)
    ON_WM_CTLCOLOR()
    ON_WM_PAINT()
END_MESSAGE_MAP()

CFlatComboBox::CFlatComboBox()
{
    Gdiplus::GdiplusStartupInput input;
    Gdiplus::GdiplusStartup(&m_gdiplusToken, &input, NULL);
    m_buttonWidth = ::GetSystemMetrics(SM_CXVSCROLL);
}

CFlatComboBox::~CFlatComboBox()
{
    for (Gdiplus::Image*& image : m_images) {
        delete image;
        image = nullptr;
    }
    Gdiplus::GdiplusShutdown(m_gdiplusToken);
}

void CFlatComboBox::PreSubclassWindow()
{
    CComboBox::PreSubclassWindow();
}

void CFlatComboBox::SetColors(COLORREF normal, COLORREF hover, COLORREF pressed, COLORREF disabled)
{
    m_fills[kNormal] = normal;
    m_fills[kHover] = hover;
    m_fills[kPressed] = pressed;
    m_fills[kDisabled] = disabled;
}

Gdiplus::Image* CFlatComboBox::LoadPngResource(UINT id)
{
    return tolvan::controls::LoadImageResource(AfxGetResourceHandle(),
                                               MAKEINTRESOURCEA(LOWORD(id)), "PNG");
}

void CFlatComboBox::SetImages(UINT normal, UINT hover, UINT pressed, UINT disabled)
{
    const UINT ids[4] = { normal, hover, pressed, disabled };
    for (int state = 0; state < 4; ++state) {
        delete m_images[state];
        m_images[state] = LoadPngResource(ids[state]);
    }
}

void CFlatComboBox::SetFont(int height, int width, int weight, LPCTSTR faceName)
{
    LOGFONTA logFont = {};
    ::GetObjectA(::GetStockObject(DEFAULT_GUI_FONT), sizeof(logFont), &logFont);
    logFont.lfHeight = height;
    logFont.lfWidth = width;
    logFont.lfWeight = weight;
    if (faceName != nullptr && std::strlen(faceName) < sizeof(logFont.lfFaceName))
        std::strcpy(logFont.lfFaceName, faceName);
    m_font.DeleteObject();
    m_font.CreateFontIndirect(&logFont);
    SendMessage(WM_SETFONT, (WPARAM)m_font.GetSafeHandle(), TRUE);
}

BOOL CFlatComboBox::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message == WM_KEYDOWN && pMsg->wParam == VK_RETURN) {
        // Enter acts as a command of the parent, as if a menu item of the combo's id was chosen.
        CWnd* parent = GetParent();
        if (parent != nullptr)
            parent->SendMessage(WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(), 0), 0);
        return TRUE;
    }
    return CComboBox::PreTranslateMessage(pMsg);
}

void CFlatComboBox::InvalidateButton()
{
    if (m_buttonRect.IsRectEmpty())
        Invalidate();
    else
        InvalidateRect(&m_buttonRect, TRUE);
}

bool CFlatComboBox::CursorOverClient() const
{
    CPoint cursor;
    ::GetCursorPos(&cursor);
    ScreenToClient(&cursor);
    CRect client;
    GetClientRect(&client);
    return client.PtInRect(cursor) != FALSE;
}

void CFlatComboBox::OnMouseMove(UINT nFlags, CPoint point)
{
    if (!m_tracking) {
        TRACKMOUSEEVENT track = { sizeof(track), TME_HOVER | TME_LEAVE, m_hWnd, 10 };
        m_tracking = ::TrackMouseEvent(&track) ? 1 : 0;
    }
    CComboBox::OnMouseMove(nFlags, point);
}

void CFlatComboBox::OnMouseHover(UINT nFlags, CPoint point)
{
    m_state = m_dropped ? kPressed : kHover;
    InvalidateButton();
    CComboBox::OnMouseHover(nFlags, point);
}

void CFlatComboBox::OnMouseLeave()
{
    m_tracking = 0;
    m_state = m_dropped ? kPressed : kNormal;
    InvalidateButton();
    CComboBox::OnMouseLeave();
}

void CFlatComboBox::OnLButtonDown(UINT nFlags, CPoint point)
{
    m_state = kPressed;
    InvalidateButton();
    CComboBox::OnLButtonDown(nFlags, point);
}

void CFlatComboBox::OnLButtonUp(UINT nFlags, CPoint point)
{
    if (m_dropped) {
        m_state = kPressed;
    } else {
        CRect client;
        GetClientRect(&client);
        m_state = client.PtInRect(point) ? kHover : kNormal;
    }
    InvalidateButton();
    CComboBox::OnLButtonUp(nFlags, point);
}

void CFlatComboBox::OnDropDown()
{
    m_dropped = 1;
    m_state = kPressed;
    InvalidateButton();
}

void CFlatComboBox::OnCloseUp()
{
    m_dropped = 0;
    m_state = CursorOverClient() ? kHover : kNormal;
    InvalidateButton();
}

HBRUSH CFlatComboBox::OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor)
{
    HBRUSH brush = CComboBox::OnCtlColor(pDC, pWnd, nCtlColor);
    pDC->SetTextColor(m_textColor);
    return brush;
}

void CFlatComboBox::OnPaint()
{
    CPaintDC dc(this);
    DefWindowProc(WM_PAINT, (WPARAM)dc.m_hDC, 0);
    DrawButton(dc);
}

void CFlatComboBox::DrawButton(CDC& dc)
{
    CRect r;
    GetClientRect(&r);
    CBrush outer(m_outerFrame), inner(m_innerFrame);
    dc.FrameRect(&r, &outer);
    r.DeflateRect(1, 1);
    dc.FrameRect(&r, &inner);
    r.DeflateRect(1, 1);

    CRect button(r.right - m_buttonWidth, r.top, r.right, r.bottom);
    button.DeflateRect(1, 1);
    button.InflateRect(0, 1);
    button.InflateRect(1, 1);
    button.right += 1;
    int look = IsWindowEnabled() ? m_state : kDisabled;
    dc.FillSolidRect(&button, m_fills[look]);
    dc.FrameRect(&button, &inner);
    m_buttonRect = button;
    if (m_images[look] != nullptr) {
        Gdiplus::Graphics graphics(dc.m_hDC);
        graphics.DrawImage(m_images[look], button.right - m_buttonWidth, button.top + 1,
                           m_buttonWidth - 1, button.Height() - 2);
    }
}
