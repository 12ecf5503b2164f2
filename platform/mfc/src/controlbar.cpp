// CControlBar: windows docked to an edge of their parent by CWnd::RepositionBars.
#include "wincore.h"

#include <afxext.h>

IMPLEMENT_DYNAMIC(CControlBar, CWnd)

BEGIN_MESSAGE_MAP(CControlBar, CWnd)
    ON_MESSAGE(WM_SIZEPARENT, &CControlBar::OnSizeParent)
END_MESSAGE_MAP()

CControlBar::CControlBar() : m_dwStyle(0), m_nCount(0) {}
CControlBar::~CControlBar() {}

int CControlBar::GetCount() const
{
    return m_nCount;
}

CSize CControlBar::CalcFixedLayout(BOOL, BOOL bHorz)
{
    CRect rect;
    GetWindowRect(&rect);
    return bHorz ? CSize(32767, rect.Height()) : CSize(rect.Width(), 32767);
}

LRESULT CControlBar::OnSizeParent(WPARAM, LPARAM lParam)
{
    AFX_SIZEPARENTPARAMS* pLayout = reinterpret_cast<AFX_SIZEPARENTPARAMS*>(lParam);
    if (!(GetStyle() & WS_VISIBLE))
        return 0;
    DWORD dwAlign = m_dwStyle & CBRS_ALIGN_ANY;
    BOOL bHorz = (dwAlign & (CBRS_ALIGN_TOP | CBRS_ALIGN_BOTTOM)) != 0 || dwAlign == 0;
    CSize size = CalcFixedLayout(pLayout->bStretch, bHorz);

    RECT rect = pLayout->rect;
    if (dwAlign & CBRS_ALIGN_TOP) {
        rect.bottom = rect.top + size.cy;
        pLayout->rect.top += size.cy;
    } else if (dwAlign & CBRS_ALIGN_LEFT) {
        rect.right = rect.left + size.cx;
        pLayout->rect.left += size.cx;
    } else if (dwAlign & CBRS_ALIGN_RIGHT) {
        rect.left = rect.right - size.cx;
        pLayout->rect.right -= size.cx;
    } else {
        rect.top = rect.bottom - size.cy;
        pLayout->rect.bottom -= size.cy;
    }
    if (pLayout->hDWP != NULL)
        pLayout->hDWP = ::DeferWindowPos(pLayout->hDWP, m_hWnd, NULL, rect.left, rect.top,
                                         rect.right - rect.left, rect.bottom - rect.top,
                                         SWP_NOZORDER | SWP_NOACTIVATE);
    return 0;
}
