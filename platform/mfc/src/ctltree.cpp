// CTreeCtrl: the tree view control wrapper.
#include "wincore.h"

#include <afxcmn.h>

IMPLEMENT_DYNAMIC(CTreeCtrl, CWnd)

CTreeCtrl::CTreeCtrl() {}
CTreeCtrl::~CTreeCtrl() {}

BOOL CTreeCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    afxcore::EnsureCommonControls(ICC_TREEVIEW_CLASSES);
    return CWnd::Create(WC_TREEVIEWA, NULL, dwStyle, rect, pParentWnd, nID);
}

using afxcore::Send;

BOOL CTreeCtrl::GetItemRect(HTREEITEM hItem, LPRECT lpRect, BOOL bTextOnly) const
{
    *reinterpret_cast<HTREEITEM*>(lpRect) = hItem;
    return (BOOL)Send(m_hWnd, TVM_GETITEMRECT, bTextOnly, (LPARAM)lpRect);
}

UINT CTreeCtrl::GetCount() const { return (UINT)Send(m_hWnd, TVM_GETCOUNT); }
UINT CTreeCtrl::GetIndent() const { return (UINT)Send(m_hWnd, TVM_GETINDENT); }
void CTreeCtrl::SetIndent(UINT nIndent) { Send(m_hWnd, TVM_SETINDENT, nIndent); }
CImageList* CTreeCtrl::GetImageList(int nImageList) const { return CImageList::FromHandle((HIMAGELIST)Send(m_hWnd, TVM_GETIMAGELIST, nImageList)); }

CImageList* CTreeCtrl::SetImageList(CImageList* pImageList, int nImageListType)
{
    return CImageList::FromHandle((HIMAGELIST)Send(m_hWnd, TVM_SETIMAGELIST, nImageListType,
                                                   (LPARAM)(pImageList != NULL ? pImageList->GetSafeHandle() : NULL)));
}

HTREEITEM CTreeCtrl::GetNextItem(HTREEITEM hItem, UINT nCode) const { return (HTREEITEM)Send(m_hWnd, TVM_GETNEXTITEM, nCode, (LPARAM)hItem); }
HTREEITEM CTreeCtrl::GetChildItem(HTREEITEM hItem) const { return GetNextItem(hItem, TVGN_CHILD); }
HTREEITEM CTreeCtrl::GetNextSiblingItem(HTREEITEM hItem) const { return GetNextItem(hItem, TVGN_NEXT); }
HTREEITEM CTreeCtrl::GetPrevSiblingItem(HTREEITEM hItem) const { return GetNextItem(hItem, TVGN_PREVIOUS); }
HTREEITEM CTreeCtrl::GetParentItem(HTREEITEM hItem) const { return GetNextItem(hItem, TVGN_PARENT); }
HTREEITEM CTreeCtrl::GetFirstVisibleItem() const { return GetNextItem(NULL, TVGN_FIRSTVISIBLE); }
HTREEITEM CTreeCtrl::GetNextVisibleItem(HTREEITEM hItem) const { return GetNextItem(hItem, TVGN_NEXTVISIBLE); }
HTREEITEM CTreeCtrl::GetPrevVisibleItem(HTREEITEM hItem) const { return GetNextItem(hItem, TVGN_PREVIOUSVISIBLE); }
HTREEITEM CTreeCtrl::GetSelectedItem() const { return GetNextItem(NULL, TVGN_CARET); }
HTREEITEM CTreeCtrl::GetDropHilightItem() const { return GetNextItem(NULL, TVGN_DROPHILITE); }
HTREEITEM CTreeCtrl::GetRootItem() const { return GetNextItem(NULL, TVGN_ROOT); }
BOOL CTreeCtrl::GetItem(TVITEM* pItem) const { return (BOOL)Send(m_hWnd, TVM_GETITEMA, 0, (LPARAM)pItem); }

CString CTreeCtrl::GetItemText(HTREEITEM hItem) const
{
    TVITEMA item = {};
    item.hItem = hItem;
    item.mask = TVIF_TEXT;
    CString str;
    int nLen = 128;
    int nRes;
    do {
        nLen *= 2;
        item.pszText = str.GetBufferSetLength(nLen);
        item.cchTextMax = nLen;
        Send(m_hWnd, TVM_GETITEMA, 0, (LPARAM)&item);
        nRes = lstrlenA(item.pszText);
    } while (nRes >= nLen - 1);
    str.ReleaseBuffer();
    return str;
}

BOOL CTreeCtrl::GetItemImage(HTREEITEM hItem, int& nImage, int& nSelectedImage) const
{
    TVITEMA item = {};
    item.hItem = hItem;
    item.mask = TVIF_IMAGE | TVIF_SELECTEDIMAGE;
    BOOL bRes = (BOOL)Send(m_hWnd, TVM_GETITEMA, 0, (LPARAM)&item);
    if (bRes) {
        nImage = item.iImage;
        nSelectedImage = item.iSelectedImage;
    }
    return bRes;
}

