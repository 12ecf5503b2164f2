// CListCtrl: the list view control wrapper.
#include "wincore.h"

#include <afxcmn.h>

IMPLEMENT_DYNAMIC(CListCtrl, CWnd)

CListCtrl::CListCtrl() {}
CListCtrl::~CListCtrl() {}

BOOL CListCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    afxcore::EnsureCommonControls(ICC_LISTVIEW_CLASSES);
    return CWnd::Create(WC_LISTVIEWA, NULL, dwStyle, rect, pParentWnd, nID);
}

BOOL CListCtrl::CreateEx(DWORD dwExStyle, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    afxcore::EnsureCommonControls(ICC_LISTVIEW_CLASSES);
    return CWnd::CreateEx(dwExStyle, WC_LISTVIEWA, NULL, dwStyle | WS_CHILD, rect, pParentWnd, nID);
}

using afxcore::Send;

COLORREF CListCtrl::GetBkColor() const { return (COLORREF)Send(m_hWnd, LVM_GETBKCOLOR); }
BOOL CListCtrl::SetBkColor(COLORREF cr) { return (BOOL)Send(m_hWnd, LVM_SETBKCOLOR, 0, cr); }
COLORREF CListCtrl::GetTextColor() const { return (COLORREF)Send(m_hWnd, LVM_GETTEXTCOLOR); }
BOOL CListCtrl::SetTextColor(COLORREF cr) { return (BOOL)Send(m_hWnd, LVM_SETTEXTCOLOR, 0, cr); }
COLORREF CListCtrl::GetTextBkColor() const { return (COLORREF)Send(m_hWnd, LVM_GETTEXTBKCOLOR); }
BOOL CListCtrl::SetTextBkColor(COLORREF cr) { return (BOOL)Send(m_hWnd, LVM_SETTEXTBKCOLOR, 0, cr); }
CImageList* CListCtrl::GetImageList(int nImageList) const { return CImageList::FromHandle((HIMAGELIST)Send(m_hWnd, LVM_GETIMAGELIST, nImageList)); }

CImageList* CListCtrl::SetImageList(CImageList* pImageList, int nImageListType)
{
    return CImageList::FromHandle((HIMAGELIST)Send(m_hWnd, LVM_SETIMAGELIST, nImageListType,
                                                   (LPARAM)(pImageList != NULL ? pImageList->GetSafeHandle() : NULL)));
}

int CListCtrl::GetItemCount() const { return (int)Send(m_hWnd, LVM_GETITEMCOUNT); }
BOOL CListCtrl::GetItem(LVITEM* pItem) const { return (BOOL)Send(m_hWnd, LVM_GETITEMA, 0, (LPARAM)pItem); }
BOOL CListCtrl::SetItem(const LVITEM* pItem) { return (BOOL)Send(m_hWnd, LVM_SETITEMA, 0, (LPARAM)pItem); }

BOOL CListCtrl::SetItem(int nItem, int nSubItem, UINT nMask, LPCTSTR lpszItem, int nImage,
                        UINT nState, UINT nStateMask, LPARAM lParam)
{
    LVITEMA lvi = {};
    lvi.mask = nMask;
    lvi.iItem = nItem;
    lvi.iSubItem = nSubItem;
    lvi.stateMask = nStateMask;
    lvi.state = nState;
    lvi.pszText = (LPSTR)lpszItem;
    lvi.iImage = nImage;
    lvi.lParam = lParam;
    return (BOOL)Send(m_hWnd, LVM_SETITEMA, 0, (LPARAM)&lvi);
}

UINT CListCtrl::GetCallbackMask() const { return (UINT)Send(m_hWnd, LVM_GETCALLBACKMASK); }
BOOL CListCtrl::SetCallbackMask(UINT nMask) { return (BOOL)Send(m_hWnd, LVM_SETCALLBACKMASK, nMask); }
int CListCtrl::GetNextItem(int nItem, int nFlags) const { return (int)Send(m_hWnd, LVM_GETNEXTITEM, nItem, MAKELPARAM(nFlags, 0)); }

