// CDateTimeCtrl: the date and time picker wrapper.
#include "wincore.h"

#include <afxcmn.h>

IMPLEMENT_DYNAMIC(CDateTimeCtrl, CWnd)

CDateTimeCtrl::CDateTimeCtrl() {}
CDateTimeCtrl::~CDateTimeCtrl() {}

BOOL CDateTimeCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    afxcore::EnsureCommonControls(ICC_DATE_CLASSES);
    return CWnd::Create(DATETIMEPICK_CLASSA, NULL, dwStyle, rect, pParentWnd, nID);
}

using afxcore::Send;

COLORREF CDateTimeCtrl::GetMonthCalColor(int iColor) const { return (COLORREF)Send(m_hWnd, DTM_GETMCCOLOR, iColor); }
COLORREF CDateTimeCtrl::SetMonthCalColor(int iColor, COLORREF ref) { return (COLORREF)Send(m_hWnd, DTM_SETMCCOLOR, iColor, ref); }
BOOL CDateTimeCtrl::SetFormat(LPCTSTR pstrFormat) { return (BOOL)Send(m_hWnd, DTM_SETFORMATA, 0, (LPARAM)pstrFormat); }
CFont* CDateTimeCtrl::GetMonthCalFont() const { return CFont::FromHandle((HFONT)Send(m_hWnd, DTM_GETMCFONT)); }
void CDateTimeCtrl::SetMonthCalFont(HFONT hFont, BOOL bRedraw) { Send(m_hWnd, DTM_SETMCFONT, (WPARAM)hFont, bRedraw); }
HWND CDateTimeCtrl::GetMonthCalCtrl() const { return (HWND)Send(m_hWnd, DTM_GETMONTHCAL); }

namespace {

// Gives the control the ends of its range that are given and can be expressed; a missing
// end leaves that side open.
template <class TTime>
BOOL WriteRange(HWND hWnd, const TTime* pMinRange, const TTime* pMaxRange)
{
    SYSTEMTIME st[2];
    WPARAM flags = 0;
    if (pMinRange != NULL && pMinRange->GetAsSystemTime(st[0]))
        flags |= GDTR_MIN;
    if (pMaxRange != NULL && pMaxRange->GetAsSystemTime(st[1]))
        flags |= GDTR_MAX;
    return (BOOL)Send(hWnd, DTM_SETRANGE, flags, (LPARAM)st);
}

// Asks the control for its range and hands out the ends it has; the rest stay as they were.
template <class TTime>
DWORD ReadRange(HWND hWnd, TTime* pMinRange, TTime* pMaxRange)
{
    SYSTEMTIME st[2] = {};
    DWORD dwResult = (DWORD)Send(hWnd, DTM_GETRANGE, 0, (LPARAM)st);
    if (pMinRange != NULL && (dwResult & GDTR_MIN))
        *pMinRange = TTime(st[0]);
    if (pMaxRange != NULL && (dwResult & GDTR_MAX))
        *pMaxRange = TTime(st[1]);
    return dwResult;
}

}  // namespace

BOOL CDateTimeCtrl::SetRange(const COleDateTime* pMinRange, const COleDateTime* pMaxRange)
{
    return WriteRange(m_hWnd, pMinRange, pMaxRange);
}

DWORD CDateTimeCtrl::GetRange(COleDateTime* pMinRange, COleDateTime* pMaxRange) const
{
    return ReadRange(m_hWnd, pMinRange, pMaxRange);
}

BOOL CDateTimeCtrl::SetRange(const CTime* pMinRange, const CTime* pMaxRange)
{
    return WriteRange(m_hWnd, pMinRange, pMaxRange);
}

DWORD CDateTimeCtrl::GetRange(CTime* pMinRange, CTime* pMaxRange) const
{
    return ReadRange(m_hWnd, pMinRange, pMaxRange);
}

BOOL CDateTimeCtrl::SetTime(const COleDateTime& timeNew)
{
    SYSTEMTIME st;
    if (timeNew.GetStatus() != COleDateTime::valid || !timeNew.GetAsSystemTime(st))
        return (BOOL)Send(m_hWnd, DTM_SETSYSTEMTIME, GDT_NONE, 0);
    return (BOOL)Send(m_hWnd, DTM_SETSYSTEMTIME, GDT_VALID, (LPARAM)&st);
}

BOOL CDateTimeCtrl::SetTime(const CTime* pTimeNew)
{
    SYSTEMTIME st;
    if (pTimeNew == NULL || !pTimeNew->GetAsSystemTime(st))
        return (BOOL)Send(m_hWnd, DTM_SETSYSTEMTIME, GDT_NONE, 0);
    return (BOOL)Send(m_hWnd, DTM_SETSYSTEMTIME, GDT_VALID, (LPARAM)&st);
}

BOOL CDateTimeCtrl::SetTime(LPSYSTEMTIME pTimeNew)
{
    return (BOOL)Send(m_hWnd, DTM_SETSYSTEMTIME, pTimeNew == NULL ? GDT_NONE : GDT_VALID, (LPARAM)pTimeNew);
}

BOOL CDateTimeCtrl::GetTime(COleDateTime& timeDest) const
{
    SYSTEMTIME st;
    DWORD dwResult = (DWORD)Send(m_hWnd, DTM_GETSYSTEMTIME, 0, (LPARAM)&st);
    if (dwResult == GDT_VALID) {
        timeDest = COleDateTime(st);
        return TRUE;
    }
    timeDest.SetStatus(COleDateTime::null);
    return FALSE;
}

DWORD CDateTimeCtrl::GetTime(CTime& timeDest) const
{
    SYSTEMTIME st;
    DWORD dwResult = (DWORD)Send(m_hWnd, DTM_GETSYSTEMTIME, 0, (LPARAM)&st);
    if (dwResult == GDT_VALID)
        timeDest = CTime(st);
    return dwResult;
}

DWORD CDateTimeCtrl::GetTime(LPSYSTEMTIME pTimeDest) const
{
    return (DWORD)Send(m_hWnd, DTM_GETSYSTEMTIME, 0, (LPARAM)pTimeDest);
}
