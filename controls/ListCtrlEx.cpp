#include "ListCtrlEx.h"

#include "FlatFrame.h"

#include <algorithm>
#include <cstring>

namespace {

const int kRightClickNotification = 0;
const int kVisibleNotification = 1;
const char kBadSelectMode[] =
    "CListEx:设置的文本位置方式不存在，已使用 “xxx_Normal”方式替代！";
// Column whose value changes are marked.
const int kMarkedColumn = 3;
const int kMarkTicks = 2;

bool IsPlaceholder(const char* text)
{
    return std::strcmp(text, "---") == 0;
}

}  // namespace

BEGIN_MESSAGE_MAP(CListCtrlEx, CListCtrl)
    ON_WM_CREATE()
    ON_WM_MEASUREITEM_REFLECT()
    ON_WM_ERASEBKGND()
    ON_WM_LBUTTONDOWN()
    ON_WM_RBUTTONUP()
    ON_WM_NCCALCSIZE()
    ON_WM_NCPAINT()
    ON_WM_VSCROLL()
    ON_WM_DESTROY()
    ON_WM_PAINT()
END_MESSAGE_MAP()

CListCtrlEx::CListCtrlEx()
{
    m_notifications[kRightClickNotification] = WM_LISTEX_RCLICK;
    m_notifications[kVisibleNotification] = WM_LISTEX_VISIBLE_CHANGED;
}

CListCtrlEx::~CListCtrlEx()
{
    if (m_oldPictureBitmap != nullptr)
        m_pictureDC.SelectObject(m_oldPictureBitmap);
}

void CListCtrlEx::AttachHeader()
{
    if (m_header.m_hWnd != NULL || m_hWnd == NULL)
        return;
    HWND header = ListView_GetHeader(m_hWnd);
    if (header != NULL)
        m_header.SubclassWindow(header);
}

void CListCtrlEx::PreSubclassWindow()
{
    CListCtrl::PreSubclassWindow();
    ModifyStyle(0, LVS_REPORT);
    AttachHeader();
}

int CListCtrlEx::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CListCtrl::OnCreate(lpCreateStruct) == -1)
        return -1;
    ModifyStyle(0, LVS_REPORT);
    AttachHeader();
    return 0;
}

void CListCtrlEx::OnDestroy()
{
    if (m_oldPictureBitmap != nullptr) {
        m_pictureDC.SelectObject(m_oldPictureBitmap);
        m_oldPictureBitmap = nullptr;
    }
    m_pictureDC.DeleteDC();
    m_pictureBitmap.DeleteObject();
    m_pictureRect.SetRectEmpty();
    CListCtrl::OnDestroy();
}

void CListCtrlEx::SetColumnFont(CFont* font, int column)
{
    m_columnFont = font;
    m_columnFontIndex = column;
}

void CListCtrlEx::SetSelectMode(int mode)
{
    if (mode >= -1 && mode <= 2) {
        m_selectMode = mode;
        return;
    }
    m_selectMode = 0;
    AfxMessageBox(kBadSelectMode, MB_OK);
}

void CListCtrlEx::SetItemHeight(int height)
{
    m_rowHeight = height;
    if (!::IsWindow(m_hWnd))
        return;
    // The list asks for the row height again when its size "changes".
    CRect window;
    GetWindowRect(&window);
    WINDOWPOS pos = {};
    pos.hwnd = m_hWnd;
    pos.cx = window.Width();
    pos.cy = window.Height();
    pos.flags = SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOOWNERZORDER;
    SendMessage(WM_WINDOWPOSCHANGED, 0, (LPARAM)&pos);
}

void CListCtrlEx::SetRowColors(int row, const std::vector<COLORREF>& colors)
{
    if (row >= 0 && row < static_cast<int>(m_rowColors.size()))
        m_rowColors[row] = colors;
}

std::vector<COLORREF> CListCtrlEx::GetRowColors(int row) const
{
    if (row >= 0 && row < static_cast<int>(m_rowColors.size()))
        return m_rowColors[row];
    return {};
}

