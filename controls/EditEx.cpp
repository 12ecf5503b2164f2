#include "EditEx.h"

#include "CharFilter.h"
#include "FlatFrame.h"

#include <string>
#include <vector>

BEGIN_MESSAGE_MAP(CEditEx, CEdit)
    ON_WM_NCPAINT()
    ON_WM_CTLCOLOR_REFLECT()
    ON_WM_NCCALCSIZE()
    ON_CONTROL_REFLECT(EN_CHANGE, &CEditEx::OnEnChange)
END_MESSAGE_MAP()

CEditEx::CEditEx()
{
    m_bkBrush.CreateSolidBrush(m_bkColor);
}

CEditEx::~CEditEx() = default;

COLORREF CEditEx::SetTextColor(COLORREF color)
{
    COLORREF previous = m_textColor;
    m_textColor = color;
    return previous;
}

UINT CEditEx::SetTextAlign(UINT align)
{
    UINT previous = m_textAlign;
    m_textAlign = align;
    return previous;
}

int CEditEx::SetBorderWidth(int width)
{
    int previous = m_borderWidth;
    m_borderWidth = width;
    if (::IsWindow(m_hWnd))
        SendMessage(WM_NCPAINT, 0, 0);
    return previous;
}

COLORREF CEditEx::SetBorderColor(COLORREF color)
{
    COLORREF previous = m_borderColor;
    m_borderColor = color;
    if (::IsWindow(m_hWnd))
        SendMessage(WM_NCPAINT, 0, 0);
    return previous;
}

int CEditEx::SetBkMode(int mode)
{
    int previous = m_bkMode;
    m_bkMode = mode;
    return previous;
}

COLORREF CEditEx::SetBkColor(COLORREF color)
{
    COLORREF previous = m_bkColor;
    m_bkColor = color;
    m_bkBrush.DeleteObject();
    m_bkBrush.CreateSolidBrush(color);
    return previous;
}

void CEditEx::SetValidChars(const CString& chars)
{
    m_validChars = chars;
}

void CEditEx::OnNcPaint()
{
    tolvan::controls::PaintFlatFrame(m_hWnd, m_borderWidth, m_borderColor, true);
}

HBRUSH CEditEx::CtlColor(CDC* pDC, UINT /*nCtlColor*/)
{
    pDC->SetBkMode(m_bkMode);
    pDC->SetTextColor(m_textColor);
    pDC->SetTextAlign(m_textAlign);
    return m_bkBrush;
}

void CEditEx::OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp)
{
    if (bCalcValidRects)
        tolvan::controls::FitClientToFlatFrame(m_hWnd, m_borderWidth, &lpncsp->rgrc[0]);
    CEdit::OnNcCalcSize(bCalcValidRects, lpncsp);
}

void CEditEx::OnEnChange()
{
    if (m_validChars.IsEmpty()) {
        // The reflected entry took the parent's notification; hand it on. The parent's own
        // handle in lParam keeps the framework from reflecting it back here.
        CWnd* parent = GetParent();
        if (parent != NULL) {
            parent->SendMessage(WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(), EN_CHANGE),
                                (LPARAM)parent->m_hWnd);
        }
        return;
    }
    int start = 0, end = 0;
    GetSel(start, end);
    CString text;
    GetWindowText(text);
    std::vector<int> selection{ start, end };
    std::string kept = tolvan::controls::KeepAllowed(std::string((LPCTSTR)text),
                                                     std::string((LPCTSTR)m_validChars),
                                                     &selection);
    if (kept == (LPCTSTR)text)
        return;
    SetWindowText(kept.c_str());
    SetSel(selection[0], selection[1]);
    SendMessage(EM_SCROLLCARET, 0, 0);
}
