// Dialog data exchange: UpdateData, the DDX_ transfers between controls and members, and
// the DDV_ checks.
#include "listitems.h"

#include <stdlib.h>
#include <errno.h>

using afxcore::State;

IMPLEMENT_DYNAMIC(CUserException, CSimpleException)

void AFXAPI AfxThrowUserException()
{
    throw new CUserException();
}

void CWnd::DoDataExchange(CDataExchange*)
{
}

BOOL CWnd::UpdateData(BOOL bSaveAndValidate)
{
    CDataExchange dx(this, bSaveAndValidate);
    // Control notifications caused by the transfer itself (EN_CHANGE from SetWindowText)
    // are not handlers' business.
    afxcore::ThreadState& state = State();
    HWND hWndOldLockout = state.lockoutNotifyWindow;
    state.lockoutNotifyWindow = m_hWnd;
    BOOL bOK = FALSE;
    try {
        DoDataExchange(&dx);
        bOK = TRUE;
    } catch (CUserException* e) {
        e->Delete();
    }
    State().lockoutNotifyWindow = hWndOldLockout;
    return bOK;
}

CDataExchange::CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate)
    : m_bSaveAndValidate(bSaveAndValidate), m_pDlgWnd(pDlgWnd), m_hWndLastControl(NULL),
      m_bEditLastControl(FALSE)
{
}

HWND CDataExchange::PrepareCtrl(int nIDC)
{
    HWND hWndCtrl = ::GetDlgItem(m_pDlgWnd->m_hWnd, nIDC);
    if (hWndCtrl == NULL)
        AfxThrowNotSupportedException();   // no such control: a programming error
    m_hWndLastControl = hWndCtrl;
    m_bEditLastControl = FALSE;
    return hWndCtrl;
}

HWND CDataExchange::PrepareEditCtrl(int nIDC)
{
    HWND hWndCtrl = PrepareCtrl(nIDC);
    m_bEditLastControl = TRUE;
    return hWndCtrl;
}

void CDataExchange::Fail()
{
    if (!m_bSaveAndValidate) {
        // Loading cannot fail for the user's input; nothing to give the focus to.
        AfxThrowUserException();
    }
    if (m_hWndLastControl != NULL) {
        ::SetFocus(m_hWndLastControl);
        if (m_bEditLastControl)
            ::SendMessageA(m_hWndLastControl, EM_SETSEL, 0, -1);
    }
    AfxThrowUserException();
}

// ---------------------------------------------------------------------------------------

void AFXAPI DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl)
{
    if (rControl.m_hWnd != NULL)
        return;   // bound already (UpdateData runs many times)
    HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
    if (!rControl.SubclassWindow(hWndCtrl))
        AfxThrowNotSupportedException();
}

void AFXAPI AfxSetWindowText(HWND hWndCtrl, LPCTSTR lpszNew)
{
    // Unchanged text is not set again: no flicker and no change notification.
    int nNewLen = lstrlenA(lpszNew);
    char szOld[256];
    if (nNewLen > (int)sizeof(szOld) - 1 || ::GetWindowTextA(hWndCtrl, szOld, sizeof(szOld)) != nNewLen ||
        lstrcmpA(szOld, lpszNew) != 0)
        ::SetWindowTextA(hWndCtrl, lpszNew);
}