int CListCtrlEx::InsertColumn(int nCol, LPCTSTR heading, int format, int width, int subItem)
{
    int columns = m_header.m_hWnd != NULL ? m_header.GetItemCount() : 0;
    size_t position = static_cast<size_t>(std::max(0, std::min(nCol, columns)));
    for (auto& colors : m_rowColors)
        colors.insert(colors.begin() + std::min(position, colors.size()), m_defaultTextColor);
    for (auto& counters : m_counters)
        counters.insert(counters.begin() + std::min(position, counters.size()), 0);
    m_header.UseColumnAlignment();
    int inserted = CListCtrl::InsertColumn(nCol, heading, format, width, subItem);
    if (inserted < 0) {
        for (auto& colors : m_rowColors)
            colors.erase(colors.begin() + std::min(position, colors.size() - 1));
        for (auto& counters : m_counters)
            counters.erase(counters.begin() + std::min(position, counters.size() - 1));
    }
    return inserted;
}

int CListCtrlEx::InsertItem(int nItem, LPCTSTR text)
{
    if (nItem < 0)
        return CListCtrl::InsertItem(nItem, text);
    int columns = m_header.m_hWnd != NULL ? m_header.GetItemCount() : 0;
    size_t position = std::min(static_cast<size_t>(nItem), m_rowColors.size());
    m_rowColors.insert(m_rowColors.begin() + position,
                       std::vector<COLORREF>(columns, m_defaultTextColor));
    m_counters.insert(m_counters.begin() + position, std::vector<int>(columns, 0));
    int inserted = CListCtrl::InsertItem(nItem, text);
    if (inserted < 0) {
        m_rowColors.erase(m_rowColors.begin() + position);
        m_counters.erase(m_counters.begin() + position);
    }
    return inserted;
}

BOOL CListCtrlEx::SetItemText(int nItem, int nSubItem, LPCTSTR text)
{
    if (m_flash && nSubItem == kMarkedColumn && nItem >= 0 && nItem < GetItemCount() &&
        nItem < static_cast<int>(m_counters.size()) &&
        nSubItem < static_cast<int>(m_counters[nItem].size())) {
        char old[256] = {};
        GetItemText(nItem, nSubItem, old, sizeof(old));
        const char* next = text != nullptr ? text : "";
        if (old[0] != '\0' && !IsPlaceholder(old) && !IsPlaceholder(next) &&
            std::strcmp(old, next) != 0)
            m_counters[nItem][nSubItem] = kMarkTicks;
    }
    return CListCtrl::SetItemText(nItem, nSubItem, text);
}

bool CListCtrlEx::IsCellChanged(int row, int column) const
{
    return row >= 0 && row < static_cast<int>(m_counters.size()) && column >= 0 &&
           column < static_cast<int>(m_counters[row].size()) && m_counters[row][column] > 0;
}

void CListCtrlEx::ResetVisibleRangeAfterDelete()
{
    if (m_lastVisibleIndex != 0)
        return;
    m_topIndex = -1;
    m_lastVisibleIndex = -1;
    PostNotification(kVisibleNotification, 1);
}

BOOL CListCtrlEx::DeleteItem(int nItem)
{
    // The vectors follow only a delete that happened, so they stay in step with the rows.
    if (!CListCtrl::DeleteItem(nItem))
        return FALSE;
    if (nItem < static_cast<int>(m_rowColors.size()))
        m_rowColors.erase(m_rowColors.begin() + nItem);
    if (nItem < static_cast<int>(m_counters.size()))
        m_counters.erase(m_counters.begin() + nItem);
    ResetVisibleRangeAfterDelete();
    return TRUE;
}

BOOL CListCtrlEx::DeleteAllItems()
{
    m_rowColors.clear();
    m_counters.clear();
    ResetVisibleRangeAfterDelete();
    return CListCtrl::DeleteAllItems();
}

void CListCtrlEx::TickFlash()
{
    for (size_t row = 0; row < m_counters.size(); ++row) {
        bool ended = false;
        for (int& counter : m_counters[row]) {
            if (counter > 0 && --counter == 0)
                ended = true;
        }
        if (ended)
            RedrawItems(static_cast<int>(row), static_cast<int>(row));
    }
}

