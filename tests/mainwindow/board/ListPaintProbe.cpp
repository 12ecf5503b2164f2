#include "ListPaintProbe.h"

namespace {

// The probe of the watched window. Kept here rather than in a window property: a property
// lookup on every message of the window would cost more than what is being measured.
ListPaintProbe* theProbe = nullptr;

}  // namespace

ListPaintProbe::ListPaintProbe(HWND window, std::function<void()> afterPaint)
    : m_window(window), m_original(nullptr), m_afterPaint(std::move(afterPaint))
{
    theProbe = this;
    m_original = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrA(m_window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&ListPaintProbe::Procedure)));
}

ListPaintProbe::~ListPaintProbe()
{
    if (!::IsWindow(m_window))
        return;
    ::SetWindowLongPtrA(m_window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_original));
    theProbe = nullptr;
}

LRESULT CALLBACK ListPaintProbe::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    ListPaintProbe* probe = theProbe;
    if (message != WM_PAINT)
        return ::CallWindowProcA(probe->m_original, window, message, wParam, lParam);
    const LRESULT result = ::CallWindowProcA(probe->m_original, window, message, wParam, lParam);
    if (probe->m_afterPaint)
        probe->m_afterPaint();
    return result;
}
