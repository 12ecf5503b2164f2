// One caption button of the main window's self-drawn frame (minimise, maximise, close and
// the text buttons): a rectangle with state flags, a horizontal strip of frames (one per
// state), an optional icon and a caption. The owner sets the flags from the mouse and
// calls Draw and LButtonUp; it is not a window.
#pragma once

#include <afxwin.h>

#include <gdiplus.h>

class CCaptionButton
{
public:
    CCaptionButton();
    virtual ~CCaptionButton();

    // The strip holds `frameCount` frames side by side; a count below 1 counts as 1.
    void SetButton(LPCTSTR caption, const RECT& rect, CWnd* owner, Gdiplus::Image* image,
                   int frameCount, UINT id);
    // Moves the icon by the same offset as the rectangle's top-left corner.
    void MoveButton(const RECT& rect);
    // A pressed, enabled button is released: checked flips, the owner repaints it and is
    // posted WM_COMMAND with the id.
    void LButtonUp();
    // The frame the button's state shows: 3 disabled, 2 pressed, 1 hovered, else 0, each
    // only when the strip has that many frames.
    int FrameIndex() const;
    virtual void Draw(Gdiplus::Graphics& graphics);

    RECT m_rect = {};
    int m_hover = 0;
    int m_pressed = 0;
    int m_disabled = 0;
    int m_checked = 0;
    Gdiplus::Image* m_image = nullptr;
    int m_frameCount = 1;
    Gdiplus::Image* m_icon = nullptr;
    int m_iconX = 0;
    int m_iconY = 0;
    UINT m_id = 0;
    CWnd* m_owner = nullptr;
    CString m_caption;
};