bool CListCtrlEx::UpdateVisibleRange()
{
    int count = GetItemCount();
    int top = GetTopIndex();
    int last = std::min(count, top + std::min(count, GetCountPerPage() + 1)) - 1;
    if (top == m_topIndex && last == m_lastVisibleIndex)
        return false;
    m_topIndex = top;
    m_lastVisibleIndex = last;
    return true;
}

int CListCtrlEx::GetVisibleEnd() const
{
    int count = GetItemCount();
    return std::min(GetTopIndex() + std::min(count, GetCountPerPage() + 1), count);
}

void CListCtrlEx::PostNotification(int index, WPARAM wParam)
{
    HWND parent = ::GetParent(m_hWnd);
    auto number = m_notifications.find(index);
    if (parent != NULL && number != m_notifications.end())
        ::PostMessageA(parent, number->second, wParam, 0);
}

void CListCtrlEx::MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct)
{
    lpMeasureItemStruct->itemHeight = m_rowHeight;
}

int CListCtrlEx::TotalWidth() const
{
    int count = m_header.m_hWnd != NULL ? m_header.GetItemCount() : 0;
    int width = 0;
    for (int i = 0; i < count; ++i)
        width += static_cast<int>(const_cast<CListCtrlEx*>(this)->CallListView(LVM_GETCOLUMNWIDTH, i, 0));
    return width;
}

void CListCtrlEx::PrepareRowPicture(int width, int height)
{
    // Any change of size re-creates the picture: a taller row would otherwise be painted
    // from a bitmap cut to the old height.
    if (m_pictureDC.m_hDC != NULL && m_pictureRect.Width() == width &&
        m_pictureRect.Height() == height)
        return;
    if (m_pictureDC.m_hDC == NULL) {
        CClientDC screen(this);
        m_pictureDC.CreateCompatibleDC(&screen);
        m_pictureDC.SetBkMode(TRANSPARENT);
    }
    if (m_oldPictureBitmap != nullptr)
        m_pictureDC.SelectObject(m_oldPictureBitmap);
    m_pictureBitmap.DeleteObject();
    CClientDC screen(this);
    m_pictureBitmap.CreateCompatibleBitmap(&screen, std::max(width, 1), std::max(height, 1));
    m_oldPictureBitmap = m_pictureDC.SelectObject(&m_pictureBitmap);
    m_pictureRect.SetRect(0, 0, width, height);
}

COLORREF CListCtrlEx::RowBackground(int row, bool selected, COLORREF listBk) const
{
    if (!selected)
        return m_rowBackgrounds != nullptr ? m_rowBackgrounds[row] : listBk;
    switch (m_selectMode) {
    case -1:
        return listBk;
    case 1:
        return m_selectColor;
    case 2:
        return RGB(0x80, 0x80, 0x80);
    default: {
        int p = m_blendPercent;
        auto mix = [p](int select, int background) { return ((100 - p) * select + p * background) / 100; };
        return RGB(mix(GetRValue(m_selectColor), GetRValue(listBk)),
                   mix(GetGValue(m_selectColor), GetGValue(listBk)),
                   mix(GetBValue(m_selectColor), GetBValue(listBk)));
    }
    }
}

LRESULT CListCtrlEx::CallListView(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (m_pfnSuper != NULL)
        return ::CallWindowProcA(m_pfnSuper, m_hWnd, message, wParam, lParam);
    return ::SendMessageA(m_hWnd, message, wParam, lParam);
}

void CListCtrlEx::RefreshLayout(int row)
{
    m_layout.cells.clear();
    m_layout.totalWidth = 0;
    LVCOLUMNA column = {};
    column.mask = LVCF_WIDTH;
    for (int j = 0; CallListView(LVM_GETCOLUMNA, j, (LPARAM)&column); ++j) {
        m_layout.totalWidth += column.cx;
        RECT cell = {};
        cell.top = j;
        cell.left = LVIR_LABEL;
        if (CallListView(LVM_GETSUBITEMRECT, row, (LPARAM)&cell))
            m_layout.cells.emplace_back(cell.left, cell.right);
        else
            m_layout.cells.emplace_back(1, 0);
    }
    m_layout.rowCount = static_cast<int>(CallListView(LVM_GETITEMCOUNT, 0, 0));
    m_layout.background = static_cast<COLORREF>(CallListView(LVM_GETBKCOLOR, 0, 0));
    m_layoutGeneration = m_paintGeneration;
}

