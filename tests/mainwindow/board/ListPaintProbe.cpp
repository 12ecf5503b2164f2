#include "ListPaintProbe.h"

namespace {

const char kProbeProperty[] = "ListPaintProbe";

}  // namespace

ListPaintProbe::ListPaintProbe(HWND window, std::function<void()> afterPaint)
    : m_window(window), m_original(nullptr), m_afterPaint(std::move(afterPaint))
{
    ::SetPropA(m_window, kProbeProperty, this);
    m_original = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrA(m_window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&ListPaintProbe::Procedure)));
}

ListPaintProbe::~ListPaintProbe()
{
    if (!::IsWindow(m_window))
        return;
    ::SetWindowLongPtrA(m_window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_original));
    ::RemovePropA(m_window, kProbeProperty);
}

LRESULT CALLBACK ListPaintProbe::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    ListPaintProbe* probe = static_cast<ListPaintProbe*>(::GetPropA(window, kProbeProperty));
    const LRESULT result = ::CallWindowProcA(probe->m_original, window, message, wParam, lParam);
    if (message == WM_PAINT && probe->m_afterPaint)
        probe->m_afterPaint();
    return result;
}
