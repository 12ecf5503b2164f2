#include "GridListCtrl.h"

#include "FlatFrame.h"
#include "SelectBlend.h"

#include <algorithm>

const UINT WM_GRIDLIST_COMBO_SELECTION = ::RegisterWindowMessageA("WM_GRIDLIST_COMBO_SELECTION");
const UINT WM_GRIDLIST_EDIT_END = ::RegisterWindowMessageA("WM_GRIDLIST_EDIT_END");
const UINT WM_GRIDLIST_CHECKBOX_CLICKED = ::RegisterWindowMessageA("WM_GRIDLIST_CHECKBOX_CLICKED");

namespace {

// Indexes into the list's system colours.
enum { kGrayText = 7, kHighlight = 8, kHighlightText = 9, kWindow = 12, kWindowText = 13, kFace = 0 };
const int kSystemColorIds[14] = { COLOR_3DFACE, COLOR_3DHILIGHT, COLOR_3DSHADOW, COLOR_ACTIVECAPTION,
                                  COLOR_3DFACE, COLOR_3DSHADOW, COLOR_BTNTEXT, COLOR_GRAYTEXT,
                                  COLOR_HIGHLIGHT, COLOR_HIGHLIGHTTEXT, COLOR_INACTIVECAPTION,
                                  COLOR_INACTIVECAPTIONTEXT, COLOR_WINDOW, COLOR_WINDOWTEXT };

}  // namespace

BEGIN_MESSAGE_MAP(CGridListCtrl, CListCtrl)
    ON_WM_CREATE()
    ON_WM_DESTROY()
    ON_WM_ERASEBKGND()
    ON_WM_MEASUREITEM_REFLECT()
    ON_WM_LBUTTONDOWN()
    ON_WM_RBUTTONDOWN()
    ON_WM_KEYDOWN()
    ON_NOTIFY_REFLECT(NM_CLICK, &CGridListCtrl::OnClick)
    ON_NOTIFY_REFLECT(LVN_COLUMNCLICK, &CGridListCtrl::OnColumnClick)
    ON_NOTIFY_REFLECT(NM_CUSTOMDRAW, &CGridListCtrl::OnCustomDraw)
    ON_NOTIFY_REFLECT(LVN_DELETEITEM, &CGridListCtrl::OnDeleteItem)
    ON_WM_NCPAINT()
    ON_WM_SYSCOLORCHANGE()
END_MESSAGE_MAP()

CGridListCtrl::CGridListCtrl()
{
    ReadSystemColors();
}

CGridListCtrl::~CGridListCtrl() = default;

void CGridListCtrl::ReadSystemColors()
{
    for (int i = 0; i < 14; ++i)
        m_colors[i] = ::GetSysColor(kSystemColorIds[i]);
}

void CGridListCtrl::OnSysColorChange()
{
    ReadSystemColors();
    CListCtrl::OnSysColorChange();
}

void CGridListCtrl::AttachHeader()
{
    if (m_headerSubclassed || m_hWnd == NULL)
        return;
    HWND header = ListView_GetHeader(m_hWnd);
    if (header != NULL && m_header.SubclassWindow(header))
        m_headerSubclassed = true;
}

void CGridListCtrl::PreSubclassWindow()
{
    CListCtrl::PreSubclassWindow();
    AttachHeader();
}

int CGridListCtrl::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CListCtrl::OnCreate(lpCreateStruct) == -1)
        return -1;
    AttachHeader();
    return 0;
}

void CGridListCtrl::OnDestroy()
{
    int count = GetItemCount();
    for (int row = 0; row < count; ++row) {
        delete RowCells(row);
        CListCtrl::SetItemData(row, 0);
    }
    m_rowColors.clear();
    m_headerSubclassed = false;
    if (m_pictureDC.m_hDC != NULL) {
        if (m_oldPictureBitmap != nullptr)
            m_pictureDC.SelectObject(m_oldPictureBitmap);
        m_oldPictureBitmap = nullptr;
        m_pictureDC.DeleteDC();
        m_pictureBitmap.DeleteObject();
        m_pictureRect.SetRectEmpty();
    }
    CListCtrl::OnDestroy();
}