void CListCtrlEx::DrawCellText(HDC hDC, const char* text, RECT& rect)
{
    const UINT simple = DT_LEFT | DT_CENTER | DT_RIGHT | DT_TOP | DT_VCENTER | DT_BOTTOM |
                        DT_SINGLELINE | DT_NOPREFIX | DT_NOCLIP;
    size_t length = std::strlen(text);
    bool plain = (m_itemTextFormat & ~simple) == 0 && std::strpbrk(text, "&\r\n\t") == nullptr;
    if (!plain) {
        SetPictureTextAlign(hDC, TA_LEFT | TA_TOP);
        ::DrawTextA(hDC, text, -1, &rect, m_itemTextFormat);
        return;
    }
    int y = rect.top;
    HGDIOBJ font = ::GetCurrentObject(hDC, OBJ_FONT);
    if (font != m_measuredFont) {
        TEXTMETRICA metrics;
        ::GetTextMetricsA(hDC, &metrics);
        m_measuredFont = font;
        m_measuredHeight = metrics.tmHeight;
        char ascii[kAsciiGlyphs];
        for (int c = 0; c < kAsciiGlyphs; ++c)
            ascii[c] = static_cast<char>(c == 0 ? ' ' : c);
        if (::GetGlyphIndicesA(hDC, ascii, kAsciiGlyphs, m_asciiGlyphs, GGI_MARK_NONEXISTING_GLYPHS) !=
            static_cast<DWORD>(kAsciiGlyphs))
            std::fill(m_asciiGlyphs, m_asciiGlyphs + kAsciiGlyphs, 0xFFFF);
    }
    if ((m_itemTextFormat & DT_SINGLELINE) != 0 && (m_itemTextFormat & (DT_VCENTER | DT_BOTTOM)) != 0) {
        if ((m_itemTextFormat & DT_VCENTER) != 0)
            y = rect.top + (rect.bottom - rect.top - m_measuredHeight) / 2;
        else
            y = rect.bottom - m_measuredHeight;
    }
    UINT align = TA_LEFT;
    int x = rect.left;
    if ((m_itemTextFormat & DT_CENTER) != 0) {
        align = TA_CENTER;
        x = (rect.left + rect.right) / 2;
    } else if ((m_itemTextFormat & DT_RIGHT) != 0) {
        align = TA_RIGHT;
        x = rect.right;
    }
    SetPictureTextAlign(hDC, align | TA_TOP);
    UINT options = (m_itemTextFormat & DT_NOCLIP) != 0 ? 0 : ETO_CLIPPED;
    // Prices and volumes are ASCII: their glyphs come from the font's table read once,
    // which spares the code-page conversion and glyph lookup of every call.
    WORD glyphs[64];
    bool indexed = length <= sizeof(glyphs) / sizeof(glyphs[0]);
    for (size_t i = 0; indexed && i < length; ++i) {
        unsigned char c = static_cast<unsigned char>(text[i]);
        indexed = c < kAsciiGlyphs && c != 0 && m_asciiGlyphs[c] != 0xFFFF;
        if (indexed)
            glyphs[i] = m_asciiGlyphs[c];
    }
    if (indexed)
        ::ExtTextOutW(hDC, x, y, options | ETO_GLYPH_INDEX, &rect, reinterpret_cast<LPCWSTR>(glyphs),
                      static_cast<UINT>(length), NULL);
    else
        ::ExtTextOutA(hDC, x, y, options, &rect, text, static_cast<UINT>(length), NULL);
}

void CListCtrlEx::SetPictureTextAlign(HDC hDC, UINT align)
{
    // The row picture's DC is the list's own: its alignment stays set between cells.
    if (align != m_pictureTextAlign) {
        ::SetTextAlign(hDC, align);
        m_pictureTextAlign = align;
    }
}

