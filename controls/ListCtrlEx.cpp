#include "ListCtrlEx.h"
#include "SelectBlend.h"

#include "FlatFrame.h"

#include <algorithm>
#include <climits>
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
    // The row bitmap goes before the DC (member order): out of the DC first.
    RestorePictureBitmap();
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
    ReleasePictureFont();
    m_pictureFont = m_pictureOriginalFont = NULL;
    m_textPainter.ForgetDC();
    ForgetTexts();
    m_textCallbacks = false;
    RestorePictureBitmap();
    m_pictureDC.DeleteDC();
    m_pictureOriginalBitmap = NULL;
    m_pictureBitmap.DeleteObject();
    m_pictureRect.SetRectEmpty();
    CListCtrl::OnDestroy();
}

void CListCtrlEx::SetItemFont(CFont* font)
{
    m_itemFont = font;
    // The font the owner gave before may go now; a new one may even take its handle.
    m_textPainter.ForgetFont();
}

void CListCtrlEx::SetColumnFont(CFont* font, int column)
{
    m_textPainter.ForgetFont();
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
        m_pictureOriginalFont = m_pictureFont = ::GetCurrentObject(m_pictureDC.m_hDC, OBJ_FONT);
        m_pictureOriginalBitmap = ::GetCurrentObject(m_pictureDC.m_hDC, OBJ_BITMAP);
        m_textPainter.ForgetDC();
    }
    // The row bitmap must leave the DC before it can be deleted: a selected bitmap is not.
    RestorePictureBitmap();
    m_pictureBitmap.DeleteObject();
    CClientDC screen(this);
    m_pictureBitmap.CreateCompatibleBitmap(&screen, std::max(width, 1), std::max(height, 1));
    ::SelectObject(m_pictureDC.m_hDC, m_pictureBitmap.m_hObject);
    m_pictureRect.SetRect(0, 0, width, height);
}

// The DC's own bitmap is kept by handle: the wrapper SelectObject returns for it is a
// temporary object that the idle clean-up deletes.
void CListCtrlEx::RestorePictureBitmap()
{
    if (m_pictureDC.m_hDC != NULL && m_pictureOriginalBitmap != NULL)
        ::SelectObject(m_pictureDC.m_hDC, m_pictureOriginalBitmap);
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
    default:
        return BlendSelectColor(m_selectColor, listBk, m_blendPercent);
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
    m_layout.sideBySide = true;
    int previousRight = INT_MIN;
    for (size_t j = 0; j < m_layout.cells.size(); ++j) {
        int left = m_layout.cells[j].first - (j == 0 ? 2 : 0);
        if (left > m_layout.cells[j].second)
            continue;
        m_layout.sideBySide = m_layout.sideBySide && left >= previousRight;
        previousRight = m_layout.cells[j].second;
    }
    m_layout.rowCount = static_cast<int>(CallListView(LVM_GETITEMCOUNT, 0, 0));
    m_layout.background = static_cast<COLORREF>(CallListView(LVM_GETBKCOLOR, 0, 0));
    m_layoutGeneration = m_paintGeneration;
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
    ReleasePictureFont();
    m_inPaint = false;
    if (!m_scrolling && UpdateVisibleRange())
        PostNotification(kVisibleNotification, 1);
}

void CListCtrlEx::PaintRows(int count)
{
    int top = std::max(static_cast<int>(CallListView(LVM_GETTOPINDEX, 0, 0)), 0);
    // Read before BeginPaint, so that the erase it sends uses the same layout.
    RefreshLayout(std::min(top, count - 1));
    PAINTSTRUCT paint;
    HDC hDC = ::BeginPaint(m_hWnd, &paint);
    int perPage = static_cast<int>(CallListView(LVM_GETCOUNTPERPAGE, 0, 0));
    int end = std::min(count, top + perPage + 1);
    // Report rows are equally tall and follow each other: the top row places them all.
    RECT first = {};
    first.left = LVIR_BOUNDS;
    if (top >= end || !CallListView(LVM_GETITEMRECT, top, (LPARAM)&first)) {
        ::EndPaint(m_hWnd, &paint);
        return;
    }
    int height = first.bottom - first.top;
    int from = top;
    if (height > 0) {
        from = std::max(top, top + static_cast<int>(paint.rcPaint.top - first.top) / height);
        end = std::min(end, top + static_cast<int>(paint.rcPaint.bottom - first.top + height - 1) / height);
    }
    DRAWITEMSTRUCT draw = {};
    draw.CtlType = ODT_LISTVIEW;
    draw.CtlID = static_cast<UINT>(::GetDlgCtrlID(m_hWnd));
    draw.itemAction = ODA_DRAWENTIRE;
    draw.hwndItem = m_hWnd;
    draw.hDC = hDC;
    // Asking for the focus is a round trip to the window server: only the focused row needs it.
    int focused = -1;
    for (int row = from; row < end; ++row) {
        RECT bounds = first;
        ::OffsetRect(&bounds, 0, (row - top) * height);
        if (bounds.bottom <= paint.rcPaint.top || bounds.top >= paint.rcPaint.bottom)
            continue;
        LVITEMA item = {};
        item.mask = LVIF_STATE | LVIF_PARAM;
        item.iItem = row;
        item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
        CallListView(LVM_GETITEMA, 0, (LPARAM)&item);
        draw.itemID = static_cast<UINT>(row);
        if ((item.state & LVIS_FOCUSED) != 0 && focused < 0)
            focused = ::GetFocus() == m_hWnd ? 1 : 0;
        draw.itemState = ((item.state & LVIS_SELECTED) != 0 ? ODS_SELECTED : 0) |
                         ((item.state & LVIS_FOCUSED) != 0 && focused == 1 ? ODS_FOCUS : 0);
        draw.itemData = static_cast<ULONG_PTR>(item.lParam);
        draw.rcItem = bounds;
        DrawItem(&draw);
    }
    ::EndPaint(m_hWnd, &paint);
}

