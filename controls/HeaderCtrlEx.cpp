#include "HeaderCtrlEx.h"

BEGIN_MESSAGE_MAP(CHeaderCtrlEx, CHeaderCtrl)
    ON_WM_PAINT()
    ON_MESSAGE(HDM_LAYOUT, &CHeaderCtrlEx::OnLayout)
    ON_WM_ERASEBKGND()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_DESTROY()
END_MESSAGE_MAP()

CHeaderCtrlEx::CHeaderCtrlEx() = default;

CHeaderCtrlEx::~CHeaderCtrlEx()
{
    ReleasePicture();
}

void CHeaderCtrlEx::OnDestroy()
{
    ReleasePicture();
    CHeaderCtrl::OnDestroy();
}

void CHeaderCtrlEx::ReleasePicture()
{
    if (m_oldPictureBitmap != NULL)
        ::SelectObject(m_pictureDC.m_hDC, m_oldPictureBitmap);
    m_oldPictureBitmap = NULL;
    m_pictureDC.DeleteDC();
    m_pictureBitmap.DeleteObject();
    m_pictureSize = CSize(0, 0);
    m_textPainter.ForgetDC();
}

void CHeaderCtrlEx::PreparePicture(CDC& target, int width, int height)
{
    if (m_pictureDC.m_hDC != NULL && m_pictureSize == CSize(width, height))
        return;
    if (m_pictureDC.m_hDC == NULL) {
        m_pictureDC.CreateCompatibleDC(&target);
        m_textPainter.ForgetDC();
    }
    if (m_oldPictureBitmap != NULL)
        ::SelectObject(m_pictureDC.m_hDC, m_oldPictureBitmap);
    m_pictureBitmap.DeleteObject();
    m_pictureBitmap.CreateCompatibleBitmap(&target, width, height);
    m_oldPictureBitmap = ::SelectObject(m_pictureDC.m_hDC, m_pictureBitmap.m_hObject);
    m_pictureSize = CSize(width, height);
}

LRESULT CHeaderCtrlEx::CallHeader(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (m_pfnSuper != NULL)
        return ::CallWindowProcA(m_pfnSuper, m_hWnd, message, wParam, lParam);
    return ::SendMessageA(m_hWnd, message, wParam, lParam);
}

void CHeaderCtrlEx::SetTextFormat(UINT format)
{
    m_textFormat = format;
    m_columnAlignment = false;
}

void CHeaderCtrlEx::SetSortAscending(int column)
{
    if (column == -1 || (column == m_sortColumn && m_sortAscending))
        return;
    m_sortAscending = 1;
    m_sortColumn = column;
    NotifyColumnClick(column);
}

void CHeaderCtrlEx::SetSortDescending(int column)
{
    if (column == -1 || (column == m_sortColumn && !m_sortAscending))
        return;
    m_sortAscending = 0;
    m_sortColumn = column;
    NotifyColumnClick(column);
}

void CHeaderCtrlEx::ClickColumn(int column)
{
    NotifyColumnClick(column);
    m_sortColumn = -1;
}

void CHeaderCtrlEx::NotifyColumnClick(int column)
{
    HWND list = ::GetParent(m_hWnd);
    char className[64] = {};
    if (list == NULL || m_notifying)
        return;
    ::GetClassNameA(list, className, sizeof(className));
    if (lstrcmpiA(className, WC_LISTVIEWA) != 0)
        return;
    char text[256] = {};
    HDITEMA item = {};
    item.mask = 0xBF;
    item.pszText = text;
    item.cchTextMax = sizeof(text);
    ::SendMessageA(m_hWnd, HDM_GETITEMA, column, (LPARAM)&item);
    NMHEADERA notify = {};
    notify.hdr.hwndFrom = m_hWnd;
    notify.hdr.idFrom = ::GetDlgCtrlID(m_hWnd);
    notify.hdr.code = HDN_ITEMCLICKA;
    notify.iItem = column;
    notify.iButton = 1;
    notify.pitem = &item;
    m_notifying = true;
    ::SendMessageA(list, WM_NOTIFY, notify.hdr.idFrom, (LPARAM)&notify);
    CWnd::SendMessageToDescendants(list, WM_NOTIFY, notify.hdr.idFrom, (LPARAM)&notify, TRUE,
                                   FALSE);
    m_notifying = false;
}

