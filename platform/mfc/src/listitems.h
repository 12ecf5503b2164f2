// Pieces list boxes and combo boxes share: both keep owner-drawn items whose notifications
// come back to the control's own object, and both read an item's text in two steps.
#pragma once

#include "wincore.h"

namespace afxcore {

// Routes a reflected owner-draw item notification to the control's overridables; false for
// any other message. A compare gives the control's order as the result, the rest TRUE.
template <class TListControl>
bool ReflectOwnerDrawItem(TListControl& control, UINT message, LPARAM lParam, LRESULT* pResult)
{
    if (ReflectDrawItem(control, message, lParam, pResult))
        return true;
    switch (message) {
    case WM_MEASUREITEM:
        control.MeasureItem(reinterpret_cast<LPMEASUREITEMSTRUCT>(lParam));
        break;
    case WM_COMPAREITEM:
        if (pResult != NULL)
            *pResult = control.CompareItem(reinterpret_cast<LPCOMPAREITEMSTRUCT>(lParam));
        return true;
    case WM_DELETEITEM:
        control.DeleteItem(reinterpret_cast<LPDELETEITEMSTRUCT>(lParam));
        break;
    default:
        return false;
    }
    if (pResult != NULL)
        *pResult = TRUE;
    return true;
}

// The text of item nIndex through the control's length and text messages; empty when the
// item does not exist (LB_ERR and CB_ERR are the same value).
inline void ReadItemText(HWND hWnd, UINT lengthMessage, UINT textMessage, int nIndex,
                         CString& rString)
{
    rString.Empty();
    int nLen = (int)Send(hWnd, lengthMessage, nIndex);
    if (nLen == LB_ERR)
        return;
    Send(hWnd, textMessage, nIndex, (LPARAM)rString.GetBufferSetLength(nLen));
    rString.ReleaseBuffer();
}

}  // namespace afxcore
