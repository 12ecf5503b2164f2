// CComboBox: the combo box wrapper; owner-drawn combos get DrawItem, MeasureItem,
// CompareItem and DeleteItem through reflection.
#include "listitems.h"

IMPLEMENT_DYNAMIC(CComboBox, CWnd)

CComboBox::CComboBox() {}
CComboBox::~CComboBox() {}

BOOL CComboBox::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CWnd::Create("COMBOBOX", NULL, dwStyle, rect, pParentWnd, nID);
}

using afxcore::Send;

int CComboBox::GetCount() const { return (int)Send(m_hWnd, CB_GETCOUNT); }
int CComboBox::GetCurSel() const { return (int)Send(m_hWnd, CB_GETCURSEL); }
int CComboBox::SetCurSel(int nSelect) { return (int)Send(m_hWnd, CB_SETCURSEL, nSelect); }
LCID CComboBox::GetLocale() const { return (LCID)Send(m_hWnd, CB_GETLOCALE); }
LCID CComboBox::SetLocale(LCID nNewLocale) { return (LCID)Send(m_hWnd, CB_SETLOCALE, nNewLocale); }
int CComboBox::GetTopIndex() const { return (int)Send(m_hWnd, CB_GETTOPINDEX); }
int CComboBox::SetTopIndex(int nIndex) { return (int)Send(m_hWnd, CB_SETTOPINDEX, nIndex); }
int CComboBox::InitStorage(int nItems, UINT nBytes) { return (int)Send(m_hWnd, CB_INITSTORAGE, nItems, nBytes); }
void CComboBox::SetHorizontalExtent(UINT nExtent) { Send(m_hWnd, CB_SETHORIZONTALEXTENT, nExtent); }
UINT CComboBox::GetHorizontalExtent() const { return (UINT)Send(m_hWnd, CB_GETHORIZONTALEXTENT); }
int CComboBox::SetDroppedWidth(UINT nWidth) { return (int)Send(m_hWnd, CB_SETDROPPEDWIDTH, nWidth); }
int CComboBox::GetDroppedWidth() const { return (int)Send(m_hWnd, CB_GETDROPPEDWIDTH); }

BOOL CComboBox::GetComboBoxInfo(PCOMBOBOXINFO pcbi) const
{
    pcbi->cbSize = sizeof(COMBOBOXINFO);
    return ::GetComboBoxInfo(m_hWnd, pcbi);
}

DWORD CComboBox::GetEditSel() const { return (DWORD)Send(m_hWnd, CB_GETEDITSEL); }
BOOL CComboBox::LimitText(int nMaxChars) { return (BOOL)Send(m_hWnd, CB_LIMITTEXT, nMaxChars); }
BOOL CComboBox::SetEditSel(int nStartChar, int nEndChar) { return (BOOL)Send(m_hWnd, CB_SETEDITSEL, 0, MAKELONG(nStartChar, nEndChar)); }
DWORD_PTR CComboBox::GetItemData(int nIndex) const { return (DWORD_PTR)Send(m_hWnd, CB_GETITEMDATA, nIndex); }
int CComboBox::SetItemData(int nIndex, DWORD_PTR dwItemData) { return (int)Send(m_hWnd, CB_SETITEMDATA, nIndex, (LPARAM)dwItemData); }
void* CComboBox::GetItemDataPtr(int nIndex) const { return (void*)GetItemData(nIndex); }
int CComboBox::SetItemDataPtr(int nIndex, void* pData) { return SetItemData(nIndex, (DWORD_PTR)pData); }
int CComboBox::GetLBText(int nIndex, LPTSTR lpszText) const { return (int)Send(m_hWnd, CB_GETLBTEXT, nIndex, (LPARAM)lpszText); }

void CComboBox::GetLBText(int nIndex, CString& rString) const
{
    afxcore::ReadItemText(m_hWnd, CB_GETLBTEXTLEN, CB_GETLBTEXT, nIndex, rString);
}

