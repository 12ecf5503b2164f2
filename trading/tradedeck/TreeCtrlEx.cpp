#include "TreeCtrlEx.h"

#include <FlatFrame.h>

BEGIN_MESSAGE_MAP(CTreeCtrlEx, CTreeCtrl)
    ON_WM_NCCALCSIZE()
    ON_WM_NCPAINT()
END_MESSAGE_MAP()

void CTreeCtrlEx::OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp)
{
    if (bCalcValidRects)
        tolvan::controls::FitClientToFlatFrame(m_hWnd, m_borderWidth, &lpncsp->rgrc[0]);
    CTreeCtrl::OnNcCalcSize(bCalcValidRects, lpncsp);
}

void CTreeCtrlEx::OnNcPaint()
{
    Default();
    tolvan::controls::PaintFlatFrame(m_hWnd, m_borderWidth, m_borderColor, true);
}
