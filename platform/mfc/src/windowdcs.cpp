// The window DCs (CPaintDC, CClientDC, CWindowDC) and the CDC members that need CWnd.
#include <afxwin.h>

#include "gdihandlemaps.h"

IMPLEMENT_DYNAMIC(CPaintDC, CDC)
IMPLEMENT_DYNAMIC(CClientDC, CDC)
IMPLEMENT_DYNAMIC(CWindowDC, CDC)

namespace {

// NULL stands for the desktop (the whole screen).
HWND HwndOf(CWnd* pWnd)
{
    return pWnd != NULL ? pWnd->GetSafeHwnd() : NULL;
}

}  // namespace

CWnd* CDC::GetWindow() const
{
    if (m_hDC == NULL)
        return NULL;
    HWND hWnd = ::WindowFromDC(m_hDC);
    return hWnd == NULL ? NULL : CWnd::FromHandle(hWnd);
}

int CDC::ExcludeUpdateRgn(CWnd* pWnd)
{
    return ::ExcludeUpdateRgn(m_hDC, HwndOf(pWnd));
}

CPaintDC::CPaintDC(CWnd* pWnd) : m_hWnd(HwndOf(pWnd))
{
    memset(&m_ps, 0, sizeof(m_ps));
    Attach(::BeginPaint(m_hWnd, &m_ps));
}

CPaintDC::~CPaintDC()
{
    // EndPaint releases the DC; it must not be deleted as well.
    if (m_hDC != NULL) {
        ::EndPaint(m_hWnd, &m_ps);
        Detach();
    }
}

CClientDC::CClientDC(CWnd* pWnd) : m_hWnd(HwndOf(pWnd))
{
    Attach(::GetDC(m_hWnd));
}

CClientDC::~CClientDC()
{
    if (m_hDC != NULL)
        ::ReleaseDC(m_hWnd, Detach());
}

CWindowDC::CWindowDC(CWnd* pWnd) : m_hWnd(HwndOf(pWnd))
{
    Attach(::GetWindowDC(m_hWnd));
}

CWindowDC::~CWindowDC()
{
    if (m_hDC != NULL)
        ::ReleaseDC(m_hWnd, Detach());
}