void CListCtrlEx::OnPaint()
{
    ++m_paintGeneration;
    m_inPaint = true;
    int count = static_cast<int>(CallListView(LVM_GETITEMCOUNT, 0, 0));
    // The list view measures its rows in its own first paint after rows come or go, so
    // that paint stays its own; later ones draw only the rows the update region touches,
    // without the list view's item walk and the WM_DRAWITEM trip through the parent.
    bool ownerDrawReport = (GetStyle() & (LVS_TYPEMASK | LVS_OWNERDRAWFIXED)) ==
                           (LVS_REPORT | LVS_OWNERDRAWFIXED);
    // Grid lines are the list view's to draw.
    bool gridLines = (CallListView(LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0) & LVS_EX_GRIDLINES) != 0;
    if (ownerDrawReport && !gridLines && count > 0 && count == m_countAtListViewPaint) {
        PaintRows(count);
    } else {
        Default();
        m_countAtListViewPaint = count;
    }
    m_inPaint = false;
    if (!m_scrolling && UpdateVisibleRange())
        PostNotification(kVisibleNotification, 1);
}

void CListCtrlEx::PaintRows(int count)
{
    PAINTSTRUCT paint;
    HDC hDC = ::BeginPaint(m_hWnd, &paint);
    int top = static_cast<int>(CallListView(LVM_GETTOPINDEX, 0, 0));
    int perPage = static_cast<int>(CallListView(LVM_GETCOUNTPERPAGE, 0, 0));
    int end = std::min(count, top + perPage + 1);
    DRAWITEMSTRUCT draw = {};
    draw.CtlType = ODT_LISTVIEW;
    draw.CtlID = static_cast<UINT>(::GetDlgCtrlID(m_hWnd));
    draw.itemAction = ODA_DRAWENTIRE;
    draw.hwndItem = m_hWnd;
    draw.hDC = hDC;
    bool focused = ::GetFocus() == m_hWnd;
    for (int row = std::max(top, 0); row < end; ++row) {
        RECT bounds = {};
        bounds.left = LVIR_BOUNDS;
        if (!CallListView(LVM_GETITEMRECT, row, (LPARAM)&bounds))
            continue;
        if (bounds.bottom <= paint.rcPaint.top || bounds.top >= paint.rcPaint.bottom)
            continue;
        LVITEMA item = {};
        item.mask = LVIF_STATE | LVIF_PARAM;
        item.iItem = row;
        item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
        CallListView(LVM_GETITEMA, 0, (LPARAM)&item);
        draw.itemID = static_cast<UINT>(row);
        draw.itemState = ((item.state & LVIS_SELECTED) != 0 ? ODS_SELECTED : 0) |
                         ((item.state & LVIS_FOCUSED) != 0 && focused ? ODS_FOCUS : 0);
        draw.itemData = static_cast<ULONG_PTR>(item.lParam);
        draw.rcItem = bounds;
        DrawItem(&draw);
    }
    ::EndPaint(m_hWnd, &paint);
}