POSITION CListCtrl::GetFirstSelectedItemPosition() const
{
    // Position = item index + 1, so that NULL means "none".
    return (POSITION)(DWORD_PTR)(1 + GetNextItem(-1, LVIS_SELECTED));
}

int CListCtrl::GetNextSelectedItem(POSITION& pos) const
{
    int nOldPos = (int)(DWORD_PTR)pos - 1;
    pos = (POSITION)(DWORD_PTR)(1 + GetNextItem(nOldPos, LVIS_SELECTED));
    return nOldPos;
}

BOOL CListCtrl::GetItemRect(int nItem, LPRECT lpRect, UINT nCode) const
{
    lpRect->left = nCode;
    return (BOOL)Send(m_hWnd, LVM_GETITEMRECT, nItem, (LPARAM)lpRect);
}

BOOL CListCtrl::GetSubItemRect(int iItem, int iSubItem, int nArea, CRect& ref)
{
    RECT rect;
    rect.top = iSubItem;
    rect.left = nArea;
    BOOL bResult = (BOOL)Send(m_hWnd, LVM_GETSUBITEMRECT, iItem, (LPARAM)&rect);
    if (bResult)
        ref = rect;
    return bResult;
}

BOOL CListCtrl::SetItemPosition(int nItem, POINT pt) { return (BOOL)Send(m_hWnd, LVM_SETITEMPOSITION32, nItem, (LPARAM)&pt); }
BOOL CListCtrl::GetItemPosition(int nItem, LPPOINT lpPoint) const { return (BOOL)Send(m_hWnd, LVM_GETITEMPOSITION, nItem, (LPARAM)lpPoint); }
int CListCtrl::GetStringWidth(LPCTSTR lpsz) const { return (int)Send(m_hWnd, LVM_GETSTRINGWIDTHA, 0, (LPARAM)lpsz); }
CEdit* CListCtrl::GetEditControl() const { return (CEdit*)CWnd::FromHandle((HWND)Send(m_hWnd, LVM_GETEDITCONTROL)); }
BOOL CListCtrl::GetColumn(int nCol, LVCOLUMN* pColumn) const { return (BOOL)Send(m_hWnd, LVM_GETCOLUMNA, nCol, (LPARAM)pColumn); }
BOOL CListCtrl::SetColumn(int nCol, const LVCOLUMN* pColumn) { return (BOOL)Send(m_hWnd, LVM_SETCOLUMNA, nCol, (LPARAM)pColumn); }
int CListCtrl::GetColumnWidth(int nCol) const { return (int)Send(m_hWnd, LVM_GETCOLUMNWIDTH, nCol); }
BOOL CListCtrl::SetColumnWidth(int nCol, int cx) { return (BOOL)Send(m_hWnd, LVM_SETCOLUMNWIDTH, nCol, MAKELPARAM(cx, 0)); }

BOOL CListCtrl::GetColumnOrderArray(LPINT piArray, int iCount)
{
    if (iCount == -1) {
        CHeaderCtrl* pHeader = GetHeaderCtrl();
        if (pHeader == NULL)
            return FALSE;
        iCount = pHeader->GetItemCount();
    }
    return (BOOL)Send(m_hWnd, LVM_GETCOLUMNORDERARRAY, iCount, (LPARAM)piArray);
}

BOOL CListCtrl::SetColumnOrderArray(int iCount, LPINT piArray) { return (BOOL)Send(m_hWnd, LVM_SETCOLUMNORDERARRAY, iCount, (LPARAM)piArray); }
BOOL CListCtrl::GetViewRect(LPRECT lpRect) const { return (BOOL)Send(m_hWnd, LVM_GETVIEWRECT, 0, (LPARAM)lpRect); }
int CListCtrl::GetTopIndex() const { return (int)Send(m_hWnd, LVM_GETTOPINDEX); }
int CListCtrl::GetCountPerPage() const { return (int)Send(m_hWnd, LVM_GETCOUNTPERPAGE); }
BOOL CListCtrl::GetOrigin(LPPOINT lpPoint) const { return (BOOL)Send(m_hWnd, LVM_GETORIGIN, 0, (LPARAM)lpPoint); }
BOOL CListCtrl::SetItemState(int nItem, LVITEM* pItem) { return (BOOL)Send(m_hWnd, LVM_SETITEMSTATE, nItem, (LPARAM)pItem); }

