#include "FrameGeometry.h"

#include <algorithm>

RECT CaptionButtonPlace(int id, int windowWidth)
{
    const int top = 10;
    const int bottom = 30;
    RECT place = {0, top, 0, bottom};
    switch (id)
    {
    case CAPTION_MINIMISE: place.left = windowWidth - 74; place.right = windowWidth - 54; break;
    case CAPTION_MAXIMISE: place.left = windowWidth - 52; place.right = windowWidth - 32; break;
    case CAPTION_CLOSE: place.left = windowWidth - 30; place.right = windowWidth - 10; break;
    case CAPTION_TRADE: place.left = 50; place.right = 103; break;
    case CAPTION_CONSOLE: place.left = 113; place.right = 166; break;
    case CAPTION_RISK: place.left = 176; place.right = 241; break;
    default: break;
    }
    return place;
}

LRESULT CaptionHitCode(int buttonId, bool inIcon, LRESULT defaultCode)
{
    switch (buttonId)
    {
    case CAPTION_CLOSE: return HTCLOSE;
    case CAPTION_MAXIMISE: return HTMAXBUTTON;
    case CAPTION_MINIMISE: return HTMINBUTTON;
    default: break;
    }
    return inIcon ? HTSYSMENU : defaultCode;
}

void ShrinkForFrame(RECT& proposed, const FrameMetrics& metrics)
{
    proposed.top += metrics.captionHeight;
    proposed.left += metrics.borderWidth;
    proposed.right -= metrics.borderWidth;
    proposed.bottom -= metrics.borderWidth;
}

std::vector<SkinPiece> FrameSkinPieces(int W, int H, int iw, int ih, const FrameMetrics& metrics)
{
    const int c = metrics.captionHeight;
    const int b = metrics.borderWidth;
    // The caption's two ends keep the skin's own 50 pixels; the middle is stretched.
    const int end = 50;
    return {
        {0, H - b, W, b, c, ih - b, b, b},                 // bottom edge
        {W - c, H - c, c, c, iw - c, ih - c, c, c},        // bottom-right corner
        {0, H - c, c, c, 0, ih - c, c, c},                 // bottom-left corner
        {0, c, b, H - 2 * c, 0, c, b, b},                  // left edge
        {W - b, c, b, H - 2 * c, iw - b, c, b, b},         // right edge
        {0, 0, W, c, end, 0, 5, c},                        // caption middle
        {0, 0, end, c, 0, 0, end, c},                      // caption left end
        {W - end, 0, end, c, iw - end, 0, end, c},         // caption right end
    };
}

int InitialSplit(int clientHeight)
{
    return clientHeight >= 480 ? clientHeight - 380 : kMinimumSplit;
}

PanelLayout ComputePanelLayout(int width, int height, int split, int tradePanelState)
{
    PanelLayout layout;
    const int fullQuoteHeight = height - kToolbarHeight - kStatusBarHeight;
    layout.quoteArea.x = kQuoteAreaLeft;
    layout.quoteArea.y = kToolbarHeight;
    layout.quoteArea.width = width - kQuoteAreaLeft;
    layout.quoteArea.height = tradePanelState == TRADE_PANEL_DOCKED
                                  ? std::min(split - kToolbarHeight, fullQuoteHeight)
                                  : fullQuoteHeight;
    if (tradePanelState == TRADE_PANEL_DOCKED)
    {
        const int panelTop = kToolbarHeight + layout.quoteArea.height;
        layout.tradePanelPlaced = true;
        layout.tradePanelArea.x = 0;
        layout.tradePanelArea.y = panelTop;
        layout.tradePanelArea.width = width;
        layout.tradePanelArea.height = height - panelTop - kStatusBarHeight;
    }
    layout.statusBar.x = 0;
    layout.statusBar.y = height - kStatusBarHeight;
    layout.statusBar.width = width;
    layout.statusBar.height = kStatusBarHeight;
    layout.statusPaneWidth = width / kStatusPaneCount;
    return layout;
}

int MenuItemStateFor(UINT itemState)
{
    if (itemState & ODS_HOTLIGHT)
        return 1;
    if (itemState & ODS_SELECTED)
        return 2;
    return 0;
}

RECT FloatingPanelPlace(const RECT& mainClientOnScreen, int panelHeight)
{
    RECT place;
    place.left = mainClientOnScreen.left;
    place.right = mainClientOnScreen.right;
    place.top = mainClientOnScreen.bottom - 100 - panelHeight;
    place.bottom = place.top + panelHeight;
    return place;
}