void CGridListCtrl::OnDeleteItem(NMHDR* pNMHDR, LRESULT* pResult)
{
    // Rows deleted by any means free their records.
    NMLISTVIEW* item = reinterpret_cast<NMLISTVIEW*>(pNMHDR);
    delete reinterpret_cast<Cells*>(item->lParam);
    *pResult = 0;
}

int CGridListCtrl::ColumnCount() const
{
    return m_header.m_hWnd != NULL ? m_header.GetItemCount() : 0;
}

CGridListCtrl::Cells* CGridListCtrl::RowCells(int row) const
{
    if (row < 0 || row >= GetItemCount())
        return nullptr;
    return reinterpret_cast<Cells*>(CListCtrl::GetItemData(row));
}

GridCell* CGridListCtrl::Cell(int row, int column) const
{
    Cells* cells = RowCells(row);
    if (cells == nullptr || column < 0 || column >= static_cast<int>(cells->size()))
        return nullptr;
    return &(*cells)[column];
}

const GridCell* CGridListCtrl::CellAt(int row, int column) const
{
    return Cell(row, column);
}

bool CGridListCtrl::IsRowEnabled(int row) const
{
    const GridCell* first = Cell(row, 0);
    return first != nullptr && first->enabled != 0;
}

int CGridListCtrl::InsertItem(int row, LPCTSTR text, COLORREF textColor, COLORREF bkColor)
{
    if (row < 0)
        return -1;
    Cells* cells = new Cells(std::max(ColumnCount(), 1));
    for (GridCell& cell : *cells) {
        cell.textColor = m_colors[kWindowText];
        cell.bkColor = m_colors[kWindow];
    }
    (*cells)[0].textColor = textColor;
    (*cells)[0].bkColor = bkColor;
    (*cells)[0].imageIndex = -1;
    int inserted = CListCtrl::InsertItem(LVIF_TEXT | LVIF_PARAM, row, text, 0, 0, 0, (LPARAM)cells);
    if (inserted < 0) {
        delete cells;
        return inserted;
    }
    size_t position = std::min(static_cast<size_t>(inserted), m_rowColors.size());
    m_rowColors.insert(m_rowColors.begin() + position,
                       std::vector<COLORREF>(ColumnCount(), m_defaultTextColor));
    return inserted;
}

int CGridListCtrl::InsertItem(int row, LPCTSTR text)
{
    return InsertItem(row, text, m_colors[kWindowText], m_colors[kWindow]);
}

BOOL CGridListCtrl::DeleteItem(int row)
{
    if (!CListCtrl::DeleteItem(row))
        return FALSE;
    if (row >= 0 && row < static_cast<int>(m_rowColors.size()))
        m_rowColors.erase(m_rowColors.begin() + row);
    return TRUE;
}

BOOL CGridListCtrl::DeleteAllItems()
{
    m_rowColors.clear();
    return CListCtrl::DeleteAllItems();
}

BOOL CGridListCtrl::SetItemText(int row, int column, LPCTSTR text)
{
    if (row < 0 || row >= GetItemCount() || column < 0 || column >= ColumnCount())
        return FALSE;
    CListCtrl::SetItemText(row, column, text);
    UpdateSubItem(row, column);
    return TRUE;
}

int CGridListCtrl::GetCheckbox(int row, int column) const
{
    const GridCell* cell = Cell(row, column);
    return cell != nullptr ? cell->check : -1;
}

BOOL CGridListCtrl::SetCheckbox(int row, int column, int state)
{
    GridCell* cell = Cell(row, column);
    if (cell == nullptr)
        return FALSE;
    cell->check = state;
    UpdateSubItem(row, column);
    UpdateHeaderCheck(column);
    return TRUE;
}