namespace {

CString WindowText(HWND hWnd)
{
    CString text;
    int nLen = ::GetWindowTextLengthA(hWnd);
    ::GetWindowTextA(hWnd, text.GetBufferSetLength(nLen), nLen + 1);
    text.ReleaseBuffer();
    return text;
}

// Shown when a number field holds no number; Fail() then keeps the dialog open.
void FailNumber(CDataExchange* pDX, bool integer)
{
    AfxMessageBox(integer ? "请输入一个整数。" : "请输入一个数字。", MB_ICONEXCLAMATION);
    pDX->Fail();
}

// Parses a whole signed/unsigned integer (blanks around it allowed).
bool ParseInteger(const CString& text, bool isSigned, LONGLONG& value)
{
    const char* p = text.GetString();
    while (*p == ' ' || *p == '\t')
        ++p;
    if (*p == '\0')
        return false;
    char* end = NULL;
    errno = 0;
    if (isSigned) {
        value = _strtoi64(p, &end, 10);
    } else {
        if (*p == '-')
            return false;
        value = (LONGLONG)_strtoui64(p, &end, 10);
    }
    if (errno == ERANGE || end == p)
        return false;
    while (*end == ' ' || *end == '\t')
        ++end;
    return *end == '\0';
}

template <class T>
void TextInteger(CDataExchange* pDX, int nIDC, T& value, bool isSigned, LONGLONG minValue,
                 ULONGLONG maxValue)
{
    HWND hWndCtrl = pDX->PrepareEditCtrl(nIDC);
    if (pDX->m_bSaveAndValidate) {
        LONGLONG parsed = 0;
        if (!ParseInteger(WindowText(hWndCtrl), isSigned, parsed))
            FailNumber(pDX, true);
        bool outOfRange = isSigned ? (parsed < minValue || (parsed > 0 && (ULONGLONG)parsed > maxValue))
                                   : ((ULONGLONG)parsed > maxValue);
        if (outOfRange)
            FailNumber(pDX, true);
        value = (T)parsed;
    } else {
        char buffer[32];
        if (isSigned)
            _snprintf(buffer, sizeof(buffer), "%I64d", (LONGLONG)value);
        else
            _snprintf(buffer, sizeof(buffer), "%I64u", (ULONGLONG)value);
        buffer[sizeof(buffer) - 1] = '\0';
        AfxSetWindowText(hWndCtrl, buffer);
    }
}

template <class T>
void TextFloat(CDataExchange* pDX, int nIDC, T& value, int precision)
{
    HWND hWndCtrl = pDX->PrepareEditCtrl(nIDC);
    if (pDX->m_bSaveAndValidate) {
        CString text = WindowText(hWndCtrl);
        const char* p = text.GetString();
        while (*p == ' ' || *p == '\t')
            ++p;
        char* end = NULL;
        double parsed = strtod(p, &end);
        if (end == p)
            FailNumber(pDX, false);
        while (*end == ' ' || *end == '\t')
            ++end;
        if (*end != '\0')
            FailNumber(pDX, false);
        value = (T)parsed;
    } else {
        char buffer[64];
        _snprintf(buffer, sizeof(buffer), "%.*g", precision, (double)value);
        buffer[sizeof(buffer) - 1] = '\0';
        AfxSetWindowText(hWndCtrl, buffer);
    }
}

}  // namespace

void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, CString& value)
{
    HWND hWndCtrl = pDX->PrepareEditCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
        value = WindowText(hWndCtrl);
    else
        AfxSetWindowText(hWndCtrl, value);
}

void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, LPTSTR value, int nMaxLen)
{
    HWND hWndCtrl = pDX->PrepareEditCtrl(nIDC);
    if (pDX->m_bSaveAndValidate) {
        ::GetWindowTextA(hWndCtrl, value, nMaxLen);
    } else {
        AfxSetWindowText(hWndCtrl, value);
    }
}

void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, int& value)
{
    TextInteger(pDX, nIDC, value, true, INT_MIN, INT_MAX);
}

void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, UINT& value)
{
    TextInteger(pDX, nIDC, value, false, 0, UINT_MAX);
}

void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, long& value)
{
    TextInteger(pDX, nIDC, value, true, LONG_MIN, LONG_MAX);
}

void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, DWORD& value)
{
    TextInteger(pDX, nIDC, value, false, 0, 0xFFFFFFFFu);
}

void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, short& value)
{
    TextInteger(pDX, nIDC, value, true, SHRT_MIN, SHRT_MAX);
}

void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, BYTE& value)
{
    TextInteger(pDX, nIDC, value, false, 0, 255);
}

void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, LONGLONG& value)
{
    TextInteger(pDX, nIDC, value, true, LLONG_MIN, LLONG_MAX);
}

void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, ULONGLONG& value)
{
    TextInteger(pDX, nIDC, value, false, 0, ULLONG_MAX);
}

void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, float& value)
{
    TextFloat(pDX, nIDC, value, 6);
}

void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, double& value)
{
    TextFloat(pDX, nIDC, value, 15);
}