BOOL CListCtrl::SetItemState(int nItem, UINT nState, UINT nMask)
{
    LVITEMA lvi = {};
    lvi.stateMask = nMask;
    lvi.state = nState;
    return (BOOL)Send(m_hWnd, LVM_SETITEMSTATE, nItem, (LPARAM)&lvi);
}

UINT CListCtrl::GetItemState(int nItem, UINT nMask) const { return (UINT)Send(m_hWnd, LVM_GETITEMSTATE, nItem, nMask); }

CString CListCtrl::GetItemText(int nItem, int nSubItem) const
{
    // The control does not say how long the text is: grow the buffer until it fits.
    CString str;
    LVITEMA lvi = {};
    lvi.iSubItem = nSubItem;
    int nLen = 128;
    int nRes;
    do {
        nLen *= 2;
        lvi.cchTextMax = nLen;
        lvi.pszText = str.GetBufferSetLength(nLen);
        nRes = (int)Send(m_hWnd, LVM_GETITEMTEXTA, nItem, (LPARAM)&lvi);
    } while (nRes >= nLen - 1);
    str.ReleaseBuffer();
    return str;
}

int CListCtrl::GetItemText(int nItem, int nSubItem, LPTSTR lpszText, int nLen) const
{
    LVITEMA lvi = {};
    lvi.iSubItem = nSubItem;
    lvi.cchTextMax = nLen;
    lvi.pszText = lpszText;
    return (int)Send(m_hWnd, LVM_GETITEMTEXTA, nItem, (LPARAM)&lvi);
}

BOOL CListCtrl::SetItemText(int nItem, int nSubItem, LPCTSTR lpszText)
{
    LVITEMA lvi = {};
    lvi.iSubItem = nSubItem;
    lvi.pszText = (LPSTR)lpszText;
    return (BOOL)Send(m_hWnd, LVM_SETITEMTEXTA, nItem, (LPARAM)&lvi);
}

void CListCtrl::SetItemCount(int nItems) { Send(m_hWnd, LVM_SETITEMCOUNT, nItems); }
BOOL CListCtrl::SetItemCountEx(int iCount, DWORD dwFlags) { return (BOOL)Send(m_hWnd, LVM_SETITEMCOUNT, iCount, dwFlags); }

BOOL CListCtrl::SetItemData(int nItem, DWORD_PTR dwData)
{
    return SetItem(nItem, 0, LVIF_PARAM, NULL, 0, 0, 0, (LPARAM)dwData);
}

DWORD_PTR CListCtrl::GetItemData(int nItem) const
{
    LVITEMA lvi = {};
    lvi.iItem = nItem;
    lvi.mask = LVIF_PARAM;
    Send(m_hWnd, LVM_GETITEMA, 0, (LPARAM)&lvi);
    return (DWORD_PTR)lvi.lParam;
}

UINT CListCtrl::GetSelectedCount() const { return (UINT)Send(m_hWnd, LVM_GETSELECTEDCOUNT); }

CSize CListCtrl::SetIconSpacing(int cx, int cy)
{
    DWORD dw = (DWORD)Send(m_hWnd, LVM_SETICONSPACING, 0, MAKELONG(cx, cy));
    return CSize(LOWORD(dw), HIWORD(dw));
}