void CListCtrlEx::SelectPictureFont(HGDIOBJ font)
{
    // The row picture is the list's own DC: a font stays selected from row to row of one
    // paint (selecting a font is far dearer than drawing a cell under Wine).
    if (font != NULL && font != m_pictureFont && m_pictureDC.m_hDC != NULL) {
        ::SelectObject(m_pictureDC.m_hDC, font);
        m_pictureFont = font;
    }
}

void CListCtrlEx::ReleasePictureFont()
{
    // Between paints the picture holds none of the owner's fonts.
    SelectPictureFont(m_pictureOriginalFont);
}

bool CListCtrlEx::CanKeepTexts() const
{
    // A virtual list's texts live with its owner; an edited label is set inside the list
    // view without a message.
    return !m_textCallbacks && (GetStyle() & (LVS_OWNERDATA | LVS_EDITLABELS)) == 0;
}

void CListCtrlEx::ForgetTexts()
{
    m_rowTexts.clear();
}

void CListCtrlEx::ForgetRowTexts(INT_PTR row)
{
    if (row >= 0 && row < static_cast<INT_PTR>(m_rowTexts.size()))
        m_rowTexts[static_cast<size_t>(row)].known = false;
    else
        ForgetTexts();
}

const std::vector<std::string>& CListCtrlEx::RowTexts(int row, size_t columns)
{
    std::vector<std::string>* texts = &m_scratchTexts;
    RowTextCache* cache = nullptr;
    if (CanKeepTexts()) {
        if (static_cast<size_t>(row) >= m_rowTexts.size())
            m_rowTexts.resize(std::max(static_cast<size_t>(row) + 1, static_cast<size_t>(m_layout.rowCount)));
        cache = &m_rowTexts[static_cast<size_t>(row)];
        if (cache->known && cache->cells.size() == columns)
            return cache->cells;
        texts = &cache->cells;
    }
    texts->resize(columns);
    char text[256];
    LVITEMA item = {};
    for (size_t j = 0; j < columns; ++j) {
        item.iSubItem = static_cast<int>(j);
        item.pszText = text;
        item.cchTextMax = sizeof(text);
        text[0] = '\0';
        CallListView(LVM_GETITEMTEXTA, row, (LPARAM)&item);
        (*texts)[j] = text;
    }
    if (cache != nullptr)
        cache->known = true;
    return *texts;
}

void CListCtrlEx::NoteTextArgument(LPCSTR text)
{
    if (text == LPSTR_TEXTCALLBACKA) {
        m_textCallbacks = true;
        ForgetTexts();
    }
}

LRESULT CListCtrlEx::SetItemTextMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    const LVITEMA* item = reinterpret_cast<const LVITEMA*>(lParam);
    INT_PTR row = static_cast<INT_PTR>(wParam);
    bool known = row >= 0 && row < static_cast<INT_PTR>(m_rowTexts.size()) &&
                 m_rowTexts[static_cast<size_t>(row)].known;
    if (item != nullptr)
        NoteTextArgument(item->pszText);
    ForgetRowTexts(row);
    LRESULT result = CListCtrl::WindowProc(message, wParam, lParam);
    // A short ASCII text reads back as it was set: the row stays known.
    if (!result || !known || message != LVM_SETITEMTEXTA || item == nullptr ||
        item->pszText == nullptr || item->pszText == LPSTR_TEXTCALLBACKA ||
        row >= static_cast<INT_PTR>(m_rowTexts.size()))
        return result;
    RowTextCache& cache = m_rowTexts[static_cast<size_t>(row)];
    size_t column = static_cast<size_t>(item->iSubItem);
    const char* text = item->pszText;
    size_t length = 0;
    while (length < 255 && text[length] != '\0' && static_cast<unsigned char>(text[length]) < 0x80)
        ++length;
    if (item->iSubItem >= 0 && column < cache.cells.size() && text[length] == '\0') {
        cache.cells[column].assign(text, length);
        cache.known = true;
    }
    return result;
}

