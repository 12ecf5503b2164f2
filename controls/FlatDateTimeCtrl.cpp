#include "FlatDateTimeCtrl.h"

#include "FlatFrame.h"

BEGIN_MESSAGE_MAP(CFlatDateTimeCtrl, CDateTimeCtrl)
    ON_WM_NCPAINT()
    ON_WM_PAINT()
END_MESSAGE_MAP()

CFlatDateTimeCtrl::CFlatDateTimeCtrl() = default;
CFlatDateTimeCtrl::~CFlatDateTimeCtrl() = default;

void CFlatDateTimeCtrl::OnNcPaint()
{
    tolvan::controls::PaintFlatFrame(m_hWnd, m_borderWidth, m_borderColor, false);
}

void CFlatDateTimeCtrl::OnPaint()
{
    CPaintDC dc(this);
    DefWindowProc(WM_PAINT, (WPARAM)dc.m_hDC, 0);
}
