#include "CaptionFrame.h"

#include "ImageCache.h"
#include "SkinResource.h"

#include <vector>

CCaptionFrame::CCaptionFrame(CWnd& owner) : m_owner(owner)
{
}

CCaptionFrame::~CCaptionFrame()
{
    // The cache's image of the skin is released with the cache; the bitmap is ours.
    if (m_hSkin != NULL)
        ::DeleteObject(m_hSkin);
}

void CCaptionFrame::SetSkin(UINT skinBitmapId, HICON icon)
{
    m_hIcon = icon;
    if (m_hSkin == NULL)
        m_hSkin = static_cast<HBITMAP>(::LoadImageA(::GetModuleHandleA(NULL), MAKEINTRESOURCEA(skinBitmapId),
                                                    IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    m_skin = m_hSkin != NULL ? CImageCache::Instance()->GetBitmap(m_hSkin) : nullptr;
    const int b = m_metrics.borderWidth;
    m_iconRect.left = b;
    m_iconRect.top = b - 2;
    m_iconRect.right = b + 30;
    m_iconRect.bottom = b + 30;
}

void CCaptionFrame::AddCaptionButton(const RECT& rect, Gdiplus::Image* image, int frameCount, int id, const char* text)
{
    CCaptionButton button;
    button.SetButton(text, rect, &m_owner, image, frameCount, static_cast<UINT>(id));
    m_buttons[id] = button;
}

void CCaptionFrame::AddStandardButtons()
{
    CImageCache* cache = CImageCache::Instance();
    CRect window;
    m_owner.GetWindowRect(&window);
    const int w = window.Width();
    // The strips hold normal, hover and pressed frames; UpdateWindowRegion places them.
    const RECT corner = {w - 35, 5, w - 15, 25};
    AddCaptionButton(corner, cache->GetImage(IDP_CAPTION_MINIMISE), 3, CAPTION_MINIMISE, nullptr);
    AddCaptionButton(corner, cache->GetImage(IDP_CAPTION_MAXIMISE), 3, CAPTION_MAXIMISE, nullptr);
    AddCaptionButton(corner, cache->GetImage(IDP_CAPTION_CLOSE), 3, CAPTION_CLOSE, nullptr);
    AddCaptionButton(CaptionButtonPlace(CAPTION_TRADE, w), cache->GetImage(IDP_CAPTION_TRADE), 3, CAPTION_TRADE, "  交易");
    AddCaptionButton(CaptionButtonPlace(CAPTION_CONSOLE, w), cache->GetImage(IDP_CAPTION_CONSOLE), 3, CAPTION_CONSOLE,
                     "  补单");
    AddCaptionButton(CaptionButtonPlace(CAPTION_RISK, w), cache->GetImage(IDP_CAPTION_RISK), 3, CAPTION_RISK, "风险设置");
}

int CCaptionFrame::HitTestCaptionButton(int x, int y, RECT* out) const
{
    const POINT point = {x, y};
    for (const auto& entry : m_buttons)
    {
        if (::PtInRect(&entry.second.m_rect, point))
        {
            if (out != nullptr)
                *out = entry.second.m_rect;
            return entry.first;
        }
    }
    return -1;
}

const CCaptionButton* CCaptionFrame::Button(int id) const
{
    auto found = m_buttons.find(id);
    return found == m_buttons.end() ? nullptr : &found->second;
}

void CCaptionFrame::EnableCaptionButton(int id, bool enabled)
{
    auto found = m_buttons.find(id);
    if (found == m_buttons.end())
        return;
    found->second.m_disabled = enabled ? 0 : 1;
    RepaintButton(id);
}

void CCaptionFrame::UpdateWindowRegion(UINT sizeType)
{
    CRect window;
    m_owner.GetWindowRect(&window);
    if (sizeType != SIZE_MINIMIZED && sizeType != SIZE_MAXHIDE)
    {
        HRGN region = ::CreateRoundRectRgn(0, 0, window.Width() + 1, window.Height() + 1, 5, 5);
        // Once the window takes the region the system owns it: we never delete it, not even
        // when the next size replaces it (the system frees the old one itself).
        if (region != NULL && ::SetWindowRgn(m_owner.m_hWnd, region, TRUE) == 0)
            ::DeleteObject(region);
    }
    for (auto& entry : m_buttons)
    {
        if (entry.first <= CAPTION_RISK)
            entry.second.MoveButton(CaptionButtonPlace(entry.first, window.Width()));
    }
}

void CCaptionFrame::NcCalcSize(BOOL calcValidRects, NCCALCSIZE_PARAMS* params) const
{
    if (calcValidRects && params != nullptr)
        ShrinkForFrame(params->rgrc[0], m_metrics);
}

CPoint CCaptionFrame::ToWindow(CPoint screenPoint) const
{
    CRect window;
    m_owner.GetWindowRect(&window);
    return CPoint(screenPoint.x - window.left, screenPoint.y - window.top);
}

bool CCaptionFrame::InIcon(CPoint windowPoint) const
{
    return ::PtInRect(&m_iconRect, windowPoint) != FALSE;
}

LRESULT CCaptionFrame::NcHitTest(CPoint screenPoint, LRESULT defaultCode) const
{
    const CPoint point = ToWindow(screenPoint);
    return CaptionHitCode(HitTestCaptionButton(point.x, point.y, nullptr), InIcon(point), defaultCode);
}

bool CCaptionFrame::IsSizingOrCaption(UINT hitCode)
{
    return (hitCode >= HTLEFT && hitCode <= HTBOTTOMRIGHT) || hitCode == HTCAPTION;
}

void CCaptionFrame::RepaintButton(int id)
{
    auto found = m_buttons.find(id);
    if (found != m_buttons.end() && m_owner.m_hWnd != NULL)
        m_owner.InvalidateRect(&found->second.m_rect, TRUE);
}

void CCaptionFrame::SetHot(int id, bool hot)
{
    auto found = m_buttons.find(id);
    if (found == m_buttons.end())
        return;
    CCaptionButton& button = found->second;
    if (!button.m_disabled)
    {
        button.m_hover = hot ? 1 : 0;
        if (!hot)
            button.m_pressed = 0;
    }
    RepaintButton(id);
}

void CCaptionFrame::NcMouseMove(UINT hitCode, CPoint screenPoint, const std::function<void()>& runDefault)
{
    if (!m_tracking)
    {
        // Leave and hover of the non-client area: without TME_LEAVE no WM_NCMOUSELEAVE comes
        // and a hot button would stay lit after the mouse has gone.
        TRACKMOUSEEVENT track = {sizeof(track)};
        track.dwFlags = TME_NONCLIENT | TME_LEAVE | TME_HOVER;
        track.hwndTrack = m_owner.m_hWnd;
        track.dwHoverTime = 1;
        m_tracking = ::TrackMouseEvent(&track) ? 1 : 0;
    }
    if (IsSizingOrCaption(hitCode))
        runDefault();
    const CPoint point = ToWindow(screenPoint);
    const int id = HitTestCaptionButton(point.x, point.y, nullptr);
    bool repaint = false;
    if (id != m_hotButton)
    {
        if (m_hotButton != -1)
            SetHot(m_hotButton, false);
        m_hotButton = id;
        if (id != -1)
            SetHot(id, true);
        repaint = true;
    }
    const int item = m_menuBar.HitTest(point.x, point.y);
    if (m_menuBar.State(item) != 2)
    {
        bool changed = m_menuBar.ClearStates();
        changed = m_menuBar.SetState(item, 1) || changed;
        repaint = repaint || changed;
    }
    if (repaint)
        Paint();
}

void CCaptionFrame::NcLButtonDown(UINT hitCode, CPoint screenPoint, const std::function<void()>& runDefault)
{
    const CPoint point = ToWindow(screenPoint);
    const int id = HitTestCaptionButton(point.x, point.y, nullptr);
    if (id != -1)
    {
        CCaptionButton& button = m_buttons[id];
        if (!button.m_disabled)
            button.m_pressed = 1;
        RepaintButton(id);
        Paint();
        return;
    }
    const int item = m_menuBar.HitTest(point.x, point.y);
    if (item != FrameMenuBar::ITEM_NONE)
    {
        m_menuBar.ClearStates();
        m_menuBar.SetState(item, 2);
        Paint();
        return;
    }
    const bool systemButton = hitCode == HTCLOSE || hitCode == HTMAXBUTTON || hitCode == HTMINBUTTON;
    if (InIcon(point))
    {
        if (!systemButton)
            runDefault();
        return;
    }
    if (IsSizingOrCaption(hitCode))
    {
        runDefault();
        Paint();
    }
    else if (!systemButton)
        runDefault();
}

void CCaptionFrame::NcLButtonUp(UINT hitCode, CPoint screenPoint, const std::function<void()>& runDefault)
{
    (void)hitCode;
    const CPoint point = ToWindow(screenPoint);
    const int id = HitTestCaptionButton(point.x, point.y, nullptr);
    switch (id)
    {
    case -1:
        runDefault();
        return;
    case CAPTION_CLOSE:
        m_owner.SendMessage(WM_SYSCOMMAND, SC_CLOSE, 0);
        return;
    case CAPTION_MAXIMISE:
        m_owner.SendMessage(WM_SYSCOMMAND, m_owner.IsZoomed() ? SC_RESTORE : SC_MAXIMIZE, 0);
        return;
    case CAPTION_MINIMISE:
        m_owner.SendMessage(WM_SYSCOMMAND, SC_MINIMIZE, 0);
        return;
    default:
        m_buttons[id].LButtonUp();
        Paint();
        return;
    }
}

void CCaptionFrame::NcMouseHover()
{
    m_hover = 1;
}

void CCaptionFrame::NcMouseLeave()
{
    m_tracking = 0;
    m_hover = 0;
    if (m_hotButton != -1)
        SetHot(m_hotButton, false);
    m_hotButton = -1;
    m_menuBar.ClearStates();
    Paint();
}

void CCaptionFrame::DrawTitle(Gdiplus::Graphics& graphics, HDC windowDC, int width) const
{
    const int length = m_owner.GetWindowTextLength();
    if (length <= 0)
        return;
    CString title;
    m_owner.GetWindowText(title);
    TEXTMETRICA metrics = {};
    ::GetTextMetricsA(windowDC, &metrics);
    const float x = (width - title.GetLength() * metrics.tmAveCharWidth) * 0.5f;
    const float y = (m_metrics.captionHeight - metrics.tmHeight) * 0.5f;
    const int wideLength = ::MultiByteToWideChar(CP_ACP, 0, title, -1, NULL, 0);
    std::vector<WCHAR> wide(wideLength > 0 ? wideLength : 1);
    ::MultiByteToWideChar(CP_ACP, 0, title, -1, wide.data(), wideLength);
    Gdiplus::Font font(L"宋体", 14.0f, Gdiplus::FontStyleRegular, Gdiplus::UnitPixel);
    Gdiplus::SolidBrush brush(Gdiplus::Color(0xFF000000));
    Gdiplus::StringFormat format;
    format.SetFormatFlags(Gdiplus::StringFormatFlagsNoWrap);
    format.SetAlignment(Gdiplus::StringAlignmentNear);
    graphics.DrawString(wide.data(), -1, &font, Gdiplus::PointF(x, y), &format, &brush);
}

void CCaptionFrame::Paint()
{
    if (m_skin == nullptr || m_owner.m_hWnd == NULL)
        return;
    CRect window;
    m_owner.GetWindowRect(&window);
    const int W = window.Width();
    const int H = window.Height();
    if (W <= 0 || H <= 0)
        return;
    HDC windowDC = ::GetWindowDC(m_owner.m_hWnd);
    if (windowDC == NULL)
        return;
    CRect client;
    m_owner.GetClientRect(&client);
    client.OffsetRect(m_metrics.borderWidth, m_metrics.captionHeight);
    ::ExcludeClipRect(windowDC, client.left, client.top, client.right, client.bottom);

    HDC memoryDC = ::CreateCompatibleDC(windowDC);
    HBITMAP picture = ::CreateCompatibleBitmap(windowDC, W, H);
    HGDIOBJ oldPicture = ::SelectObject(memoryDC, picture);
    ::SetBkMode(memoryDC, TRANSPARENT);
    {
        Gdiplus::Graphics graphics(memoryDC);
        graphics.SetInterpolationMode(Gdiplus::InterpolationModeNearestNeighbor);
        graphics.SetPixelOffsetMode(Gdiplus::PixelOffsetModeHalf);
        const int iw = static_cast<int>(m_skin->GetWidth());
        const int ih = static_cast<int>(m_skin->GetHeight());
        for (const SkinPiece& piece : FrameSkinPieces(W, H, iw, ih, m_metrics))
            graphics.DrawImage(m_skin, Gdiplus::Rect(piece.destX, piece.destY, piece.destWidth, piece.destHeight),
                               piece.srcX, piece.srcY, piece.srcWidth, piece.srcHeight, Gdiplus::UnitPixel);
        graphics.Flush();
        if (m_hIcon != NULL)
            ::DrawIconEx(memoryDC, m_metrics.borderWidth, m_metrics.borderWidth - 2, m_hIcon, 30, 30, 0, NULL, DI_NORMAL);
        DrawTitle(graphics, windowDC, W);
        RECT clip = {};
        const bool clipEmpty = ::GetClipBox(windowDC, &clip) == NULLREGION;
        for (auto& entry : m_buttons)
        {
            RECT overlap;
            if (clipEmpty || ::IntersectRect(&overlap, &clip, &entry.second.m_rect))
                entry.second.Draw(graphics);
        }
        graphics.Flush();
    }
    m_menuBar.Draw(memoryDC);
    ::BitBlt(windowDC, 0, 0, W, H, memoryDC, 0, 0, SRCCOPY);
    ::SelectObject(memoryDC, oldPicture);
    ::DeleteObject(picture);
    ::DeleteDC(memoryDC);
    ::SelectClipRgn(windowDC, NULL);
    ::ReleaseDC(m_owner.m_hWnd, windowDC);
    m_windowRect = window;
}
