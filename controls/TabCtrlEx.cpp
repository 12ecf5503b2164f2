#include "TabCtrlEx.h"

BEGIN_MESSAGE_MAP(CTabCtrlEx, CTabCtrl)
    ON_WM_ERASEBKGND()
    ON_WM_PAINT()
    ON_WM_MOUSEMOVE()
    ON_WM_MOUSELEAVE()
END_MESSAGE_MAP()

CTabCtrlEx::CTabCtrlEx() = default;
CTabCtrlEx::~CTabCtrlEx() = default;

BOOL CTabCtrlEx::PreCreateWindow(CREATESTRUCT& cs)
{
    return CTabCtrl::PreCreateWindow(cs);
}

BOOL CTabCtrlEx::OnEraseBkgnd(CDC* pDC)
{
    CRect client;
    GetClientRect(&client);
    CRect first;
    GetItemRect(0, &first);
    CRect page(client.left, client.top, client.right, client.bottom - first.Height() - 10);
    pDC->FillSolidRect(&page, RGB(0, 0, 0));
    return TRUE;
}

bool CTabCtrlEx::IsHighlighted(int tab) const
{
    return tab == GetCurSel() || tab == m_hoverTab;
}

void CTabCtrlEx::ComputeTabBand()
{
    GetClientRect(&m_tabBand);
    int count = GetItemCount();
    CRect last;
    GetItemRect(count > 0 ? count - 1 : 0, &last);
    DWORD style = GetStyle();
    if (style & TCS_VERTICAL) {
        if (style & TCS_RIGHT)
            m_tabBand.left = last.left;
        else
            m_tabBand.right = last.right;
        m_tabBand.bottom = last.bottom;
    } else if (style & TCS_BOTTOM) {
        m_tabBand.top = last.top;
        m_tabBand.right = last.right;
    } else {
        m_tabBand.right = last.right;
        m_tabBand.bottom = last.bottom;
    }
}

void CTabCtrlEx::OnMouseMove(UINT nFlags, CPoint point)
{
    if (!m_tracking) {
        TRACKMOUSEEVENT track = { sizeof(track), TME_HOVER | TME_LEAVE, m_hWnd, 1 };
        m_tracking = ::TrackMouseEvent(&track) ? 1 : 0;
    }
    int hit = -1;
    for (int tab = 0; tab < GetItemCount(); ++tab) {
        CRect rect;
        if (GetItemRect(tab, &rect) && rect.PtInRect(point)) {
            hit = tab;
            break;
        }
    }
    if (hit != m_hoverTab) {
        m_hoverTab = hit;
        ComputeTabBand();
        InvalidateRect(&m_tabBand, TRUE);
    }
    CTabCtrl::OnMouseMove(nFlags, point);
}

void CTabCtrlEx::OnMouseLeave()
{
    m_tracking = 0;
    m_hoverTab = -1;
    ComputeTabBand();
    InvalidateRect(&m_tabBand, TRUE);
    CTabCtrl::OnMouseLeave();
}

CRect CTabCtrlEx::PageFrame(const CRect& client, int beyond) const
{
    CRect first;
    GetItemRect(0, &first);
    CRect page = client;
    DWORD style = GetStyle();
    if (style & TCS_VERTICAL) {
        if (style & TCS_RIGHT)
            page.right = first.left - beyond;
        else
            page.left = first.right + beyond;
    } else if (style & TCS_BOTTOM) {
        page.bottom = first.top - beyond;
    } else {
        page.top = first.bottom + beyond;
    }
    return page;
}

void CTabCtrlEx::DrawTabText(CDC& dc, int tab, CRect rect, bool liftHighlighted)
{
    char text[500] = {};
    TCITEMA item = {};
    item.mask = TCIF_TEXT | TCIF_STATE;
    item.pszText = text;
    item.cchTextMax = sizeof(text);
    GetItem(tab, &item);
    dc.SetBkMode(TRANSPARENT);
    bool highlighted = IsHighlighted(tab);
    dc.SetTextColor(highlighted ? m_selTextColor : m_textColor);
    rect.left += 5;
    rect.right -= 5;
    if (highlighted && liftHighlighted)
        rect.OffsetRect(0, -1);
    dc.DrawText(text, -1, &rect, m_textFormat);
}