UINT CTreeCtrl::GetItemState(HTREEITEM hItem, UINT nStateMask) const
{
    TVITEMA item = {};
    item.hItem = hItem;
    item.mask = TVIF_STATE;
    item.stateMask = nStateMask;
    Send(m_hWnd, TVM_GETITEMA, 0, (LPARAM)&item);
    return item.state & nStateMask;
}

DWORD_PTR CTreeCtrl::GetItemData(HTREEITEM hItem) const
{
    TVITEMA item = {};
    item.hItem = hItem;
    item.mask = TVIF_PARAM;
    Send(m_hWnd, TVM_GETITEMA, 0, (LPARAM)&item);
    return (DWORD_PTR)item.lParam;
}

BOOL CTreeCtrl::SetItem(TVITEM* pItem) { return (BOOL)Send(m_hWnd, TVM_SETITEMA, 0, (LPARAM)pItem); }

BOOL CTreeCtrl::SetItem(HTREEITEM hItem, UINT nMask, LPCTSTR lpszItem, int nImage,
                        int nSelectedImage, UINT nState, UINT nStateMask, LPARAM lParam)
{
    TVITEMA item = {};
    item.hItem = hItem;
    item.mask = nMask;
    item.pszText = (LPSTR)lpszItem;
    item.iImage = nImage;
    item.iSelectedImage = nSelectedImage;
    item.state = nState;
    item.stateMask = nStateMask;
    item.lParam = lParam;
    return (BOOL)Send(m_hWnd, TVM_SETITEMA, 0, (LPARAM)&item);
}

BOOL CTreeCtrl::SetItemText(HTREEITEM hItem, LPCTSTR lpszItem) { return SetItem(hItem, TVIF_TEXT, lpszItem, 0, 0, 0, 0, 0); }
BOOL CTreeCtrl::SetItemImage(HTREEITEM hItem, int nImage, int nSelectedImage) { return SetItem(hItem, TVIF_IMAGE | TVIF_SELECTEDIMAGE, NULL, nImage, nSelectedImage, 0, 0, 0); }
BOOL CTreeCtrl::SetItemState(HTREEITEM hItem, UINT nState, UINT nStateMask) { return SetItem(hItem, TVIF_STATE, NULL, 0, 0, nState, nStateMask, 0); }
BOOL CTreeCtrl::SetItemData(HTREEITEM hItem, DWORD_PTR dwData) { return SetItem(hItem, TVIF_PARAM, NULL, 0, 0, 0, 0, (LPARAM)dwData); }

BOOL CTreeCtrl::ItemHasChildren(HTREEITEM hItem) const
{
    TVITEMA item = {};
    item.hItem = hItem;
    item.mask = TVIF_CHILDREN;
    Send(m_hWnd, TVM_GETITEMA, 0, (LPARAM)&item);
    return item.cChildren;
}

CEdit* CTreeCtrl::GetEditControl() const { return (CEdit*)CWnd::FromHandle((HWND)Send(m_hWnd, TVM_GETEDITCONTROL)); }
UINT CTreeCtrl::GetVisibleCount() const { return (UINT)Send(m_hWnd, TVM_GETVISIBLECOUNT); }
COLORREF CTreeCtrl::GetBkColor() const { return (COLORREF)Send(m_hWnd, TVM_GETBKCOLOR); }
COLORREF CTreeCtrl::SetBkColor(COLORREF clr) { return (COLORREF)Send(m_hWnd, TVM_SETBKCOLOR, 0, clr); }
SHORT CTreeCtrl::GetItemHeight() const { return (SHORT)Send(m_hWnd, TVM_GETITEMHEIGHT); }
SHORT CTreeCtrl::SetItemHeight(SHORT cyHeight) { return (SHORT)Send(m_hWnd, TVM_SETITEMHEIGHT, cyHeight); }
COLORREF CTreeCtrl::GetTextColor() const { return (COLORREF)Send(m_hWnd, TVM_GETTEXTCOLOR); }
COLORREF CTreeCtrl::SetTextColor(COLORREF clr) { return (COLORREF)Send(m_hWnd, TVM_SETTEXTCOLOR, 0, clr); }
COLORREF CTreeCtrl::GetLineColor() const { return (COLORREF)Send(m_hWnd, TVM_GETLINECOLOR); }
COLORREF CTreeCtrl::SetLineColor(COLORREF clrNew) { return (COLORREF)Send(m_hWnd, TVM_SETLINECOLOR, 0, clrNew); }
BOOL CTreeCtrl::SetInsertMark(HTREEITEM hItem, BOOL fAfter) { return (BOOL)Send(m_hWnd, TVM_SETINSERTMARK, fAfter, (LPARAM)hItem); }

BOOL CTreeCtrl::GetCheck(HTREEITEM hItem) const
{
    UINT uState = GetItemState(hItem, TVIS_STATEIMAGEMASK) >> 12;
    return uState == 2;
}