DWORD_PTR CGridListCtrl::GetItemData(int row) const
{
    const GridCell* cell = Cell(row, 0);
    return cell != nullptr ? cell->itemData : 0;
}

BOOL CGridListCtrl::SetItemData(int row, DWORD_PTR value)
{
    GridCell* cell = Cell(row, 0);
    if (cell == nullptr)
        return FALSE;
    cell->itemData = value;
    return TRUE;
}

BOOL CGridListCtrl::SetRowEnabled(int row, BOOL enabled)
{
    GridCell* cell = Cell(row, 0);
    if (cell == nullptr)
        return FALSE;
    cell->enabled = enabled ? 1 : 0;
    UpdateSubItem(row, -1);
    return TRUE;
}

void CGridListCtrl::UpdateSubItem(int row, int column)
{
    if (row < 0 || row >= GetItemCount() || column >= ColumnCount())
        return;
    CRect rect;
    if (column < 0)
        GetItemRect(row, &rect, LVIR_BOUNDS);
    else
        GetSubItemRect(row, column, LVIR_BOUNDS, rect);
    rect.InflateRect(2, 2);
    InvalidateRect(&rect, TRUE);
    UpdateWindow();
    // Without a cell message set, the parent is told nothing.
    CWnd* parent = GetParent();
    if (m_cellMessage != (UINT)-1 && parent != nullptr)
        parent->SendMessage(m_cellMessage, row, column);
}

BOOL CGridListCtrl::GetSubItemRect(int row, int column, int area, CRect& rect)
{
    int columns = ColumnCount();
    if (row < 0 || row >= GetItemCount() || column < 0 || column >= columns)
        return FALSE;
    if (!CListCtrl::GetSubItemRect(row, column, area, rect))
        return FALSE;
    if (column == 0 && columns > 1) {
        // The list reports column 0 across the whole row; it ends where the next visible
        // column starts.
        std::vector<int> order(columns);
        GetColumnOrderArray(order.data(), columns);
        auto position = std::find(order.begin(), order.end(), 0);
        if (position != order.end() && position + 1 != order.end()) {
            CRect next;
            CListCtrl::GetSubItemRect(row, *(position + 1), LVIR_BOUNDS, next);
            rect.right = next.left;
        }
    }
    return TRUE;
}

int CGridListCtrl::InsertColumn(int column, const LVCOLUMNA* lvColumn)
{
    int columns = ColumnCount();
    size_t position = static_cast<size_t>(std::max(0, std::min(column, columns)));
    int inserted = CListCtrl::InsertColumn(column, lvColumn);
    if (inserted < 0)
        return inserted;
    // Every row's records and colours grow at the new column, so cells keep their column.
    for (auto& colors : m_rowColors)
        colors.insert(colors.begin() + std::min(position, colors.size()), m_defaultTextColor);
    int count = GetItemCount();
    for (int row = 0; row < count; ++row) {
        Cells* cells = RowCells(row);
        if (cells == nullptr)
            continue;
        GridCell cell;
        cell.textColor = m_colors[kWindowText];
        cell.bkColor = m_colors[kWindow];
        cells->insert(cells->begin() + std::min(static_cast<size_t>(inserted), cells->size()), cell);
    }
    return inserted;
}

int CGridListCtrl::InsertColumn(int column, LPCTSTR heading, int format, int width)
{
    LVCOLUMNA lvColumn = {};
    lvColumn.mask = LVCF_TEXT | LVCF_FMT | (width >= 0 ? LVCF_WIDTH : 0);
    lvColumn.pszText = const_cast<LPSTR>(heading);
    lvColumn.fmt = format;
    lvColumn.cx = width;
    return InsertColumn(column, &lvColumn);
}

BOOL CGridListCtrl::SetCellTextColor(int row, int column, COLORREF color)
{
    GridCell* cell = Cell(row, column);
    if (cell == nullptr)
        return FALSE;
    cell->textColor = color;
    return TRUE;
}

void CGridListCtrl::SetRowColors(int row, const std::vector<COLORREF>& colors)
{
    if (row >= 0 && row < static_cast<int>(m_rowColors.size()))
        m_rowColors[row] = colors;
}

