// The arithmetic of the main window's self-drawn frame and of its client layout: where the
// caption buttons sit, which hit-test code a point gives, how the client rectangle shrinks
// for the drawn frame, which pieces of the skin image go where, and how the client area is
// stacked (toolbar, quote area, docked trade panel, status bar). Plain values, no window.
#pragma once

#include <winsock2.h>
#include <windows.h>

#include <vector>

// Ids of the caption buttons; 0 to 2 answer the hit test as the system's own buttons, 3 to 5
// post WM_COMMAND with their id.
enum CaptionButtonId
{
    CAPTION_CLOSE = 0,
    CAPTION_MAXIMISE = 1,
    CAPTION_MINIMISE = 2,
    CAPTION_TRADE = 3,
    CAPTION_CONSOLE = 4,
    CAPTION_RISK = 5,
};

// Trade panel states.
enum TradePanelState
{
    TRADE_PANEL_HIDDEN = -1,
    TRADE_PANEL_FLOATING = 0,
    TRADE_PANEL_DOCKED = 1,
};

struct FrameMetrics
{
    int captionHeight = 38;
    int borderWidth = 8;
};

// A rectangle kept as origin and size, as the layout stores its areas.
struct LayoutArea
{
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;

    RECT ToRect() const { RECT r = {x, y, x + width, y + height}; return r; }
};

const int kToolbarHeight = 25;
const int kStatusBarHeight = 25;
const int kStatusPaneCount = 6;
const int kQuoteAreaLeft = 20;
const int kMinimumSplit = 100;

// The place of a caption button in window coordinates for a window `windowWidth` wide.
RECT CaptionButtonPlace(int id, int windowWidth);

// The hit-test answer over the caption: `buttonId` is the caption button under the point
// (-1 none), `inIcon` whether the point lies in the caption icon. The system buttons answer
// their own codes, the icon answers HTSYSMENU, everything else `defaultCode`.
LRESULT CaptionHitCode(int buttonId, bool inIcon, LRESULT defaultCode);

// The client rectangle proposed by WM_NCCALCSIZE, less the drawn caption and borders.
void ShrinkForFrame(RECT& proposed, const FrameMetrics& metrics);

// One piece of the frame skin: a source rectangle of the skin image drawn into a destination
// rectangle of the window (x, y, width, height each).
struct SkinPiece
{
    int destX, destY, destWidth, destHeight;
    int srcX, srcY, srcWidth, srcHeight;
};

// The pieces of the frame in drawing order for a window W x H and a skin image iw x ih.
std::vector<SkinPiece> FrameSkinPieces(int windowWidth, int windowHeight, int imageWidth, int imageHeight,
                                       const FrameMetrics& metrics);

// The first split of a client area `clientHeight` high.
int InitialSplit(int clientHeight);

// The placement of the client area for a size, split and trade panel state.
struct PanelLayout
{
    LayoutArea quoteArea;
    bool tradePanelPlaced = false;  // docked: the trade panel area below is used
    LayoutArea tradePanelArea;
    LayoutArea statusBar;
    int statusPaneWidth = 0;
};

PanelLayout ComputePanelLayout(int width, int height, int split, int tradePanelState);


// The state of an owner-drawn menu item for the menu bar: 1 hot, 2 selected, else 0.
int MenuItemStateFor(UINT itemState);

// Window coordinates of a floating trade panel: left at the main client area's left edge
// (screen), as wide as that area, its own height, its top 100 pixels plus its height above
// the main client area's bottom.
RECT FloatingPanelPlace(const RECT& mainClientOnScreen, int panelHeight);