void AFXAPI DDX_Check(CDataExchange* pDX, int nIDC, int& value)
{
    HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
        value = (int)::SendMessageA(hWndCtrl, BM_GETCHECK, 0, 0);
    else
        ::SendMessageA(hWndCtrl, BM_SETCHECK, (WPARAM)value, 0);
}

void AFXAPI DDX_Radio(CDataExchange* pDX, int nIDC, int& value)
{
    // nIDC is the first button of a group (WS_GROUP); value is the index of the checked
    // one, -1 for none.
    HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
        value = -1;
    int iButton = 0;
    do {
        if (::SendMessageA(hWndCtrl, WM_GETDLGCODE, 0, 0) & DLGC_RADIOBUTTON) {
            if (pDX->m_bSaveAndValidate) {
                if (::SendMessageA(hWndCtrl, BM_GETCHECK, 0, 0) != 0)
                    value = iButton;
            } else {
                ::SendMessageA(hWndCtrl, BM_SETCHECK, iButton == value, 0);
            }
            ++iButton;
        }
        hWndCtrl = ::GetWindow(hWndCtrl, GW_HWNDNEXT);
    } while (hWndCtrl != NULL && !(::GetWindowLongA(hWndCtrl, GWL_STYLE) & WS_GROUP));
}

void AFXAPI DDX_CBIndex(CDataExchange* pDX, int nIDC, int& index)
{
    HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
        index = (int)::SendMessageA(hWndCtrl, CB_GETCURSEL, 0, 0);
    else
        ::SendMessageA(hWndCtrl, CB_SETCURSEL, (WPARAM)index, 0);
}

void AFXAPI DDX_CBString(CDataExchange* pDX, int nIDC, CString& value)
{
    HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate) {
        if ((::GetWindowLongA(hWndCtrl, GWL_STYLE) & 3) == CBS_DROPDOWNLIST) {
            // No selection (CB_ERR) has no text and reads as empty.
            int nIndex = (int)::SendMessageA(hWndCtrl, CB_GETCURSEL, 0, 0);
            afxcore::ReadItemText(hWndCtrl, CB_GETLBTEXTLEN, CB_GETLBTEXT, nIndex, value);
        } else {
            value = WindowText(hWndCtrl);
        }
    } else {
        if (::SendMessageA(hWndCtrl, CB_SELECTSTRING, (WPARAM)-1, (LPARAM)value.GetString()) == CB_ERR)
            AfxSetWindowText(hWndCtrl, value);
    }
}

void AFXAPI DDX_CBStringExact(CDataExchange* pDX, int nIDC, CString& value)
{
    HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate) {
        DDX_CBString(pDX, nIDC, value);
    } else if (!value.IsEmpty()) {
        int nIndex = (int)::SendMessageA(hWndCtrl, CB_FINDSTRINGEXACT, (WPARAM)-1, (LPARAM)value.GetString());
        if (nIndex == CB_ERR)
            AfxSetWindowText(hWndCtrl, value);
        else
            ::SendMessageA(hWndCtrl, CB_SETCURSEL, nIndex, 0);
    } else {
        ::SendMessageA(hWndCtrl, CB_SETCURSEL, (WPARAM)-1, 0);
    }
}

void AFXAPI DDX_LBIndex(CDataExchange* pDX, int nIDC, int& index)
{
    HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
        index = (int)::SendMessageA(hWndCtrl, LB_GETCURSEL, 0, 0);
    else
        ::SendMessageA(hWndCtrl, LB_SETCURSEL, (WPARAM)index, 0);
}

void AFXAPI DDX_LBString(CDataExchange* pDX, int nIDC, CString& value)
{
    HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate) {
        // No selection (LB_ERR) has no text and reads as empty.
        int nIndex = (int)::SendMessageA(hWndCtrl, LB_GETCURSEL, 0, 0);
        afxcore::ReadItemText(hWndCtrl, LB_GETTEXTLEN, LB_GETTEXT, nIndex, value);
    } else {
        ::SendMessageA(hWndCtrl, LB_SELECTSTRING, (WPARAM)-1, (LPARAM)value.GetString());
    }
}

