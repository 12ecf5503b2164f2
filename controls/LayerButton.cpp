#include "LayerButton.h"

namespace {

const char kBadStyle[] = "Button初始化错识！";
const char kBadUpperHeight[] = "按钮上半部高度设置错误，将自动使用默认高度！";
const COLORREF kHoverColor = 0x7DD3FD;

COLORREF Divide(COLORREF color, int by)
{
    return RGB(GetRValue(color) / by, GetGValue(color) / by, GetBValue(color) / by);
}

}  // namespace

BEGIN_MESSAGE_MAP(CLayerButton, CButton)
    ON_WM_ERASEBKGND()
    ON_WM_MOUSEMOVE()
    ON_WM_MOUSEHOVER()
    ON_WM_MOUSELEAVE()
END_MESSAGE_MAP()

CLayerButton::CLayerButton()
{
    InitStyle(0);
}

CLayerButton::~CLayerButton() = default;

void CLayerButton::SetStyle(int style)
{
    InitStyle(style);
}

void CLayerButton::InitStyle(int style)
{
    m_frameVariant = 1;
    m_penWidth = 1;
    m_bkColor = 0xF0F0F0;
    m_darkColor = 0x743C00;
    m_lightLineColor = 0xA0A0A0;
    m_midLineColor = 0xA0A0A0;
    m_highlightColor = 0xE3E3E3;
    m_shadowColor = 0x7F7F7F;
    SetBaseColor(0x703C00);
    if (style < 0 || style > 4) {
        // Reported here, once; painting then uses the flat style.
        style = 0;
        AfxMessageBox(kBadStyle, MB_OK);
    }
    m_style = style;
    if (style == 0) {
        m_textColor = 0;
        m_font.DeleteObject();
        m_textFormat = 21;
    } else if (style == 1) {
        m_upperTextColor = m_lowerTextColor = 0;
        m_upperText = "文本1";
        m_lowerText = "文本2";
        m_upperFont = m_lowerFont = nullptr;
        m_upperFormat = m_lowerFormat = 37;
        m_requestedUpperHeight = m_upperHeight = 20;
        m_margin = 2;
        m_separatorWidth = 1;
        CRect client;
        if (::IsWindow(m_hWnd))
            GetClientRect(&client);
        m_separatorLength = client.Width() - 3;
        m_separatorColor = 0;
        m_upperTextRect.SetRectEmpty();
        m_lowerTextRect.SetRectEmpty();
    }
}

void CLayerButton::SetBaseColor(COLORREF color)
{
    m_normalOuter = m_pressedOuter = m_focusedOuter = color;
    m_focusedThird = Divide(color, 3);
    m_focusedHalf = Divide(color, 2);
    m_normalInner = 0xFCFCFC;
    m_pressedInner = 0xA0A0A0;
}

void CLayerButton::SetBkColor(COLORREF color)
{
    m_bkColor = color;
    if (::IsWindow(m_hWnd))
        Invalidate();
}

void CLayerButton::SetTextColor(COLORREF color)
{
    if (m_style != 0)
        return;
    m_textColor = color;
    if (::IsWindow(m_hWnd))
        Invalidate();
}

void CLayerButton::SetFont(CFont* font)
{
    if (m_style != 0)
        return;
    m_font.DeleteObject();
    LOGFONTA logFont;
    if (font != nullptr && font->GetSafeHandle() != NULL && font->GetLogFont(&logFont) != 0)
        m_font.CreateFontIndirect(&logFont);
    if (::IsWindow(m_hWnd))
        Invalidate();
}

void CLayerButton::SetTextFormat(UINT format)
{
    if (m_style != 0)
        return;
    m_textFormat = format;
    if (::IsWindow(m_hWnd))
        Invalidate();
}

BOOL CLayerButton::DestroyWindow()
{
    BOOL destroyed = CButton::DestroyWindow();
    m_font.DeleteObject();
    return destroyed;
}

void CLayerButton::PreSubclassWindow()
{
    CButton::PreSubclassWindow();
    SendMessage(BM_SETSTYLE, (GetStyle() & ~(DWORD)BS_TYPEMASK & 0xFFFF) | BS_OWNERDRAW, TRUE);
}

BOOL CLayerButton::OnEraseBkgnd(CDC*)
{
    return TRUE;
}

void CLayerButton::OnMouseMove(UINT nFlags, CPoint point)
{
    if (!m_tracking) {
        TRACKMOUSEEVENT track = { sizeof(track), TME_HOVER | TME_LEAVE, m_hWnd, 1 };
        m_tracking = ::TrackMouseEvent(&track) ? 1 : 0;
    }
    CButton::OnMouseMove(nFlags, point);
}

void CLayerButton::OnMouseHover(UINT nFlags, CPoint point)
{
    m_hover = 1;
    Invalidate();
    CButton::OnMouseHover(nFlags, point);
}

void CLayerButton::OnMouseLeave()
{
    m_tracking = 0;
    m_hover = 0;
    Invalidate();
    CButton::OnMouseLeave();
}