LRESULT CHeaderCtrlEx::OnLayout(WPARAM, LPARAM lParam)
{
    LRESULT result = Default();
    HDLAYOUT* layout = reinterpret_cast<HDLAYOUT*>(lParam);
    if (m_customHeight && layout != nullptr && layout->pwpos != nullptr && layout->prc != nullptr) {
        layout->pwpos->cy = m_height;
        layout->prc->top = layout->pwpos->y + m_height;
    }
    return result;
}

BOOL CHeaderCtrlEx::OnEraseBkgnd(CDC*)
{
    return TRUE;
}

void CHeaderCtrlEx::OnLButtonDblClk(UINT, CPoint)
{
    // No divider double-click sizing.
}

UINT CHeaderCtrlEx::FormatOfItem(UINT itemFormat) const
{
    if (!m_columnAlignment)
        return m_textFormat;
    UINT format = m_textFormat & ~(UINT)(DT_CENTER | DT_RIGHT);
    switch (itemFormat & HDF_JUSTIFYMASK) {
    case HDF_CENTER: return format | DT_CENTER;
    case HDF_RIGHT: return format | DT_RIGHT;
    default: return format | DT_LEFT;
    }
}

void CHeaderCtrlEx::DrawSortArrow(CDC& dc, const CRect& item)
{
    CPen pen(PS_SOLID, 1, m_sortTextColor);
    CBrush brush(m_sortTextColor);
    CPen* oldPen = dc.SelectObject(&pen);
    CBrush* oldBrush = dc.SelectObject(&brush);
    int x = item.right - 5;
    dc.MoveTo(x, item.top + 4);
    dc.LineTo(x, item.bottom - 4);
    int y0 = m_sortAscending ? item.top + 9 : item.bottom - 9;
    int y1 = m_sortAscending ? item.top + 4 : item.bottom - 4;
    POINT head[3] = { { item.right - 7, y0 }, { item.right - 3, y0 }, { x, y1 } };
    dc.Polygon(head, 3);
    dc.SelectObject(oldBrush);
    dc.SelectObject(oldPen);
}

void CHeaderCtrlEx::OnPaint()
{
    CPaintDC paintDC(this);
    CRect client;
    GetClientRect(&client);
    if (client.IsRectEmpty())
        return;
    PreparePicture(paintDC, client.Width(), client.Height());
    CDC& dc = m_pictureDC;

    dc.FillSolidRect(&client, m_bkColor);
    if (m_linePen.m_hObject == NULL || m_linePenColor != m_lineColor) {
        m_linePen.DeleteObject();
        m_linePen.CreatePen(PS_SOLID, 1, m_lineColor);
        m_linePenColor = m_lineColor;
    }
    CPen* oldPen = dc.SelectObject(&m_linePen);
    dc.MoveTo(0, m_height - 1);
    dc.LineTo(client.Width(), m_height - 1);
    dc.SetBkMode(TRANSPARENT);
    CFont* oldFont = m_font != nullptr ? dc.SelectObject(m_font) : nullptr;
    HGDIOBJ font = ::GetCurrentObject(dc.m_hDC, OBJ_FONT);

    int count = static_cast<int>(CallHeader(HDM_GETITEMCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        char text[256] = {};
        HDITEMA item = {};
        item.mask = HDI_TEXT | HDI_FORMAT;
        item.pszText = text;
        item.cchTextMax = sizeof(text);
        CallHeader(HDM_GETITEMA, i, (LPARAM)&item);
        CRect rect;
        CallHeader(HDM_GETITEMRECT, i, (LPARAM)&rect);
        dc.MoveTo(rect.right, rect.top);
        dc.LineTo(rect.right, rect.bottom);
        UINT format = FormatOfItem(item.fmt);
        if (i == m_sortColumn) {
            CRect textRect(rect.left, rect.top, rect.right - 8, rect.bottom);
            m_textPainter.Draw(dc.m_hDC, font, text, textRect, format, m_sortTextColor);
            DrawSortArrow(dc, rect);
        } else {
            m_textPainter.Draw(dc.m_hDC, font, text, rect, format, m_textColor);
        }
    }
    if (oldFont != nullptr)
        dc.SelectObject(oldFont);
    dc.SelectObject(oldPen);
    paintDC.BitBlt(0, 0, client.Width(), client.Height(), &dc, 0, 0, SRCCOPY);
}