CSize CListCtrl::SetIconSpacing(CSize size) { return SetIconSpacing(size.cx, size.cy); }
CHeaderCtrl* CListCtrl::GetHeaderCtrl() const { return (CHeaderCtrl*)CWnd::FromHandle((HWND)Send(m_hWnd, LVM_GETHEADER)); }
int CListCtrl::GetHotItem() const { return (int)Send(m_hWnd, LVM_GETHOTITEM); }
int CListCtrl::SetHotItem(int iIndex) { return (int)Send(m_hWnd, LVM_SETHOTITEM, iIndex); }
int CListCtrl::GetSelectionMark() const { return (int)Send(m_hWnd, LVM_GETSELECTIONMARK); }
int CListCtrl::SetSelectionMark(int iIndex) { return (int)Send(m_hWnd, LVM_SETSELECTIONMARK, 0, iIndex); }
DWORD CListCtrl::GetExtendedStyle() const { return (DWORD)Send(m_hWnd, LVM_GETEXTENDEDLISTVIEWSTYLE); }
DWORD CListCtrl::SetExtendedStyle(DWORD dwNewStyle) { return (DWORD)Send(m_hWnd, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, dwNewStyle); }
int CListCtrl::SubItemHitTest(LPLVHITTESTINFO pInfo) { return (int)Send(m_hWnd, LVM_SUBITEMHITTEST, 0, (LPARAM)pInfo); }

BOOL CListCtrl::GetCheck(int nItem) const
{
    // State image 1 is "unchecked", 2 "checked".
    UINT nState = GetItemState(nItem, LVIS_STATEIMAGEMASK);
    return ((nState >> 12) - 1) == 1;
}

BOOL CListCtrl::SetCheck(int nItem, BOOL fCheck)
{
    return SetItemState(nItem, INDEXTOSTATEIMAGEMASK(fCheck ? 2 : 1), LVIS_STATEIMAGEMASK);
}

DWORD CListCtrl::GetView() const { return (DWORD)Send(m_hWnd, LVM_GETVIEW); }
int CListCtrl::SetView(int iView) { return (int)Send(m_hWnd, LVM_SETVIEW, iView); }

CSize CListCtrl::ApproximateViewRect(CSize sz, int iCount) const
{
    DWORD dw = (DWORD)Send(m_hWnd, LVM_APPROXIMATEVIEWRECT, iCount, MAKELPARAM(sz.cx, sz.cy));
    return CSize(LOWORD(dw), HIWORD(dw));
}

BOOL CListCtrl::SetBkImage(LVBKIMAGE* plvbkImage) { return (BOOL)Send(m_hWnd, LVM_SETBKIMAGEA, 0, (LPARAM)plvbkImage); }
BOOL CListCtrl::GetBkImage(LVBKIMAGE* plvbkImage) const { return (BOOL)Send(m_hWnd, LVM_GETBKIMAGEA, 0, (LPARAM)plvbkImage); }
DWORD CListCtrl::GetHoverTime() const { return (DWORD)Send(m_hWnd, LVM_GETHOVERTIME); }
DWORD CListCtrl::SetHoverTime(DWORD dwHoverTime) { return (DWORD)Send(m_hWnd, LVM_SETHOVERTIME, 0, dwHoverTime); }
DWORD CListCtrl::GetItemSpacing(BOOL fSmall) const { return (DWORD)Send(m_hWnd, LVM_GETITEMSPACING, fSmall); }

int CListCtrl::InsertItem(const LVITEM* pItem) { return (int)Send(m_hWnd, LVM_INSERTITEMA, 0, (LPARAM)pItem); }
int CListCtrl::InsertItem(int nItem, LPCTSTR lpszItem) { return InsertItem(LVIF_TEXT, nItem, lpszItem, 0, 0, 0, 0); }
int CListCtrl::InsertItem(int nItem, LPCTSTR lpszItem, int nImage) { return InsertItem(LVIF_TEXT | LVIF_IMAGE, nItem, lpszItem, 0, 0, nImage, 0); }

int CListCtrl::InsertItem(UINT nMask, int nItem, LPCTSTR lpszItem, UINT nState, UINT nStateMask,
                          int nImage, LPARAM lParam)
{
    LVITEMA item = {};
    item.mask = nMask;
    item.iItem = nItem;
    item.state = nState;
    item.stateMask = nStateMask;
    item.pszText = (LPSTR)lpszItem;
    item.iImage = nImage;
    item.lParam = lParam;
    return InsertItem(&item);
}