void CLayerButton::Line(CDC& dc, COLORREF color, int x1, int y1, int x2, int y2)
{
    CPen pen(PS_SOLID, 1, color);
    CPen* old = dc.SelectObject(&pen);
    dc.MoveTo(x1, y1);
    dc.LineTo(x2, y2);
    dc.SelectObject(old);
}

void CLayerButton::CopyParentBackground(CDC& dc, const CRect& item)
{
    CWnd* parent = GetParent();
    if (parent == nullptr) {
        dc.FillSolidRect(&item, m_bkColor);
        return;
    }
    CRect window;
    GetWindowRect(&window);
    parent->ScreenToClient(&window);
    CDC* parentDC = parent->GetDC();
    dc.BitBlt(0, 0, item.Width(), item.Height(), parentDC, window.left, window.top, SRCCOPY);
    parent->ReleaseDC(parentDC);
}

void CLayerButton::DrawVariant1(CDC& dc, const CRect& item, bool pressed, bool focused)
{
    int L = item.left, T = item.top, R = item.right, B = item.bottom;
    dc.FillSolidRect(&item, m_bkColor);
    if (pressed) {
        POINT outer[5] = { { L, T }, { R - 1, T }, { R - 1, B - 1 }, { L, B - 1 }, { L, T } };
        POINT inner[5] = { { L + 1, T + 1 }, { R - 2, T + 1 }, { R - 2, B - 2 }, { L + 1, B - 2 }, { L + 1, T + 1 } };
        CPen dark(PS_SOLID, 1, m_darkColor), mid(PS_SOLID, 1, m_midLineColor);
        CPen* old = dc.SelectObject(&dark);
        dc.Polyline(outer, 5);
        dc.SelectObject(&mid);
        dc.Polyline(inner, 5);
        dc.SelectObject(old);
    } else if (focused) {
        R -= 1;
        B -= 1;
        Line(dc, m_darkColor, L, T, R, T);
        Line(dc, m_darkColor, L, T, L, B);
        Line(dc, m_darkColor, R, T, R, B + 1);
        Line(dc, m_darkColor, R - 1, T, R - 1, B + 1);
        Line(dc, m_darkColor, L, B, R + 1, B);
        Line(dc, m_darkColor, L, B - 1, R + 1, B - 1);
        Line(dc, m_lightLineColor, L + 1, T + 1, R - 2, T + 1);
        Line(dc, m_lightLineColor, L + 1, T + 1, L + 1, B - 2);
        Line(dc, m_midLineColor, R - 2, T + 1, R - 2, B - 1);
        Line(dc, m_midLineColor, L + 1, B - 2, R - 1, B - 2);
        Line(dc, m_highlightColor, L + 2, T + 2, R - 3, T + 2);
        Line(dc, m_highlightColor, L + 2, T + 2, L + 2, B - 3);
    } else {
        Line(dc, m_lightLineColor, 0, 0, R, 0);
        Line(dc, m_lightLineColor, 0, B, 0, 0);
        Line(dc, m_shadowColor, R - 1, 0, R - 1, B);
        Line(dc, m_shadowColor, 0, B - 1, R, B - 1);
        Line(dc, m_highlightColor, 1, 1, R - 2, 1);
        Line(dc, m_highlightColor, 1, 1, 1, B - 2);
        Line(dc, m_midLineColor, R - 2, 1, R - 2, B - 1);
        Line(dc, m_midLineColor, 1, B - 2, R - 1, B - 2);
    }
}

void CLayerButton::DrawVariant2(CDC& dc, const CRect& item, bool pressed, bool focused)
{
    CRgn region;
    region.CreateRoundRectRgn(item.left, item.top, item.right, item.bottom, 5, 5);
    CBrush face(m_bkColor);
    dc.FillRgn(&region, &face);
    COLORREF outer = pressed ? m_pressedOuter : focused ? m_focusedOuter : m_normalOuter;
    COLORREF inner = pressed ? m_pressedInner : focused ? m_focusedThird : m_normalInner;
    int w = m_penWidth;
    CPen outerPen(PS_INSIDEFRAME, w, outer), innerPen(PS_INSIDEFRAME, w, inner);
    CGdiObject* oldBrush = dc.SelectStockObject(NULL_BRUSH);
    CPen* oldPen = dc.SelectObject(&outerPen);
    dc.RoundRect(item.left, item.top, item.right, item.bottom, 5, 5);
    dc.SelectObject(&innerPen);
    dc.RoundRect(item.left + w, item.top + w, item.right - w, item.bottom - w, 5, 5);
    dc.SelectObject(oldPen);
    dc.SelectObject(oldBrush);
}

void CLayerButton::DrawFrame(CDC& dc, const CRect& item, bool pressed, bool focused)
{
    if (m_frameVariant == 1)
        DrawVariant1(dc, item, pressed, focused);
    else if (m_frameVariant == 2)
        DrawVariant2(dc, item, pressed, focused);
}

