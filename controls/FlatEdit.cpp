#include "FlatEdit.h"

#include "FlatFrame.h"

#include <utility>

BEGIN_MESSAGE_MAP(CFlatEdit, CEdit)
    ON_WM_NCPAINT()
    ON_WM_CTLCOLOR_REFLECT()
    ON_WM_NCCALCSIZE()
END_MESSAGE_MAP()

CFlatEdit::CFlatEdit()
{
    m_bkBrush.CreateSolidBrush(m_bkColor);
}

CFlatEdit::~CFlatEdit() = default;

COLORREF CFlatEdit::SetTextColor(COLORREF color)
{
    return std::exchange(m_textColor, color);
}

UINT CFlatEdit::SetTextAlign(UINT align)
{
    return std::exchange(m_textAlign, align);
}

int CFlatEdit::SetBorderWidth(int width)
{
    const int previous = std::exchange(m_borderWidth, width);
    RepaintFrame();
    return previous;
}

COLORREF CFlatEdit::SetBorderColor(COLORREF color)
{
    const COLORREF previous = std::exchange(m_borderColor, color);
    RepaintFrame();
    return previous;
}

int CFlatEdit::SetBkMode(int mode)
{
    return std::exchange(m_bkMode, mode);
}

COLORREF CFlatEdit::SetBkColor(COLORREF color)
{
    m_bkBrush.DeleteObject();
    m_bkBrush.CreateSolidBrush(color);
    return std::exchange(m_bkColor, color);
}

void CFlatEdit::RepaintFrame()
{
    if (::IsWindow(m_hWnd))
        SendMessage(WM_NCPAINT, 0, 0);
}

void CFlatEdit::OnNcPaint()
{
    // The frame replaces the system border entirely; the default non-client paint would
    // draw the sunken edge over it.
    tolvan::controls::PaintFlatFrame(m_hWnd, m_borderWidth, m_borderColor, true);
}

HBRUSH CFlatEdit::CtlColor(CDC* pDC, UINT /*nCtlColor*/)
{
    pDC->SetBkMode(m_bkMode);
    pDC->SetTextColor(m_textColor);
    pDC->SetTextAlign(m_textAlign);
    return m_bkBrush;
}

void CFlatEdit::OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp)
{
    if (bCalcValidRects)
        tolvan::controls::FitClientToFlatFrame(m_hWnd, m_borderWidth, &lpncsp->rgrc[0]);
    CEdit::OnNcCalcSize(bCalcValidRects, lpncsp);
}