void CGridListCtrl::GetRowColors(int row, std::vector<COLORREF>& colors) const
{
    if (row >= 0 && row < static_cast<int>(m_rowColors.size()))
        colors = m_rowColors[row];
}

BOOL CGridListCtrl::SetColumnWidth(int column, int width)
{
    if (!CListCtrl::SetColumnWidth(column, width))
        return FALSE;
    return CListCtrl::SetColumnWidth(column, GetColumnWidth(column) + 2 * m_header.GetSpacing());
}

void CGridListCtrl::MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct)
{
    lpMeasureItemStruct->itemHeight = m_rowHeight;
}

BOOL CGridListCtrl::OnEraseBkgnd(CDC* pDC)
{
    CRect client;
    GetClientRect(&client);
    pDC->FillSolidRect(&client, GetBkColor());
    return TRUE;
}

void CGridListCtrl::OnNcPaint()
{
    Default();
    tolvan::controls::PaintFlatFrame(m_hWnd, m_borderWidth, m_borderColor, true);
}

void CGridListCtrl::UpdateHeaderCheck(int column)
{
    if (m_header.m_hWnd == NULL || m_header.GetCheckImage(column) == 0)
        return;
    int count = GetItemCount();
    int checked = 0;
    for (int row = 0; row < count; ++row) {
        if (GetCheckbox(row, column) == 1)
            ++checked;
    }
    m_header.SetCheckImage(column, count > 0 && checked == count ? 2 : 1);
    m_header.Invalidate();
}

void CGridListCtrl::OnLButtonDown(UINT nFlags, CPoint point)
{
    LVHITTESTINFO hit = {};
    hit.pt = point;
    SubItemHitTest(&hit);
    if (hit.iItem < 0 || (hit.flags & LVHT_ONITEMLABEL) == 0) {
        CListCtrl::OnLButtonDown(nFlags, point);
        return;
    }
    if (!IsRowEnabled(hit.iItem))
        return;
    int column = -1;
    for (int j = 0; j < ColumnCount(); ++j) {
        CRect cell;
        if (GetSubItemRect(hit.iItem, j, LVIR_BOUNDS, cell) && cell.PtInRect(point)) {
            column = j;
            break;
        }
    }
    if (column < 0) {
        CListCtrl::OnLButtonDown(nFlags, point);
        return;
    }
    GridCell* cell = Cell(hit.iItem, column);
    if (cell != nullptr && (cell->check == 0 || cell->check == 1)) {
        cell->modified = 1;
        cell->check = !cell->check;
        m_modified = true;
        UpdateSubItem(hit.iItem, column);
        CWnd* parent = GetParent();
        HWND target = parent != nullptr ? parent->m_hWnd : ::GetWindow(m_hWnd, GW_OWNER);
        if (target != NULL)
            ::SendMessageA(target, WM_GRIDLIST_CHECKBOX_CLICKED, hit.iItem, column);
        UpdateHeaderCheck(column);
    }
    CListCtrl::OnLButtonDown(nFlags, point);
}

void CGridListCtrl::OnRButtonDown(UINT nFlags, CPoint point)
{
    LVHITTESTINFO hit = {};
    hit.pt = point;
    SubItemHitTest(&hit);
    if (hit.iItem >= 0 && !IsRowEnabled(hit.iItem))
        return;
    CListCtrl::OnRButtonDown(nFlags, point);
}