LRESULT CListCtrlEx::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case LVM_SETITEMTEXTA:
    case LVM_SETITEMTEXTW:
        return SetItemTextMessage(message, wParam, lParam);
    case LVM_SETITEMA:
    case LVM_SETITEMW:
    case LVM_INSERTITEMA:
    case LVM_INSERTITEMW: {
        const LVITEMA* item = reinterpret_cast<const LVITEMA*>(lParam);
        if (item != nullptr && (item->mask & LVIF_TEXT) != 0)
            NoteTextArgument(item->pszText);
        // Known after the change, so a paint inside it reads the list view again.
        bool oneRow = message == LVM_SETITEMA || message == LVM_SETITEMW;
        INT_PTR row = item != nullptr && oneRow ? item->iItem : -1;
        ForgetRowTexts(row);
        LRESULT result = CListCtrl::WindowProc(message, wParam, lParam);
        ForgetRowTexts(row);
        return result;
    }
    case LVM_DELETEITEM:
    case LVM_DELETEALLITEMS:
    case LVM_SORTITEMS:
    case LVM_SORTITEMSEX:
    case LVM_SETITEMCOUNT:
    case LVM_INSERTCOLUMNA:
    case LVM_INSERTCOLUMNW:
    case LVM_DELETECOLUMN: {
        ForgetTexts();
        LRESULT result = CListCtrl::WindowProc(message, wParam, lParam);
        ForgetTexts();
        return result;
    }
    default:
        return CListCtrl::WindowProc(message, wParam, lParam);
    }
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
    const std::vector<std::string>& texts = RowTexts(row, m_layout.cells.size());
    // Each row starts in the picture's own font; a cell without a font keeps the one
    // before it in the row.
    bool rowFontChosen = false;
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
        if (selected && m_selectMode == 2)
            textColor = RGB(0xFF, 0xFF, 0x00);
        CFont* font = (static_cast<int>(j) == m_columnFontIndex && m_columnFont != nullptr)
                          ? m_columnFont : m_itemFont;
        HGDIOBJ cellFont = m_pictureFont;
        if (font != nullptr && font->m_hObject != NULL) {
            cellFont = font->m_hObject;
            rowFontChosen = true;
        } else if (!rowFontChosen) {
            cellFont = m_pictureOriginalFont;
            rowFontChosen = true;
        }
        if (cellFont != m_pictureFont) {
            m_textPainter.Flush(dc.m_hDC);
            SelectPictureFont(cellFont);
        }
        RECT textRect = { left + 1, 1, right - 1, height - 1 };
        // Cells lie side by side in column order, so their clipped texts cannot meet and
        // may go out together; otherwise each is drawn in column order.
        if (!m_layout.sideBySide ||
            !m_textPainter.Queue(dc.m_hDC, m_pictureFont, texts[j].c_str(), textRect, m_itemTextFormat, textColor))
            m_textPainter.Draw(dc.m_hDC, m_pictureFont, texts[j].c_str(), textRect, m_itemTextFormat, textColor);
    }
    m_textPainter.Flush(dc.m_hDC);
    ::BitBlt(target->m_hDC, 0, rowRect.top, m_totalWidth, height, dc.m_hDC, 0, 0, SRCCOPY);
    if (!m_inPaint)
        ReleasePictureFont();

    // Inside a paint the range is checked once, after the last row.
    if (!m_inPaint && !m_scrolling && UpdateVisibleRange())
        PostNotification(kVisibleNotification, 1);
}

BOOL CListCtrlEx::OnEraseBkgnd(CDC* pDC)
{
    CRect client;
    GetClientRect(&client);
    bool laidOut = m_inPaint && m_layoutGeneration == m_paintGeneration;
    COLORREF background = laidOut ? m_layout.background : static_cast<COLORREF>(CallListView(LVM_GETBKCOLOR, 0, 0));
    int count = laidOut ? m_layout.rowCount : static_cast<int>(CallListView(LVM_GETITEMCOUNT, 0, 0));
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
    int width = laidOut ? m_layout.totalWidth : TotalWidth();
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
