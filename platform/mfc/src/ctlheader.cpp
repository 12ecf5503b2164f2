// CHeaderCtrl: the header control wrapper (also the header of a list view).
#include "wincore.h"

#include <afxcmn.h>

IMPLEMENT_DYNAMIC(CHeaderCtrl, CWnd)

CHeaderCtrl::CHeaderCtrl() {}
CHeaderCtrl::~CHeaderCtrl() {}

BOOL CHeaderCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    afxcore::EnsureCommonControls(ICC_LISTVIEW_CLASSES);
    return CWnd::Create(WC_HEADERA, NULL, dwStyle, rect, pParentWnd, nID);
}

using afxcore::Send;

int CHeaderCtrl::GetItemCount() const { return (int)Send(m_hWnd, HDM_GETITEMCOUNT); }
BOOL CHeaderCtrl::GetItem(int nPos, HDITEM* pHeaderItem) const { return (BOOL)Send(m_hWnd, HDM_GETITEMA, nPos, (LPARAM)pHeaderItem); }
BOOL CHeaderCtrl::SetItem(int nPos, HDITEM* pHeaderItem) { return (BOOL)Send(m_hWnd, HDM_SETITEMA, nPos, (LPARAM)pHeaderItem); }
CImageList* CHeaderCtrl::GetImageList() const { return CImageList::FromHandle((HIMAGELIST)Send(m_hWnd, HDM_GETIMAGELIST)); }

CImageList* CHeaderCtrl::SetImageList(CImageList* pImageList)
{
    return CImageList::FromHandle((HIMAGELIST)Send(m_hWnd, HDM_SETIMAGELIST, 0,
                                                   (LPARAM)(pImageList != NULL ? pImageList->GetSafeHandle() : NULL)));
}

BOOL CHeaderCtrl::GetItemRect(int nIndex, LPRECT lpRect) const { return (BOOL)Send(m_hWnd, HDM_GETITEMRECT, nIndex, (LPARAM)lpRect); }
BOOL CHeaderCtrl::GetOrderArray(LPINT piArray, int iCount) const { return (BOOL)Send(m_hWnd, HDM_GETORDERARRAY, iCount, (LPARAM)piArray); }
BOOL CHeaderCtrl::SetOrderArray(int iCount, LPINT piArray) { return (BOOL)Send(m_hWnd, HDM_SETORDERARRAY, iCount, (LPARAM)piArray); }
int CHeaderCtrl::OrderToIndex(int nOrder) const { return (int)Send(m_hWnd, HDM_ORDERTOINDEX, nOrder); }
int CHeaderCtrl::GetBitmapMargin() const { return (int)Send(m_hWnd, HDM_GETBITMAPMARGIN); }
int CHeaderCtrl::SetBitmapMargin(int nWidth) { return (int)Send(m_hWnd, HDM_SETBITMAPMARGIN, nWidth); }
int CHeaderCtrl::SetHotDivider(CPoint pt) { return (int)Send(m_hWnd, HDM_SETHOTDIVIDER, TRUE, MAKELPARAM(pt.x, pt.y)); }
int CHeaderCtrl::SetHotDivider(int nIndex) { return (int)Send(m_hWnd, HDM_SETHOTDIVIDER, FALSE, nIndex); }
int CHeaderCtrl::InsertItem(int nPos, HDITEM* phdi) { return (int)Send(m_hWnd, HDM_INSERTITEMA, nPos, (LPARAM)phdi); }
BOOL CHeaderCtrl::DeleteItem(int nPos) { return (BOOL)Send(m_hWnd, HDM_DELETEITEM, nPos); }
BOOL CHeaderCtrl::Layout(HD_LAYOUT* pHeaderLayout) { return (BOOL)Send(m_hWnd, HDM_LAYOUT, 0, (LPARAM)pHeaderLayout); }
int CHeaderCtrl::HitTest(LPHDHITTESTINFO pHeaderHitTestInfo) { return (int)Send(m_hWnd, HDM_HITTEST, 0, (LPARAM)pHeaderHitTestInfo); }

void CHeaderCtrl::DrawItem(LPDRAWITEMSTRUCT) {}

BOOL CHeaderCtrl::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (afxcore::ReflectDrawItem(*this, message, lParam, pResult))
        return TRUE;
    return CWnd::OnChildNotify(message, wParam, lParam, pResult);
}