int CComboBox::GetLBTextLen(int nIndex) const { return (int)Send(m_hWnd, CB_GETLBTEXTLEN, nIndex); }
int CComboBox::SetItemHeight(int nIndex, UINT cyItemHeight) { return (int)Send(m_hWnd, CB_SETITEMHEIGHT, nIndex, MAKELONG(cyItemHeight, 0)); }
int CComboBox::GetItemHeight(int nIndex) const { return (int)Send(m_hWnd, CB_GETITEMHEIGHT, nIndex); }
int CComboBox::FindStringExact(int nIndexStart, LPCTSTR lpszFind) const { return (int)Send(m_hWnd, CB_FINDSTRINGEXACT, nIndexStart, (LPARAM)lpszFind); }
int CComboBox::SetExtendedUI(BOOL bExtended) { return (int)Send(m_hWnd, CB_SETEXTENDEDUI, bExtended); }
BOOL CComboBox::GetExtendedUI() const { return (BOOL)Send(m_hWnd, CB_GETEXTENDEDUI); }
void CComboBox::GetDroppedControlRect(LPRECT lprect) const { Send(m_hWnd, CB_GETDROPPEDCONTROLRECT, 0, (LPARAM)lprect); }
BOOL CComboBox::GetDroppedState() const { return (BOOL)Send(m_hWnd, CB_GETDROPPEDSTATE); }
BOOL CComboBox::SetMinVisibleItems(int iMinVisible) { return (BOOL)Send(m_hWnd, CB_SETMINVISIBLE, iMinVisible); }
int CComboBox::GetMinVisible() const { return (int)Send(m_hWnd, CB_GETMINVISIBLE); }
BOOL CComboBox::SetCueBanner(LPCWSTR lpszText) { return (BOOL)Send(m_hWnd, CB_SETCUEBANNER, 0, (LPARAM)lpszText); }
void CComboBox::ShowDropDown(BOOL bShowIt) { Send(m_hWnd, CB_SHOWDROPDOWN, bShowIt); }
int CComboBox::AddString(LPCTSTR lpszString) { return (int)Send(m_hWnd, CB_ADDSTRING, 0, (LPARAM)lpszString); }
int CComboBox::DeleteString(UINT nIndex) { return (int)Send(m_hWnd, CB_DELETESTRING, nIndex); }
int CComboBox::InsertString(int nIndex, LPCTSTR lpszString) { return (int)Send(m_hWnd, CB_INSERTSTRING, nIndex, (LPARAM)lpszString); }
void CComboBox::ResetContent() { Send(m_hWnd, CB_RESETCONTENT); }
int CComboBox::Dir(UINT attr, LPCTSTR lpszWildCard) { return (int)Send(m_hWnd, CB_DIR, attr, (LPARAM)lpszWildCard); }
int CComboBox::FindString(int nStartAfter, LPCTSTR lpszString) const { return (int)Send(m_hWnd, CB_FINDSTRING, nStartAfter, (LPARAM)lpszString); }
int CComboBox::SelectString(int nStartAfter, LPCTSTR lpszString) { return (int)Send(m_hWnd, CB_SELECTSTRING, nStartAfter, (LPARAM)lpszString); }
void CComboBox::Clear() { Send(m_hWnd, WM_CLEAR); }
void CComboBox::Copy() { Send(m_hWnd, WM_COPY); }
void CComboBox::Cut() { Send(m_hWnd, WM_CUT); }
void CComboBox::Paste() { Send(m_hWnd, WM_PASTE); }

void CComboBox::DrawItem(LPDRAWITEMSTRUCT) {}
void CComboBox::MeasureItem(LPMEASUREITEMSTRUCT) {}
int CComboBox::CompareItem(LPCOMPAREITEMSTRUCT) { return 0; }
void CComboBox::DeleteItem(LPDELETEITEMSTRUCT) {}

BOOL CComboBox::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (afxcore::ReflectOwnerDrawItem(*this, message, lParam, pResult))
        return TRUE;
    return CWnd::OnChildNotify(message, wParam, lParam, pResult);
}