BOOL CListCtrl::DeleteItem(int nItem) { return (BOOL)Send(m_hWnd, LVM_DELETEITEM, nItem); }
BOOL CListCtrl::DeleteAllItems() { return (BOOL)Send(m_hWnd, LVM_DELETEALLITEMS); }
int CListCtrl::FindItem(LVFINDINFO* pFindInfo, int nStart) const { return (int)Send(m_hWnd, LVM_FINDITEMA, nStart, (LPARAM)pFindInfo); }
int CListCtrl::HitTest(LVHITTESTINFO* pHitTestInfo) const { return (int)Send(m_hWnd, LVM_HITTEST, 0, (LPARAM)pHitTestInfo); }

int CListCtrl::HitTest(CPoint pt, UINT* pFlags) const
{
    LVHITTESTINFO hti = {};
    hti.pt = pt;
    int nRes = (int)Send(m_hWnd, LVM_HITTEST, 0, (LPARAM)&hti);
    if (pFlags != NULL)
        *pFlags = hti.flags;
    return nRes;
}

BOOL CListCtrl::EnsureVisible(int nItem, BOOL bPartialOK) { return (BOOL)Send(m_hWnd, LVM_ENSUREVISIBLE, nItem, MAKELPARAM(bPartialOK, 0)); }
BOOL CListCtrl::Scroll(CSize size) { return (BOOL)Send(m_hWnd, LVM_SCROLL, size.cx, size.cy); }
BOOL CListCtrl::RedrawItems(int nFirst, int nLast) { return (BOOL)Send(m_hWnd, LVM_REDRAWITEMS, nFirst, nLast); }
BOOL CListCtrl::Arrange(UINT nCode) { return (BOOL)Send(m_hWnd, LVM_ARRANGE, nCode); }
CEdit* CListCtrl::EditLabel(int nItem) { return (CEdit*)CWnd::FromHandle((HWND)Send(m_hWnd, LVM_EDITLABELA, nItem)); }
int CListCtrl::InsertColumn(int nCol, const LVCOLUMN* pColumn) { return (int)Send(m_hWnd, LVM_INSERTCOLUMNA, nCol, (LPARAM)pColumn); }

int CListCtrl::InsertColumn(int nCol, LPCTSTR lpszColumnHeading, int nFormat, int nWidth, int nSubItem)
{
    LVCOLUMNA column = {};
    column.mask = LVCF_TEXT | LVCF_FMT;
    column.pszText = (LPSTR)lpszColumnHeading;
    column.fmt = nFormat;
    if (nWidth != -1) {
        column.mask |= LVCF_WIDTH;
        column.cx = nWidth;
    }
    if (nSubItem != -1) {
        column.mask |= LVCF_SUBITEM;
        column.iSubItem = nSubItem;
    }
    return InsertColumn(nCol, &column);
}

BOOL CListCtrl::DeleteColumn(int nCol) { return (BOOL)Send(m_hWnd, LVM_DELETECOLUMN, nCol); }

CImageList* CListCtrl::CreateDragImage(int nItem, LPPOINT lpPoint)
{
    HIMAGELIST hImageList = (HIMAGELIST)Send(m_hWnd, LVM_CREATEDRAGIMAGE, nItem, (LPARAM)lpPoint);
    if (hImageList == NULL)
        return NULL;
    CImageList* pImageList = new CImageList;
    pImageList->Attach(hImageList);
    return pImageList;
}

BOOL CListCtrl::Update(int nItem) { return (BOOL)Send(m_hWnd, LVM_UPDATE, nItem); }
BOOL CListCtrl::SortItems(PFNLVCOMPARE pfnCompare, DWORD_PTR dwData) { return (BOOL)Send(m_hWnd, LVM_SORTITEMS, dwData, (LPARAM)pfnCompare); }
BOOL CListCtrl::SortItemsEx(PFNLVCOMPARE pfnCompare, DWORD_PTR dwData) { return (BOOL)Send(m_hWnd, LVM_SORTITEMSEX, dwData, (LPARAM)pfnCompare); }

void CListCtrl::DrawItem(LPDRAWITEMSTRUCT) {}

BOOL CListCtrl::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (afxcore::ReflectDrawItem(*this, message, lParam, pResult))
        return TRUE;
    return CWnd::OnChildNotify(message, wParam, lParam, pResult);
}
