// CTabCtrl: the tab control wrapper.
#include "wincore.h"

#include <afxcmn.h>

IMPLEMENT_DYNAMIC(CTabCtrl, CWnd)

CTabCtrl::CTabCtrl() {}
CTabCtrl::~CTabCtrl() {}

BOOL CTabCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    afxcore::EnsureCommonControls(ICC_TAB_CLASSES);
    return CWnd::Create(WC_TABCONTROLA, NULL, dwStyle, rect, pParentWnd, nID);
}

using afxcore::Send;

CImageList* CTabCtrl::GetImageList() const { return CImageList::FromHandle((HIMAGELIST)Send(m_hWnd, TCM_GETIMAGELIST)); }

CImageList* CTabCtrl::SetImageList(CImageList* pImageList)
{
    return CImageList::FromHandle((HIMAGELIST)Send(m_hWnd, TCM_SETIMAGELIST, 0,
                                                   (LPARAM)(pImageList != NULL ? pImageList->GetSafeHandle() : NULL)));
}

int CTabCtrl::GetItemCount() const { return (int)Send(m_hWnd, TCM_GETITEMCOUNT); }
BOOL CTabCtrl::GetItem(int nItem, TCITEM* pTabCtrlItem) const { return (BOOL)Send(m_hWnd, TCM_GETITEMA, nItem, (LPARAM)pTabCtrlItem); }
BOOL CTabCtrl::SetItem(int nItem, TCITEM* pTabCtrlItem) { return (BOOL)Send(m_hWnd, TCM_SETITEMA, nItem, (LPARAM)pTabCtrlItem); }
BOOL CTabCtrl::SetItemExtra(int nBytes) { return (BOOL)Send(m_hWnd, TCM_SETITEMEXTRA, nBytes); }
BOOL CTabCtrl::GetItemRect(int nItem, LPRECT lpRect) const { return (BOOL)Send(m_hWnd, TCM_GETITEMRECT, nItem, (LPARAM)lpRect); }
int CTabCtrl::GetCurSel() const { return (int)Send(m_hWnd, TCM_GETCURSEL); }
int CTabCtrl::SetCurSel(int nItem) { return (int)Send(m_hWnd, TCM_SETCURSEL, nItem); }
void CTabCtrl::SetCurFocus(int nItem) { Send(m_hWnd, TCM_SETCURFOCUS, nItem); }
int CTabCtrl::GetCurFocus() const { return (int)Send(m_hWnd, TCM_GETCURFOCUS); }

CSize CTabCtrl::SetItemSize(CSize size)
{
    DWORD dw = (DWORD)Send(m_hWnd, TCM_SETITEMSIZE, 0, MAKELPARAM(size.cx, size.cy));
    return CSize(LOWORD(dw), HIWORD(dw));
}

void CTabCtrl::SetPadding(CSize size) { Send(m_hWnd, TCM_SETPADDING, 0, MAKELPARAM(size.cx, size.cy)); }
int CTabCtrl::GetRowCount() const { return (int)Send(m_hWnd, TCM_GETROWCOUNT); }
CToolTipCtrl* CTabCtrl::GetToolTips() const { return (CToolTipCtrl*)CWnd::FromHandle((HWND)Send(m_hWnd, TCM_GETTOOLTIPS)); }
void CTabCtrl::SetToolTips(CToolTipCtrl* pWndTip) { Send(m_hWnd, TCM_SETTOOLTIPS, (WPARAM)(pWndTip != NULL ? pWndTip->GetSafeHwnd() : NULL)); }
int CTabCtrl::SetMinTabWidth(int cx) { return (int)Send(m_hWnd, TCM_SETMINTABWIDTH, 0, cx); }
DWORD CTabCtrl::GetExtendedStyle() const { return (DWORD)Send(m_hWnd, TCM_GETEXTENDEDSTYLE); }
DWORD CTabCtrl::SetExtendedStyle(DWORD dwNewStyle, DWORD dwExMask) { return (DWORD)Send(m_hWnd, TCM_SETEXTENDEDSTYLE, dwExMask, dwNewStyle); }

DWORD CTabCtrl::GetItemState(int nItem, DWORD dwMask) const
{
    TCITEMA item = {};
    item.mask = TCIF_STATE;
    item.dwStateMask = dwMask;
    Send(m_hWnd, TCM_GETITEMA, nItem, (LPARAM)&item);
    return item.dwState;
}

BOOL CTabCtrl::SetItemState(int nItem, DWORD dwMask, DWORD dwState)
{
    TCITEMA item = {};
    item.mask = TCIF_STATE;
    item.dwState = dwState;
    item.dwStateMask = dwMask;
    return (BOOL)Send(m_hWnd, TCM_SETITEMA, nItem, (LPARAM)&item);
}

LONG CTabCtrl::InsertItem(int nItem, TCITEM* pTabCtrlItem) { return (LONG)Send(m_hWnd, TCM_INSERTITEMA, nItem, (LPARAM)pTabCtrlItem); }
LONG CTabCtrl::InsertItem(int nItem, LPCTSTR lpszItem) { return InsertItem(TCIF_TEXT, nItem, lpszItem, 0, 0); }
LONG CTabCtrl::InsertItem(int nItem, LPCTSTR lpszItem, int nImage) { return InsertItem(TCIF_TEXT | TCIF_IMAGE, nItem, lpszItem, nImage, 0); }

LONG CTabCtrl::InsertItem(UINT nMask, int nItem, LPCTSTR lpszItem, int nImage, LPARAM lParam)
{
    TCITEMA item = {};
    item.mask = nMask;
    item.iImage = nImage;
    item.lParam = lParam;
    item.pszText = (LPSTR)lpszItem;
    return (LONG)Send(m_hWnd, TCM_INSERTITEMA, nItem, (LPARAM)&item);
}

BOOL CTabCtrl::DeleteItem(int nItem) { return (BOOL)Send(m_hWnd, TCM_DELETEITEM, nItem); }
BOOL CTabCtrl::DeleteAllItems() { return (BOOL)Send(m_hWnd, TCM_DELETEALLITEMS); }
void CTabCtrl::AdjustRect(BOOL bLarger, LPRECT lpRect) { Send(m_hWnd, TCM_ADJUSTRECT, bLarger, (LPARAM)lpRect); }
void CTabCtrl::RemoveImage(int nImage) { Send(m_hWnd, TCM_REMOVEIMAGE, nImage); }
int CTabCtrl::HitTest(TCHITTESTINFO* pHitTestInfo) const { return (int)Send(m_hWnd, TCM_HITTEST, 0, (LPARAM)pHitTestInfo); }
void CTabCtrl::DeselectAll(BOOL fExcludeFocus) { Send(m_hWnd, TCM_DESELECTALL, fExcludeFocus); }
BOOL CTabCtrl::HighlightItem(int idItem, BOOL fHighlight) { return (BOOL)Send(m_hWnd, TCM_HIGHLIGHTITEM, idItem, MAKELONG(fHighlight, 0)); }

void CTabCtrl::DrawItem(LPDRAWITEMSTRUCT) {}

BOOL CTabCtrl::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (afxcore::ReflectDrawItem(*this, message, lParam, pResult))
        return TRUE;
    return CWnd::OnChildNotify(message, wParam, lParam, pResult);
}
