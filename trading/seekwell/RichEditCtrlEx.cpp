#include "RichEditCtrlEx.h"

BEGIN_MESSAGE_MAP(CRichEditCtrlEx, CRichEditCtrl)
    ON_WM_NCCALCSIZE()
    ON_WM_NCPAINT()
END_MESSAGE_MAP()

void CRichEditCtrlEx::OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp)
{
    // The frame takes exactly its own width instead of the system border's.
    if ((GetStyle() & WS_BORDER) && bCalcValidRects)
        ::InflateRect(&lpncsp->rgrc[0], ::GetSystemMetrics(SM_CXBORDER) - m_frameWidth,
                      ::GetSystemMetrics(SM_CYBORDER) - m_frameWidth);
    CRichEditCtrl::OnNcCalcSize(bCalcValidRects, lpncsp);
}

void CRichEditCtrlEx::OnNcPaint()
{
    CRichEditCtrl::OnNcPaint();
    if (!(GetStyle() & WS_BORDER))
        return;
    CWindowDC dc(this);
    CRect window;
    GetWindowRect(&window);
    window.OffsetRect(-window.left, -window.top);
    const int w = m_frameWidth;
    dc.FillSolidRect(0, 0, window.Width(), w, m_frameColour);
    dc.FillSolidRect(0, window.Height() - w, window.Width(), w, m_frameColour);
    dc.FillSolidRect(0, 0, w, window.Height(), m_frameColour);
    dc.FillSolidRect(window.Width() - w, 0, w, window.Height(), m_frameColour);
}