void CListCtrlEx::DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct)
{
    int row = static_cast<int>(lpDrawItemStruct->itemID);
    if (!m_inPaint || m_layoutGeneration != m_paintGeneration)
        RefreshLayout(row);
    CDC* target = CDC::FromHandle(lpDrawItemStruct->hDC);
    m_totalWidth = m_layout.totalWidth;
    m_totalHeight = m_rowHeight * m_layout.rowCount;
    const CRect rowRect(lpDrawItemStruct->rcItem);
    int height = rowRect.Height();
    PrepareRowPicture(m_totalWidth, height);
    CDC& dc = m_pictureDC;

    bool selected = (lpDrawItemStruct->itemState & ODS_SELECTED) != 0;
    COLORREF listBk = m_layout.background;
    dc.FillSolidRect(0, 0, m_totalWidth, height, RowBackground(row, selected, listBk));
    if (selected && m_selectMode == 1)
        dc.FillSolidRect(1, 1, m_totalWidth - 2, height - 2, listBk);

    const std::vector<COLORREF>* colors =
        row < static_cast<int>(m_rowColors.size()) ? &m_rowColors[row] : nullptr;
    const std::vector<int>* counters =
        row < static_cast<int>(m_counters.size()) ? &m_counters[row] : nullptr;
    CFont* current = nullptr;
    HGDIOBJ original = NULL;
    COLORREF currentColor = ::GetTextColor(dc.m_hDC);
    char text[256];
    LVITEMA item = {};
    for (size_t j = 0; j < m_layout.cells.size(); ++j) {
        int left = m_layout.cells[j].first;
        int right = m_layout.cells[j].second;
        if (left > right)
            continue;
        if (j == 0)
            left -= 2;
        COLORREF textColor = colors != nullptr && j < colors->size() ? (*colors)[j] : m_defaultTextColor;
        bool changed = counters != nullptr && j < counters->size() && (*counters)[j] >= 1;
        if (changed) {
            dc.FillSolidRect(left, 0, right - left, height, m_flashBkColor);
            textColor = m_flashTextColor;
        }
        item.iSubItem = static_cast<int>(j);
        item.pszText = text;
        item.cchTextMax = sizeof(text);
        text[0] = '\0';
        CallListView(LVM_GETITEMTEXTA, row, (LPARAM)&item);
        if (selected && m_selectMode == 2)
            textColor = RGB(0xFF, 0xFF, 0x00);
        CFont* font = (static_cast<int>(j) == m_columnFontIndex && m_columnFont != nullptr)
                          ? m_columnFont : m_itemFont;
        if (font != nullptr && font != current) {
            HGDIOBJ previous = ::SelectObject(dc.m_hDC, font->m_hObject);
            if (original == NULL)
                original = previous;
            current = font;
        }
        if (textColor != currentColor) {
            ::SetTextColor(dc.m_hDC, textColor);
            currentColor = textColor;
        }
        RECT textRect = { left + 1, 1, right - 1, height - 1 };
        DrawCellText(dc.m_hDC, text, textRect);
    }
    if (original != NULL)
        ::SelectObject(dc.m_hDC, original);
    ::BitBlt(target->m_hDC, 0, rowRect.top, m_totalWidth, height, dc.m_hDC, 0, 0, SRCCOPY);

    // Inside a paint the range is checked once, after the last row.
    if (!m_inPaint && !m_scrolling && UpdateVisibleRange())
        PostNotification(kVisibleNotification, 1);
}

BOOL CListCtrlEx::OnEraseBkgnd(CDC* pDC)
{
    CRect client;
    GetClientRect(&client);
    COLORREF background = static_cast<COLORREF>(CallListView(LVM_GETBKCOLOR, 0, 0));
    int count = static_cast<int>(CallListView(LVM_GETITEMCOUNT, 0, 0));
    if (count == 0) {
        pDC->FillSolidRect(&client, background);
        return TRUE;
    }
    CRect first;
    first.left = LVIR_BOUNDS;
    CallListView(LVM_GETITEMRECT, 0, (LPARAM)&first);
    int rowsBottom = first.top + m_rowHeight * count;
    if (client.bottom > rowsBottom)
        pDC->FillSolidRect(client.left, rowsBottom, client.Width(), client.bottom - rowsBottom, background);
    int width = TotalWidth();
    if (client.right > width)
        pDC->FillSolidRect(width, client.top, client.right - width, client.Height(), background);
    return TRUE;
}

void CListCtrlEx::OnLButtonDown(UINT nFlags, CPoint point)
{
    m_lastLeftClick = point;
    CListCtrl::OnLButtonDown(nFlags, point);
}

void CListCtrlEx::OnRButtonUp(UINT nFlags, CPoint point)
{
    PostNotification(kRightClickNotification, 0);
    CListCtrl::OnRButtonUp(nFlags, point);
}

void CListCtrlEx::OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp)
{
    if (bCalcValidRects)
        tolvan::controls::FitClientToFlatFrame(m_hWnd, m_borderWidth, &lpncsp->rgrc[0]);
    CListCtrl::OnNcCalcSize(bCalcValidRects, lpncsp);
}

void CListCtrlEx::OnNcPaint()
{
    Default();
    tolvan::controls::PaintFlatFrame(m_hWnd, m_borderWidth, m_borderColor, true);
}

void CListCtrlEx::OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar)
{
    m_scrolling = 1;
    if (nSBCode == SB_ENDSCROLL) {
        if (UpdateVisibleRange())
            PostNotification(kVisibleNotification, 1);
        m_scrolling = 0;
    }
    CListCtrl::OnVScroll(nSBCode, nPos, pScrollBar);
}