void CGridListCtrl::SelectRow(int row)
{
    SetItemState(row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    EnsureVisible(row, FALSE);
}

void CGridListCtrl::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    int before = GetNextItem(-1, LVNI_SELECTED);
    CListCtrl::OnKeyDown(nChar, nRepCnt, nFlags);
    int after = GetNextItem(-1, LVNI_SELECTED);
    if (after < 0)
        return;
    if (IsRowEnabled(after)) {
        SelectRow(after);
        return;
    }
    SetItemState(after, 0, LVIS_SELECTED | LVIS_FOCUSED);
    int count = GetItemCount();
    int found = -1;
    bool forward = nChar == VK_DOWN || nChar == VK_NEXT;
    bool backward = nChar == VK_UP || nChar == VK_PRIOR;
    if (forward || backward) {
        int step = forward ? 1 : -1;
        for (int row = after; row >= 0 && row < count && found < 0; row += step) {
            if (IsRowEnabled(row))
                found = row;
        }
        // Past the end the search turns round from that end.
        for (int row = forward ? count - 1 : 0; row >= 0 && row < count && found < 0; row -= step) {
            if (IsRowEnabled(row))
                found = row;
        }
    }
    if (found < 0)
        found = before;
    if (found >= 0)
        SelectRow(found);
}

void CGridListCtrl::OnClick(NMHDR*, LRESULT* pResult)
{
    *pResult = 0;
}

void CGridListCtrl::OnColumnClick(NMHDR* pNMHDR, LRESULT* pResult)
{
    *pResult = 0;
    int column = reinterpret_cast<NMLISTVIEW*>(pNMHDR)->iSubItem;
    int image = m_header.GetCheckImage(column);
    if (image == 0)
        return;
    int next = image == 1 ? 2 : 1;
    m_header.SetCheckImage(column, next);
    m_header.Invalidate();
    int count = GetItemCount();
    for (int row = 0; row < count; ++row) {
        GridCell* cell = Cell(row, column);
        if (cell == nullptr || cell->check == -1)
            continue;
        cell->check = next - 1;
        cell->modified = 1;
        m_modified = true;
        UpdateSubItem(row, column);
    }
}

void CGridListCtrl::DrawCell(CDC& dc, int row, int column, const CRect& cell, bool selected)
{
    const GridCell* record = Cell(row, column);
    COLORREF text = record != nullptr ? record->textColor : m_colors[kWindowText];
    COLORREF background = record != nullptr ? record->bkColor : m_colors[kWindow];
    if (!IsRowEnabled(row))
        text = m_colors[kGrayText];
    if (selected) {
        bool focused = ::GetFocus() == m_hWnd;
        bool fullRow = (GetExtendedStyle() & LVS_EX_FULLROWSELECT) != 0;
        if (focused && (fullRow || column == 0)) {
            text = m_colors[kHighlightText];
            background = m_colors[kHighlight];
        } else if (!focused && (GetStyle() & LVS_SHOWSELALWAYS)) {
            text = m_colors[kWindowText];
            background = m_colors[kFace];
        }
    }
    dc.FillSolidRect(&cell, background);
    char buffer[256] = {};
    GetItemText(row, column, buffer, sizeof(buffer));
    dc.SetBkMode(TRANSPARENT);
    dc.SetTextColor(text);
    UINT ellipsis = m_endEllipsis ? DT_END_ELLIPSIS : 0;
    if (record != nullptr && record->check != -1) {
        // The box lies inside its own cell, whichever column it is in.
        CRect box(cell.left + 6, cell.top + 2, cell.left + 19, cell.top + 15);
        if (buffer[0] == '\0')
            box.OffsetRect(cell.Width() / 2 - 6 - 1 - 6, 0);
        DrawGridCheckbox(dc, box, record->check == 1, m_colors[kWindow]);
        if (buffer[0] != '\0') {
            CRect textRect(box.right + 4, cell.top, cell.right, cell.bottom);
            dc.DrawText(buffer, -1, &textRect, DT_SINGLELINE | DT_VCENTER | ellipsis);
        }
        return;
    }
    CRect textRect = cell;
    CImageList* images = GetImageList(LVSIL_SMALL);
    if (record != nullptr && record->imageIndex != -1 && images != nullptr) {
        IMAGEINFO info = {};
        images->GetImageInfo(record->imageIndex, &info);
        int height = info.rcImage.bottom - info.rcImage.top;
        images->Draw(&dc, record->imageIndex,
                     CPoint(cell.left + m_header.GetSpacing(), cell.top + (cell.Height() - height) / 2),
                     ILD_TRANSPARENT);
        textRect.left += m_header.GetSpacing() + (info.rcImage.right - info.rcImage.left);
    }
    textRect.DeflateRect(m_padding, 0);
    HDITEMA headerItem = {};
    headerItem.mask = HDI_FORMAT;
    UINT align = DT_LEFT;
    if (m_header.m_hWnd != NULL && m_header.GetItem(column, &headerItem)) {
        if ((headerItem.fmt & HDF_JUSTIFYMASK) == HDF_CENTER)
            align = DT_CENTER;
        else if ((headerItem.fmt & HDF_JUSTIFYMASK) == HDF_RIGHT)
            align = DT_RIGHT;
    }
    CFont bold;
    CFont* oldFont = nullptr;
    if (record != nullptr && record->bold) {
        LOGFONTA logFont = {};
        CFont* current = GetFont();
        if (current != nullptr && current->GetLogFont(&logFont)) {
            logFont.lfWeight = FW_BOLD;
            bold.CreateFontIndirect(&logFont);
            oldFont = dc.SelectObject(&bold);
        }
    }
    dc.DrawText(buffer, -1, &textRect, DT_SINGLELINE | DT_VCENTER | ellipsis | align);
    if (oldFont != nullptr)
        dc.SelectObject(oldFont);
}

