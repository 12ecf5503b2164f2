#include "EntryEditEx.h"

#include <FlatFrame.h>

namespace entry {

BEGIN_MESSAGE_MAP(CEditEx, CEdit)
    ON_WM_NCPAINT()
    ON_WM_NCCALCSIZE()
    ON_WM_CTLCOLOR_REFLECT()
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

void CEditEx::OnNcPaint()
{
    // The frame replaces the system border entirely; the default non-client paint would
    // draw the sunken edge over it.
    tolvan::controls::PaintFlatFrame(m_hWnd, m_borderWidth, m_borderColor, true);
}

void CEditEx::OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp)
{
    if (bCalcValidRects)
        tolvan::controls::FitClientToFlatFrame(m_hWnd, m_borderWidth, &lpncsp->rgrc[0]);
    CEdit::OnNcCalcSize(bCalcValidRects, lpncsp);
}

HBRUSH CEditEx::CtlColor(CDC* pDC, UINT /*nCtlColor*/)
{
    pDC->SetBkMode(m_bkMode);
    pDC->SetTextColor(m_textColor);
    pDC->SetTextAlign(m_textAlign);
    return m_bkBrush;
}

}  // namespace entry