void CLayerButton::DrawFlat(CDC& dc, const CRect& item, bool pressed, bool focused)
{
    DrawFrame(dc, item, pressed, focused);
    CString caption;
    GetWindowText(caption);
    dc.SetBkMode(TRANSPARENT);
    dc.SetTextColor(m_textColor);
    CFont* oldFont = m_font.GetSafeHandle() != NULL ? dc.SelectObject(&m_font) : nullptr;
    CRect measured = item;
    dc.DrawText(caption, &measured, m_textFormat | DT_CALCRECT);
    CRect text = item;
    text.top = item.top + ((item.bottom - measured.Height()) - item.top) / 2;
    text.bottom = text.top + measured.Height();
    if (pressed)
        text.OffsetRect(2, 2);
    dc.DrawText(caption, &text, m_textFormat);
    if (oldFont != nullptr)
        dc.SelectObject(oldFont);
}

void CLayerButton::DrawTwoPart(CDC& dc, const CRect& item, bool pressed, bool focused)
{
    CRect inner = item;
    inner.DeflateRect(2 * m_penWidth, 2 * m_penWidth);
    // The separator and the margins around it take room from the two parts.
    int available = inner.Height() - 2 * m_margin - m_separatorWidth;
    if (m_requestedUpperHeight >= available) {
        m_requestedUpperHeight = m_upperHeight = available / 2;
        AfxMessageBox(kBadUpperHeight, MB_OK);
    }
    CRect upper = inner;
    upper.bottom = inner.top + m_upperHeight;
    CRect lower = inner;
    lower.top = upper.bottom + m_separatorWidth + 2 * m_margin;
    if (m_separatorLength > inner.Width())
        m_separatorLength = inner.Width() - 6;

    DrawFrame(dc, item, pressed, focused);
    dc.FillSolidRect(&upper, m_bkColor);
    dc.FillSolidRect(&lower, m_bkColor);
    CPen separator(PS_SOLID, m_separatorWidth, m_separatorColor);
    CPen* oldPen = dc.SelectObject(&separator);
    int x = inner.left + (inner.Width() - m_separatorLength) / 2;
    int y = upper.bottom + m_margin;
    dc.MoveTo(x, y);
    dc.LineTo(x + m_separatorLength, y);
    dc.SelectObject(oldPen);

    dc.SetBkMode(TRANSPARENT);
    if (pressed) {
        upper.OffsetRect(2, 2);
        lower.OffsetRect(2, 2);
    }
    struct Part {
        const CString& text;
        CFont* font;
        COLORREF color;
        UINT format;
        const CRect& rect;
    } parts[2] = { { m_upperText, m_upperFont, m_upperTextColor, m_upperFormat, upper },
                   { m_lowerText, m_lowerFont, m_lowerTextColor, m_lowerFormat, lower } };
    for (const Part& part : parts) {
        CFont* oldFont = part.font != nullptr ? dc.SelectObject(part.font) : nullptr;
        dc.SetTextColor(part.color);
        CRect rect = part.rect;
        dc.DrawText(part.text, &rect, part.format);
        if (oldFont != nullptr)
            dc.SelectObject(oldFont);
    }
    m_upperTextRect = upper;
    m_lowerTextRect = lower;
}

void CLayerButton::DrawHover(CDC& dc, const CRect& item)
{
    int L = item.left, T = item.top, R = item.right, B = item.bottom;
    CPen pen(PS_INSIDEFRAME, m_penWidth, kHoverColor);
    CPen* old = dc.SelectObject(&pen);
    POINT outer[9] = { { L + 2, T + 5 }, { L + 5, T + 2 }, { R - 6, T + 2 }, { R - 3, T + 6 },
                       { R - 3, B - 6 }, { R - 6, B - 3 }, { L + 6, B - 3 }, { L + 2, B - 5 },
                       { L + 2, T + 5 } };
    POINT inner[9] = { { L + 3, T + 6 }, { L + 6, T + 3 }, { R - 7, T + 3 }, { R - 4, T + 7 },
                       { R - 4, B - 7 }, { R - 7, B - 4 }, { L + 7, B - 4 }, { L + 3, B - 6 },
                       { L + 3, T + 6 } };
    dc.Polyline(outer, 9);
    dc.Polyline(inner, 9);
    dc.SelectObject(old);
}

void CLayerButton::DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct)
{
    if (m_style < 0 || m_style > 1)
        return;
    CRect item(lpDrawItemStruct->rcItem);
    CDC* target = CDC::FromHandle(lpDrawItemStruct->hDC);
    CDC dc;
    dc.CreateCompatibleDC(target);
    CBitmap bitmap;
    bitmap.CreateCompatibleBitmap(target, item.Width(), item.Height());
    CBitmap* oldBitmap = dc.SelectObject(&bitmap);
    CopyParentBackground(dc, item);
    bool pressed = (lpDrawItemStruct->itemState & ODS_SELECTED) != 0;
    bool focused = (lpDrawItemStruct->itemState & ODS_FOCUS) != 0;
    if (m_style == 0)
        DrawFlat(dc, item, pressed, focused);
    else
        DrawTwoPart(dc, item, pressed, focused);
    if (m_hover)
        DrawHover(dc, item);
    target->BitBlt(0, 0, item.Width(), item.Height(), &dc, 0, 0, SRCCOPY);
    dc.SelectObject(oldBitmap);
}