void CGridListCtrl::OnCustomDraw(NMHDR* pNMHDR, LRESULT* pResult)
{
    NMLVCUSTOMDRAW* draw = reinterpret_cast<NMLVCUSTOMDRAW*>(pNMHDR);
    switch (draw->nmcd.dwDrawStage) {
    case CDDS_PREPAINT:
    case CDDS_ITEMPREPAINT:
        *pResult = CDRF_NOTIFYSUBITEMDRAW;
        return;
    case CDDS_ITEMPREPAINT | CDDS_SUBITEM: {
        int row = static_cast<int>(draw->nmcd.dwItemSpec);
        CRect cell;
        if (!GetSubItemRect(row, draw->iSubItem, LVIR_BOUNDS, cell)) {
            *pResult = CDRF_DODEFAULT;
            return;
        }
        CDC* dc = CDC::FromHandle(draw->nmcd.hdc);
        bool selected = (GetItemState(row, LVIS_SELECTED) & LVIS_SELECTED) != 0;
        CFont* font = GetFont();
        CFont* oldFont = font != nullptr ? dc->SelectObject(font) : nullptr;
        DrawCell(*dc, row, draw->iSubItem, cell, selected);
        if (oldFont != nullptr)
            dc->SelectObject(oldFont);
        *pResult = CDRF_SKIPDEFAULT;
        return;
    }
    default:
        *pResult = CDRF_DODEFAULT;
    }
}

int CGridListCtrl::TotalColumnWidth() const
{
    int total = 0;
    for (int column = 0; column < ColumnCount(); ++column)
        total += const_cast<CGridListCtrl*>(this)->GetColumnWidth(column);
    return total;
}

void CGridListCtrl::PrepareRowPicture(int width, int height)
{
    if (m_pictureDC.m_hDC != NULL && m_pictureRect.Width() == width && m_pictureRect.Height() == height)
        return;
    CClientDC screen(this);
    if (m_pictureDC.m_hDC == NULL) {
        m_pictureDC.CreateCompatibleDC(&screen);
        m_pictureDC.SetBkMode(TRANSPARENT);
        m_pictureOriginalFont = ::GetCurrentObject(m_pictureDC.m_hDC, OBJ_FONT);
    }
    if (m_oldPictureBitmap != nullptr)
        m_pictureDC.SelectObject(m_oldPictureBitmap);
    m_pictureBitmap.DeleteObject();
    m_pictureBitmap.CreateCompatibleBitmap(&screen, std::max(width, 1), std::max(height, 1));
    m_oldPictureBitmap = m_pictureDC.SelectObject(&m_pictureBitmap);
    m_pictureRect.SetRect(0, 0, width, height);
}