void CTabCtrlEx::PaintRounded(CDC& dc, const CRect& client, bool fillWhole)
{
    dc.FillSolidRect(&client, m_bkColor);
    CBrush border(m_borderColor);
    CRect page = PageFrame(client, 0);
    dc.FrameRect(&page, &border);
    CPen outline(PS_INSIDEFRAME, 1, m_borderColor);
    CPen* oldPen = dc.SelectObject(&outline);
    CBrush selFill(m_selFill), tabFill(m_tabFill), selFill2(m_selFill2);
    for (int tab = 0; tab < GetItemCount(); ++tab) {
        CRect r;
        GetItemRect(tab, &r);
        if (IsHighlighted(tab)) {
            dc.RoundRect(r.left - 2, r.top - 2, r.right + 2, r.bottom + 1, 5, 5);
            dc.Rectangle(r.left - 2, r.top + 4, r.right + 2, r.bottom + 1);
            CRgn rim;
            rim.CreateRoundRectRgn(r.left - 1, r.top - 2, r.right + 2, r.bottom, 5, 5);
            dc.FillRgn(&rim, &selFill);
            CRect inner(r.left - 1, r.top + 2, r.right + 1, r.bottom + 1);
            dc.FillRect(&inner, fillWhole ? &selFill2 : &tabFill);
        } else {
            dc.RoundRect(r.left + 1, r.top, r.right - 1, r.bottom, 5, 5);
            dc.Rectangle(r.left + 1, r.top + 6, r.right - 1, r.bottom);
            CRgn face;
            face.CreateRoundRectRgn(r.left + 2, r.top + 1, r.right - 1, r.bottom, 5, 5);
            dc.FillRgn(&face, &tabFill);
            CRect inner(r.left + 2, r.top + 3, r.right - 2, r.bottom);
            dc.FillRect(&inner, &tabFill);
        }
        CFont* oldFont = m_font != nullptr ? dc.SelectObject(m_font) : nullptr;
        DrawTabText(dc, tab, r, true);
        if (oldFont != nullptr)
            dc.SelectObject(oldFont);
    }
    dc.SelectObject(oldPen);
}

void CTabCtrlEx::PaintFlat(CDC& dc, const CRect& client)
{
    CBrush border(m_borderColor);
    dc.FrameRect(&client, &border);
    CRect inside = client;
    inside.DeflateRect(1, 1);
    dc.FillSolidRect(&inside, m_bkColor);
    CRect page = PageFrame(client, 1);
    dc.FrameRect(&page, &border);
    CFont* oldFont = m_font != nullptr ? dc.SelectObject(m_font) : nullptr;
    int selected = GetCurSel();
    for (int tab = 0; tab < GetItemCount(); ++tab) {
        CRect r;
        GetItemRect(tab, &r);
        dc.FillSolidRect(&r, IsHighlighted(tab) ? m_selFill : m_tabFill);
        if (tab != selected && tab != selected - 1) {
            CGdiObject* oldPen = dc.SelectStockObject(BLACK_PEN);
            dc.MoveTo(r.right - 1, r.top + 2);
            dc.LineTo(r.right - 1, r.bottom - 2);
            dc.SelectObject(oldPen);
        }
        DrawTabText(dc, tab, r, false);
    }
    if (oldFont != nullptr)
        dc.SelectObject(oldFont);
}

void CTabCtrlEx::OnPaint()
{
    CPaintDC paintDC(this);
    if (m_drawStyle < 0 || m_drawStyle > 2)
        return;
    CRect client;
    GetClientRect(&client);
    CDC dc;
    dc.CreateCompatibleDC(&paintDC);
    CBitmap bitmap;
    bitmap.CreateCompatibleBitmap(&paintDC, client.Width(), client.Height());
    CBitmap* oldBitmap = dc.SelectObject(&bitmap);
    if (m_drawStyle == 1)
        PaintFlat(dc, client);
    else
        PaintRounded(dc, client, m_drawStyle == 2);
    paintDC.BitBlt(0, 0, client.Width(), client.Height(), &dc, 0, 0, SRCCOPY);
    dc.SelectObject(oldBitmap);
}
