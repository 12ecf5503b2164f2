#include "CaptionButton.h"

#include <vector>

CCaptionButton::CCaptionButton() = default;
CCaptionButton::~CCaptionButton() = default;

void CCaptionButton::SetButton(LPCTSTR caption, const RECT& rect, CWnd* owner,
                               Gdiplus::Image* image, int frameCount, UINT id)
{
    if (caption != nullptr)
        m_caption = caption;
    m_rect = rect;
    m_owner = owner;
    m_image = image;
    m_frameCount = frameCount < 1 ? 1 : frameCount;
    m_id = id;
}

void CCaptionButton::MoveButton(const RECT& rect)
{
    m_iconX += rect.left - m_rect.left;
    m_iconY += rect.top - m_rect.top;
    m_rect = rect;
}

void CCaptionButton::LButtonUp()
{
    if (m_disabled || !m_pressed)
        return;
    m_pressed = 0;
    m_checked = !m_checked;
    if (m_owner != nullptr && ::IsWindow(m_owner->m_hWnd)) {
        m_owner->InvalidateRect(&m_rect, TRUE);
        m_owner->PostMessage(WM_COMMAND, m_id, 0);
    }
}

int CCaptionButton::FrameIndex() const
{
    if (m_disabled && m_frameCount >= 4)
        return 3;
    if (m_pressed && m_frameCount >= 3)
        return 2;
    if (m_hover && m_frameCount >= 2)
        return 1;
    return 0;
}

void CCaptionButton::Draw(Gdiplus::Graphics& graphics)
{
    int width = m_rect.right - m_rect.left;
    int height = m_rect.bottom - m_rect.top;
    if (m_image != nullptr) {
        int frameWidth = static_cast<int>(m_image->GetWidth()) / (m_frameCount < 1 ? 1 : m_frameCount);
        Gdiplus::Rect target(m_rect.left, m_rect.top, width, height);
        graphics.DrawImage(m_image, target, frameWidth * FrameIndex(), 0, frameWidth,
                           static_cast<int>(m_image->GetHeight()), Gdiplus::UnitPixel);
    }
    Gdiplus::StringFormat format;
    Gdiplus::RectF textRect(static_cast<Gdiplus::REAL>(m_rect.left),
                            static_cast<Gdiplus::REAL>(m_rect.top + 2),
                            static_cast<Gdiplus::REAL>(width), static_cast<Gdiplus::REAL>(height));
    if (m_icon != nullptr) {
        graphics.DrawImage(m_icon, m_iconX, m_iconY);
        int iconWidth = static_cast<int>(m_icon->GetWidth());
        textRect.X = static_cast<Gdiplus::REAL>(m_iconX + iconWidth + 2);
        textRect.Width = static_cast<Gdiplus::REAL>(width - iconWidth - 2);
        format.SetFormatFlags(0x0002);
        format.SetAlignment(Gdiplus::StringAlignmentCenter);
        format.SetLineAlignment(Gdiplus::StringAlignmentNear);
    } else {
        format.SetAlignment(Gdiplus::StringAlignmentCenter);
        format.SetLineAlignment(Gdiplus::StringAlignmentCenter);
    }
    if (m_caption.IsEmpty())
        return;
    int length = ::MultiByteToWideChar(CP_ACP, 0, m_caption, -1, NULL, 0);
    std::vector<WCHAR> wide(length > 0 ? length : 1);
    ::MultiByteToWideChar(CP_ACP, 0, m_caption, -1, wide.data(), length);
    Gdiplus::Font font(L"宋体", 10, Gdiplus::FontStyleRegular, Gdiplus::UnitPoint);
    Gdiplus::SolidBrush brush(Gdiplus::Color(m_disabled ? 0xFF808080 : 0xFFD70404));
    graphics.DrawString(wide.data(), -1, &font, textRect, &format, &brush);
}
