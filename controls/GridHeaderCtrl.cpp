#include "GridHeaderCtrl.h"

#include <algorithm>

#include "MemDC1.h"

BEGIN_MESSAGE_MAP(CGridHeaderCtrl, CHeaderCtrl)
    ON_WM_ERASEBKGND()
    ON_WM_PAINT()
    ON_WM_SYSCOLORCHANGE()
    ON_WM_LBUTTONDBLCLK()
    ON_MESSAGE(HDM_SETIMAGELIST, &CGridHeaderCtrl::OnSetImageList)
    ON_MESSAGE(HDM_LAYOUT, &CGridHeaderCtrl::OnLayout)
END_MESSAGE_MAP()

void DrawGridCheckbox(CDC& dc, const CRect& box, bool checked, COLORREF background)
{
    dc.FillSolidRect(&box, background);
    CBrush frame(RGB(0x33, 0x66, 0x99));  // 0x996633
    dc.FrameRect(&box, &frame);
    if (!checked)
        return;
    CPen mark(PS_SOLID, 1, RGB(0x33, 0x99, 0x33));
    CPen* old = dc.SelectObject(&mark);
    int x = box.left + 9, y = box.top + 3;
    for (int stroke = 0; stroke < 7; ++stroke) {
        dc.MoveTo(x, y);
        dc.LineTo(x, y + 3);
        --x;
        y += stroke < 3 ? 1 : -1;
    }
    dc.SelectObject(old);
}

CGridHeaderCtrl::CGridHeaderCtrl()
{
    ReadSystemColors();
}

CGridHeaderCtrl::~CGridHeaderCtrl() = default;

void CGridHeaderCtrl::ReadSystemColors()
{
    m_highlight = ::GetSysColor(COLOR_3DHIGHLIGHT);
    m_shadow = ::GetSysColor(COLOR_3DSHADOW);
    m_face = ::GetSysColor(COLOR_3DFACE);
    m_buttonText = ::GetSysColor(COLOR_BTNTEXT);
}

void CGridHeaderCtrl::OnSysColorChange()
{
    ReadSystemColors();
    CHeaderCtrl::OnSysColorChange();
}

int CGridHeaderCtrl::GetCheckImage(int column) const
{
    HDITEMA item = {};
    item.mask = HDI_IMAGE;
    if (!GetItem(column, &item))
        return 0;
    return item.iImage;
}

void CGridHeaderCtrl::SetCheckImage(int column, int image)
{
    HDITEMA item = {};
    item.mask = HDI_IMAGE;
    item.iImage = image;
    SetItem(column, &item);
}

BOOL CGridHeaderCtrl::OnEraseBkgnd(CDC*)
{
    return TRUE;
}

void CGridHeaderCtrl::OnLButtonDblClk(UINT nFlags, CPoint point)
{
    // A double click counts as a second click (a column of check boxes toggles again).
    SendMessage(WM_LBUTTONDOWN, nFlags, MAKELPARAM(point.x, point.y));
}

LRESULT CGridHeaderCtrl::OnSetImageList(WPARAM wParam, LPARAM lParam)
{
    int width = 0, height = 0;
    if (lParam != 0 && ImageList_GetIconSize((HIMAGELIST)lParam, &width, &height)) {
        m_imageWidth = width;
        m_imageHeight = height;
    }
    return DefWindowProc(HDM_SETIMAGELIST, wParam, lParam);
}

LRESULT CGridHeaderCtrl::OnLayout(WPARAM, LPARAM lParam)
{
    LRESULT result = Default();
    HDLAYOUT* layout = reinterpret_cast<HDLAYOUT*>(lParam);
    if (layout != nullptr && layout->pwpos != nullptr && layout->prc != nullptr) {
        layout->pwpos->cy = kHeight;
        layout->prc->top = layout->pwpos->y + kHeight;
    }
    return result;
}

void CGridHeaderCtrl::DrawItem(LPDRAWITEMSTRUCT)
{
}