// False when the row is left unpainted (a selected row in a mode without a background).
bool CGridListCtrl::PaintRowBackground(int row, bool selected, int width, int height)
{
    const COLORREF listBk = GetBkColor();
    CDC& dc = m_pictureDC;
    if (!selected) {
        dc.FillSolidRect(0, 0, width, height, m_rowBackgrounds != nullptr ? m_rowBackgrounds[row] : listBk);
        return true;
    }
    switch (m_selectMode) {
    case -1:
        dc.FillSolidRect(0, 0, width, height, listBk);
        return true;
    case 0:
        dc.FillSolidRect(0, 0, width, height, BlendSelectColor(m_selectColor, listBk, m_blendPercent));
        return true;
    case 1:
        dc.FillSolidRect(0, 0, width, height, m_selectColor);
        dc.FillSolidRect(1, 1, width - 2, height - 2, listBk);
        return true;
    default:
        return false;
    }
}

// The column font in its column (the item font when it has none), elsewhere the item font;
// without either the list's own font.
void CGridListCtrl::SelectCellFont(int column)
{
    CFont* font = column == m_columnFontIndex && m_columnFont != nullptr ? m_columnFont : m_itemFont;
    if (font == nullptr || font->m_hObject == NULL)
        font = GetFont();
    ::SelectObject(m_pictureDC.m_hDC, font != nullptr && font->m_hObject != NULL ? font->m_hObject
                                                                                   : m_pictureOriginalFont);
}

void CGridListCtrl::DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct)
{
    const int row = static_cast<int>(lpDrawItemStruct->itemID);
    const CRect rowRect(lpDrawItemStruct->rcItem);
    const int width = TotalColumnWidth();
    const int height = rowRect.Height();
    if (width <= 0 || height <= 0)
        return;
    PrepareRowPicture(width, height);
    CDC& dc = m_pictureDC;
    const bool selected = (lpDrawItemStruct->itemState & ODS_SELECTED) != 0;
    PaintRowBackground(row, selected, width, height);

    const std::vector<COLORREF>* colors =
        row >= 0 && row < static_cast<int>(m_rowColors.size()) ? &m_rowColors[row] : nullptr;
    const UINT ellipsis = m_endEllipsis ? DT_END_ELLIPSIS : 0;
    for (int column = 0; column < ColumnCount(); ++column) {
        CRect cell;
        if (!CListCtrl::GetSubItemRect(row, column, LVIR_LABEL, cell))
            continue;
        if (column == 0)
            cell.left -= 2;
        const COLORREF textColor =
            colors != nullptr && column < static_cast<int>(colors->size()) ? (*colors)[column] : m_defaultTextColor;
        char text[256] = {};
        GetItemText(row, column, text, sizeof(text));
        SelectCellFont(column);
        dc.SetTextColor(textColor);
        const GridCell* record = column == 0 ? Cell(row, 0) : nullptr;
        if (record != nullptr && record->check != -1) {
            CRect box(6, 2, 19, 15);
            if (text[0] == '\0')
                box.SetRect(cell.left + cell.Width() / 2 - 6 - 1, 2, cell.left + cell.Width() / 2 - 6 - 1 + 13, 15);
            DrawGridCheckbox(dc, box, record->check == 1, m_colors[kWindow]);
            CRect textRect(box.right + 4, 0, cell.right, height);
            dc.DrawText(text, -1, &textRect, DT_SINGLELINE | DT_VCENTER | ellipsis);
            continue;
        }
        CRect textRect(cell.left + 1, 1, cell.right - 1, height - 1);
        dc.DrawText(text, -1, &textRect, m_itemTextFormat);
    }
    ::SelectObject(dc.m_hDC, m_pictureOriginalFont);
    ::BitBlt(lpDrawItemStruct->hDC, 0, rowRect.top, width, height, dc.m_hDC, 0, 0, SRCCOPY);
}