BOOL CTreeCtrl::SetCheck(HTREEITEM hItem, BOOL fCheck)
{
    return SetItemState(hItem, INDEXTOSTATEIMAGEMASK(fCheck ? 2 : 1), TVIS_STATEIMAGEMASK);
}

HTREEITEM CTreeCtrl::InsertItem(LPTVINSERTSTRUCT lpInsertStruct) { return (HTREEITEM)Send(m_hWnd, TVM_INSERTITEMA, 0, (LPARAM)lpInsertStruct); }

HTREEITEM CTreeCtrl::InsertItem(UINT nMask, LPCTSTR lpszItem, int nImage, int nSelectedImage,
                                UINT nState, UINT nStateMask, LPARAM lParam, HTREEITEM hParent,
                                HTREEITEM hInsertAfter)
{
    TVINSERTSTRUCTA tvis = {};
    tvis.hParent = hParent;
    tvis.hInsertAfter = hInsertAfter;
    tvis.item.mask = nMask;
    tvis.item.pszText = (LPSTR)lpszItem;
    tvis.item.iImage = nImage;
    tvis.item.iSelectedImage = nSelectedImage;
    tvis.item.state = nState;
    tvis.item.stateMask = nStateMask;
    tvis.item.lParam = lParam;
    return InsertItem(&tvis);
}

HTREEITEM CTreeCtrl::InsertItem(LPCTSTR lpszItem, HTREEITEM hParent, HTREEITEM hInsertAfter)
{
    return InsertItem(TVIF_TEXT, lpszItem, 0, 0, 0, 0, 0, hParent, hInsertAfter);
}

HTREEITEM CTreeCtrl::InsertItem(LPCTSTR lpszItem, int nImage, int nSelectedImage, HTREEITEM hParent,
                                HTREEITEM hInsertAfter)
{
    return InsertItem(TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE, lpszItem, nImage, nSelectedImage,
                      0, 0, 0, hParent, hInsertAfter);
}

BOOL CTreeCtrl::DeleteItem(HTREEITEM hItem) { return (BOOL)Send(m_hWnd, TVM_DELETEITEM, 0, (LPARAM)hItem); }
BOOL CTreeCtrl::DeleteAllItems() { return (BOOL)Send(m_hWnd, TVM_DELETEITEM, 0, (LPARAM)TVI_ROOT); }
BOOL CTreeCtrl::Expand(HTREEITEM hItem, UINT nCode) { return (BOOL)Send(m_hWnd, TVM_EXPAND, nCode, (LPARAM)hItem); }
BOOL CTreeCtrl::Select(HTREEITEM hItem, UINT nCode) { return (BOOL)Send(m_hWnd, TVM_SELECTITEM, nCode, (LPARAM)hItem); }
BOOL CTreeCtrl::SelectItem(HTREEITEM hItem) { return Select(hItem, TVGN_CARET); }
BOOL CTreeCtrl::SelectDropTarget(HTREEITEM hItem) { return Select(hItem, TVGN_DROPHILITE); }
BOOL CTreeCtrl::SelectSetFirstVisible(HTREEITEM hItem) { return Select(hItem, TVGN_FIRSTVISIBLE); }
CEdit* CTreeCtrl::EditLabel(HTREEITEM hItem) { return (CEdit*)CWnd::FromHandle((HWND)Send(m_hWnd, TVM_EDITLABELA, 0, (LPARAM)hItem)); }

HTREEITEM CTreeCtrl::HitTest(CPoint pt, UINT* pFlags) const
{
    TVHITTESTINFO hti = {};
    hti.pt = pt;
    HTREEITEM h = (HTREEITEM)Send(m_hWnd, TVM_HITTEST, 0, (LPARAM)&hti);
    if (pFlags != NULL)
        *pFlags = hti.flags;
    return h;
}

HTREEITEM CTreeCtrl::HitTest(TVHITTESTINFO* pHitTestInfo) const { return (HTREEITEM)Send(m_hWnd, TVM_HITTEST, 0, (LPARAM)pHitTestInfo); }

CImageList* CTreeCtrl::CreateDragImage(HTREEITEM hItem)
{
    HIMAGELIST hImageList = (HIMAGELIST)Send(m_hWnd, TVM_CREATEDRAGIMAGE, 0, (LPARAM)hItem);
    if (hImageList == NULL)
        return NULL;
    CImageList* pImageList = new CImageList;
    pImageList->Attach(hImageList);
    return pImageList;
}

BOOL CTreeCtrl::SortChildren(HTREEITEM hItem) { return (BOOL)Send(m_hWnd, TVM_SORTCHILDREN, 0, (LPARAM)hItem); }
BOOL CTreeCtrl::EnsureVisible(HTREEITEM hItem) { return (BOOL)Send(m_hWnd, TVM_ENSUREVISIBLE, 0, (LPARAM)hItem); }
BOOL CTreeCtrl::SortChildrenCB(LPTVSORTCB pSort) { return (BOOL)Send(m_hWnd, TVM_SORTCHILDRENCB, 0, (LPARAM)pSort); }