void AFXAPI DDX_Scroll(CDataExchange* pDX, int nIDC, int& value)
{
    HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
        value = ::GetScrollPos(hWndCtrl, SB_CTL);
    else
        ::SetScrollPos(hWndCtrl, SB_CTL, value, TRUE);
}

void AFXAPI DDX_Slider(CDataExchange* pDX, int nIDC, int& value)
{
    HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
        value = (int)::SendMessageA(hWndCtrl, TBM_GETPOS, 0, 0);
    else
        ::SendMessageA(hWndCtrl, TBM_SETPOS, TRUE, value);
}

void AFXAPI DDX_DateTimeCtrl(CDataExchange* pDX, int nIDC, CTime& value)
{
    HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
    SYSTEMTIME st;
    if (pDX->m_bSaveAndValidate) {
        if (::SendMessageA(hWndCtrl, DTM_GETSYSTEMTIME, 0, (LPARAM)&st) == GDT_VALID)
            value = CTime(st);
    } else {
        if (value.GetAsSystemTime(st))
            ::SendMessageA(hWndCtrl, DTM_SETSYSTEMTIME, GDT_VALID, (LPARAM)&st);
    }
}

void AFXAPI DDX_DateTimeCtrl(CDataExchange* pDX, int nIDC, COleDateTime& value)
{
    HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
    SYSTEMTIME st;
    if (pDX->m_bSaveAndValidate) {
        if (::SendMessageA(hWndCtrl, DTM_GETSYSTEMTIME, 0, (LPARAM)&st) == GDT_VALID)
            value = COleDateTime(st);
    } else {
        if (value.GetAsSystemTime(st))
            ::SendMessageA(hWndCtrl, DTM_SETSYSTEMTIME, GDT_VALID, (LPARAM)&st);
    }
}

// ---------------------------------------------------------------------------------------
// Validation: only when saving; the user is told the limits and the control keeps focus.

namespace {

void FailRange(CDataExchange* pDX, const char* text)
{
    AfxMessageBox(text, MB_ICONEXCLAMATION);
    pDX->Fail();
}

}  // namespace

void AFXAPI DDV_MaxChars(CDataExchange* pDX, CString const& value, int nChars)
{
    if (pDX->m_bSaveAndValidate && value.GetLength() > nChars) {
        CString text;
        text.Format("请输入不超过 %d 个字符。", nChars);
        FailRange(pDX, text);
    } else if (!pDX->m_bSaveAndValidate && pDX->m_hWndLastControl != NULL && pDX->m_bEditLastControl) {
        ::SendMessageA(pDX->m_hWndLastControl, EM_LIMITTEXT, nChars, 0);
    }
}

void AFXAPI DDV_MinMaxInt(CDataExchange* pDX, int value, int minVal, int maxVal)
{
    if (pDX->m_bSaveAndValidate && (value < minVal || value > maxVal)) {
        CString text;
        text.Format("请输入 %d 到 %d 之间的整数。", minVal, maxVal);
        FailRange(pDX, text);
    }
}

void AFXAPI DDV_MinMaxUInt(CDataExchange* pDX, UINT value, UINT minVal, UINT maxVal)
{
    if (pDX->m_bSaveAndValidate && (value < minVal || value > maxVal)) {
        CString text;
        text.Format("请输入 %u 到 %u 之间的整数。", minVal, maxVal);
        FailRange(pDX, text);
    }
}

void AFXAPI DDV_MinMaxLong(CDataExchange* pDX, long value, long minVal, long maxVal)
{
    if (pDX->m_bSaveAndValidate && (value < minVal || value > maxVal)) {
        CString text;
        text.Format("请输入 %ld 到 %ld 之间的整数。", minVal, maxVal);
        FailRange(pDX, text);
    }
}

void AFXAPI DDV_MinMaxDouble(CDataExchange* pDX, double const& value, double minVal, double maxVal)
{
    if (pDX->m_bSaveAndValidate && (value < minVal || value > maxVal)) {
        CString text;
        text.Format("请输入 %g 到 %g 之间的数字。", minVal, maxVal);
        FailRange(pDX, text);
    }
}

void AFXAPI DDV_MinMaxFloat(CDataExchange* pDX, float value, float minVal, float maxVal)
{
    DDV_MinMaxDouble(pDX, (double)value, (double)minVal, (double)maxVal);
}
