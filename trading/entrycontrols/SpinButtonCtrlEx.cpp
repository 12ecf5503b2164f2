#include "SpinButtonCtrlEx.h"

#include <ImageResource.h>

#include <vector>

namespace entry {

BEGIN_MESSAGE_MAP(CSpinButtonCtrlEx, CSpinButtonCtrl)
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_WM_SIZE()
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONDOWN()
    ON_WM_MOUSELEAVE()
    ON_WM_MOUSEHOVER()
END_MESSAGE_MAP()

CSpinButtonCtrlEx::CSpinButtonCtrlEx()
{
    Gdiplus::GdiplusStartupInput input;
    Gdiplus::GdiplusStartup(&m_gdiplusToken, &input, NULL);
}

CSpinButtonCtrlEx::~CSpinButtonCtrlEx()
{
    for (auto& entry : m_images)
        delete entry.second;
    m_images.clear();
    Gdiplus::GdiplusShutdown(m_gdiplusToken);
}

BOOL CSpinButtonCtrlEx::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    BOOL created = CSpinButtonCtrl::Create(dwStyle, rect, pParentWnd, nID);
    ComputeArrowRects();
    return created;
}

BOOL CSpinButtonCtrlEx::CreateEx(DWORD dwExStyle, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    BOOL created = CWnd::CreateEx(dwExStyle, UPDOWN_CLASSA, NULL, dwStyle, rect, pParentWnd, nID);
    ComputeArrowRects();
    return created;
}

void CSpinButtonCtrlEx::SetImage(int state, Gdiplus::Image* image)
{
    auto found = m_images.find(state);
    if (found != m_images.end()) {
        delete found->second;
        m_images.erase(found);
    }
    if (image != nullptr)
        m_images[state] = image;
}

void CSpinButtonCtrlEx::SetStateImageFile(int state, LPCSTR path)
{
    int length = ::MultiByteToWideChar(CP_THREAD_ACP, 0, path, -1, NULL, 0);
    std::vector<wchar_t> wide(length > 0 ? length : 1, L'\0');
    if (length > 0)
        ::MultiByteToWideChar(CP_THREAD_ACP, 0, path, -1, wide.data(), length);
    Gdiplus::Image* image = new Gdiplus::Image(wide.data());
    if (image->GetLastStatus() != Gdiplus::Ok) {
        delete image;
        image = nullptr;
    }
    SetImage(state, image);
}

void CSpinButtonCtrlEx::SetStateImageBitmap(int state, HBITMAP bitmap)
{
    SetImage(state, bitmap != NULL ? Gdiplus::Bitmap::FromHBITMAP(bitmap, NULL) : nullptr);
}

void CSpinButtonCtrlEx::SetStateImagePng(int state, UINT resourceId)
{
    SetImage(state, tolvan::controls::LoadImageResource(AfxGetResourceHandle(),
                                                        MAKEINTRESOURCEA(LOWORD(resourceId)), "PNG"));
}

void CSpinButtonCtrlEx::SetEnabledLook(BOOL enabled)
{
    SetState(enabled ? kNormal : kDisabled);
    if (::IsWindow(m_hWnd))
        Invalidate();
}

void CSpinButtonCtrlEx::SetState(int state)
{
    if (state == m_state)
        return;
    m_state = state;
    if (::IsWindow(m_hWnd))
        Invalidate(FALSE);
}

void CSpinButtonCtrlEx::DrawStateImage(const CRect& rect, Gdiplus::Graphics& graphics)
{
    auto found = m_images.find(m_state);
    if (found == m_images.end())
        return;
    Gdiplus::Image* image = found->second;
    graphics.DrawImage(image, Gdiplus::Rect(rect.left, rect.top, rect.Width(), rect.Height()), 0, 0,
                       (INT)image->GetWidth(), (INT)image->GetHeight(), Gdiplus::UnitPixel);
}

void CSpinButtonCtrlEx::ComputeArrowRects()
{
    if (!::IsWindow(m_hWnd))
        return;
    CRect client;
    GetClientRect(&client);
    int middle = client.bottom - client.Height() / 2;
    m_upperRect.SetRect(client.left, client.top, client.right, middle);
    m_lowerRect.SetRect(client.left, middle + 1, client.right, client.bottom);
}

void CSpinButtonCtrlEx::PreSubclassWindow()
{
    CSpinButtonCtrl::PreSubclassWindow();
    ComputeArrowRects();
}

BOOL CSpinButtonCtrlEx::OnEraseBkgnd(CDC* pDC)
{
    if (m_images.empty())
        return CSpinButtonCtrl::OnEraseBkgnd(pDC);
    return TRUE;
}

void CSpinButtonCtrlEx::OnPaint()
{
    if (m_images.empty()) {
        Default();
        return;
    }
    CPaintDC dc(this);
    CRect client;
    GetClientRect(&client);
    CDC memory;
    memory.CreateCompatibleDC(&dc);
    CBitmap picture;
    picture.CreateCompatibleBitmap(&dc, client.Width(), client.Height());
    CBitmap* old = memory.SelectObject(&picture);
    memory.FillSolidRect(client, ::GetSysColor(COLOR_BTNFACE));
    {
        Gdiplus::Graphics graphics(memory.m_hDC);
        DrawStateImage(client, graphics);
    }
    dc.BitBlt(0, 0, client.Width(), client.Height(), &memory, 0, 0, SRCCOPY);
    memory.SelectObject(old);
}

void CSpinButtonCtrlEx::OnSize(UINT nType, int cx, int cy)
{
    CSpinButtonCtrl::OnSize(nType, cx, cy);
    ComputeArrowRects();
}

void CSpinButtonCtrlEx::OnMouseMove(UINT nFlags, CPoint point)
{
    if (!m_tracking) {
        TRACKMOUSEEVENT track = {sizeof(track), TME_HOVER | TME_LEAVE, m_hWnd, 1};
        m_tracking = ::TrackMouseEvent(&track);
    }
    if (m_ownerDraw && m_state != kDisabled && (nFlags & MK_LBUTTON) == 0) {
        if (m_upperRect.PtInRect(point))
            SetState(kUpperHover);
        else if (m_lowerRect.PtInRect(point))
            SetState(kLowerHover);
        else
            SetState(kNormal);
    }
    CSpinButtonCtrl::OnMouseMove(nFlags, point);
}

void CSpinButtonCtrlEx::OnLButtonDown(UINT nFlags, CPoint point)
{
    if (m_ownerDraw && m_state != kDisabled) {
        if (m_upperRect.PtInRect(point))
            SetState(kUpperPressed);
        else if (m_lowerRect.PtInRect(point))
            SetState(kLowerPressed);
    }
    CSpinButtonCtrl::OnLButtonDown(nFlags, point);
}

void CSpinButtonCtrlEx::OnMouseLeave()
{
    m_hover = FALSE;
    if (m_ownerDraw) {
        m_tracking = FALSE;
        if (m_state != kDisabled)
            SetState(kNormal);
    }
    Default();
}

void CSpinButtonCtrlEx::OnMouseHover(UINT /*nFlags*/, CPoint /*point*/)
{
    m_hover = TRUE;
    Default();
}

}  // namespace entry
