// The main window's self-drawn caption and frame: the skin image cut into caption, borders
// and corners, the icon, the title, the caption buttons with their mouse states, the menu bar
// in the caption band, the rounded window region and the non-client hit test. The window's
// handlers forward to it; it paints and hit-tests through the window it was made for.
#pragma once

#include "CaptionButton.h"
#include "FrameGeometry.h"
#include "FrameMenuBar.h"

#include <afxwin.h>

#include <functional>
#include <map>

class CCaptionFrame
{
public:
    explicit CCaptionFrame(CWnd& owner);
    ~CCaptionFrame();
    CCaptionFrame(const CCaptionFrame&) = delete;
    CCaptionFrame& operator=(const CCaptionFrame&) = delete;

    // The skin (a bitmap resource of the program) and the icon; the images of the buttons
    // come from the image cache.
    void SetSkin(UINT skinBitmapId, HICON icon);
    void SetMetrics(const FrameMetrics& metrics) { m_metrics = metrics; }
    const FrameMetrics& Metrics() const { return m_metrics; }
    // A button of `frameCount` state frames, replacing an earlier one of the id.
    void AddCaptionButton(const RECT& rect, Gdiplus::Image* image, int frameCount, int id, const char* text);
    // The six buttons of the main window with the cache's images.
    void AddStandardButtons();
    FrameMenuBar& MenuBar() { return m_menuBar; }

    // The caption button holding the point (window coordinates), lowest id first; -1 none.
    int HitTestCaptionButton(int x, int y, RECT* out) const;
    const CCaptionButton* Button(int id) const;
    // A disabled button keeps its look whatever the mouse does (ids 0 to 2 still act).
    void EnableCaptionButton(int id, bool enabled);
    int HotButton() const { return m_hotButton; }
    bool IsTracking() const { return m_tracking != 0; }
    bool IsHovering() const { return m_hover != 0; }

    // Region and button places for a new size (WM_SIZE's type).
    void UpdateWindowRegion(UINT sizeType);
    void NcCalcSize(BOOL calcValidRects, NCCALCSIZE_PARAMS* params) const;
    LRESULT NcHitTest(CPoint screenPoint, LRESULT defaultCode) const;
    void Paint();

    // Mouse in the non-client area; `runDefault` is the window's default handling of the
    // message, called where the frame leaves the message to the system.
    void NcMouseMove(UINT hitCode, CPoint screenPoint, const std::function<void()>& runDefault);
    void NcLButtonDown(UINT hitCode, CPoint screenPoint, const std::function<void()>& runDefault);
    void NcLButtonUp(UINT hitCode, CPoint screenPoint, const std::function<void()>& runDefault);
    void NcMouseHover();
    void NcMouseLeave();

private:
    static bool IsSizingOrCaption(UINT hitCode);
    CPoint ToWindow(CPoint screenPoint) const;
    bool InIcon(CPoint windowPoint) const;
    void SetHot(int id, bool hot);
    void RepaintButton(int id);
    void DrawTitle(Gdiplus::Graphics& graphics, HDC windowDC, int width) const;

    CWnd& m_owner;
    FrameMetrics m_metrics;
    std::map<int, CCaptionButton> m_buttons;
    FrameMenuBar m_menuBar;
    HBITMAP m_hSkin = NULL;
    Gdiplus::Bitmap* m_skin = nullptr;  // the image cache's
    HICON m_hIcon = NULL;
    RECT m_iconRect = {8, 6, 38, 38};
    int m_hotButton = -1;
    int m_hover = 0;
    int m_tracking = 0;
    RECT m_windowRect = {};
};