void CGridHeaderCtrl::DrawItem(CDC* pDC, CRect rect, HDITEMA* item)
{
    if (item->iImage > 0 && (item->mask & HDI_IMAGE)) {
        CImageList* images = GetImageList();
        if (images != nullptr) {
            images->Draw(pDC, item->iImage, CPoint(rect.left, rect.top + (rect.Height() - m_imageHeight) / 2),
                         ILD_TRANSPARENT);
            rect.left += m_imageWidth + m_spacing;
        } else {
            CRect box(rect.left, rect.top + (rect.Height() - 13) / 2, rect.left + 13,
                      rect.top + (rect.Height() - 13) / 2 + 13);
            DrawGridCheckbox(*pDC, box, item->iImage == 2, RGB(255, 255, 255));
            rect.left += 13 + m_spacing;
        }
    }
    if ((item->fmt & HDF_BITMAP) && (item->mask & HDI_BITMAP) && item->hbm != NULL)
        rect.left += DrawItemBitmap(*pDC, rect, item->hbm) + m_spacing;
    if ((item->fmt & HDF_STRING) && item->pszText != nullptr && item->pszText[0] != '\0') {
        UINT format = DT_END_ELLIPSIS | DT_SINGLELINE | DT_VCENTER;
        if ((item->fmt & HDF_JUSTIFYMASK) == HDF_CENTER)
            format |= DT_CENTER;
        else if ((item->fmt & HDF_JUSTIFYMASK) == HDF_RIGHT)
            format |= DT_RIGHT;
        pDC->SetTextColor(m_buttonText);
        pDC->DrawText(item->pszText, -1, &rect, format);
    }
}

// The bitmap at the left of the rectangle, vertically centred and clipped to it; its width.
int CGridHeaderCtrl::DrawItemBitmap(CDC& dc, const CRect& rect, HBITMAP bitmap)
{
    BITMAP info = {};
    if (::GetObject(bitmap, sizeof(info), &info) == 0)
        return 0;
    CDC source;
    if (!source.CreateCompatibleDC(&dc))
        return 0;
    HGDIOBJ old = ::SelectObject(source.m_hDC, bitmap);
    const int width = std::min<int>(info.bmWidth, std::max<int>(rect.Width(), 0));
    const int height = std::min<int>(info.bmHeight, rect.Height());
    dc.BitBlt(rect.left, rect.top + (rect.Height() - height) / 2, width, height, &source, 0, 0, SRCCOPY);
    ::SelectObject(source.m_hDC, old);
    return width;
}

void CGridHeaderCtrl::OnPaint()
{
    CPaintDC paintDC(this);
    CRect clip;
    paintDC.GetClipBox(&clip);
    if (clip.IsRectEmpty())
        return;
    CMemDC1 dc(&paintDC);
    CRect client;
    GetClientRect(&client);
    dc.FillSolidRect(&client, m_bkColor);
    CFont* font = GetFont();
    CFont* oldFont = font != nullptr ? dc.SelectObject(font) : nullptr;
    dc.SetBkColor(m_bkColor);
    dc.SetBkMode(TRANSPARENT);
    CPen line(PS_SOLID, 1, m_lineColor);
    CPen* oldPen = dc.SelectObject(&line);
    int count = GetItemCount();
    int totalWidth = 0;
    for (int position = 0; position < count; ++position) {
        int index = OrderToIndex(position);
        char text[80] = {};
        HDITEMA item = {};
        item.mask = HDI_WIDTH | HDI_TEXT | HDI_FORMAT | HDI_BITMAP | HDI_IMAGE;
        item.pszText = text;
        item.cchTextMax = sizeof(text);
        GetItem(index, &item);
        CRect rect;
        GetItemRect(index, &rect);
        totalWidth += rect.Width();
        if (rect.right < clip.left || rect.left > clip.right)
            continue;
        if (item.fmt & HDF_OWNERDRAW) {
            DRAWITEMSTRUCT draw = {};
            DrawItem(&draw);
        } else {
            CRect inner = rect;
            inner.DeflateRect(m_spacing, 0);
            DrawItem(&dc, inner, &item);
        }
        if (position < count - 1) {
            dc.MoveTo(rect.right, rect.top + 2);
            dc.LineTo(rect.right, rect.bottom - 2);
        }
    }
    CBrush frame(m_lineColor);
    if (totalWidth >= 1) {
        CRect items(client.left, client.top, client.left + totalWidth, client.bottom);
        dc.FrameRect(&items, &frame);
    }
    CRect rest(client.left + totalWidth - 1, client.top, client.right + 1, client.bottom);
    dc.FrameRect(&rest, &frame);
    dc.SelectObject(oldPen);
    if (oldFont != nullptr)
        dc.SelectObject(oldFont);
}
