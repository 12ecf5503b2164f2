// The shown range of the candlestick chart and every way the user moves it: the pending
// navigation action (keys, zoom commands, title buttons), the drag along the time axis, the
// zoom into a selected interval and the actions that a resize applies. Window-free; the
// chart calls it under its chart lock.
#pragma once

enum NavigationAction
{
    kActionNone = -1,
    kActionCursorLeft = 1,
    kActionCursorRight = 2,
    kActionZoomIn = 3,
    kActionZoomOut = 4,
    kActionPageOlder = 5,
    kActionPageNewer = 6,
    kActionRedraw = 7
};

struct ChartView
{
    enum
    {
        kNaturalPitch = 22,      // pixels per bar when drawn unscaled
        kFewBars = 30,           // at most this many bars are always all shown
        kZoomStep = 1000,        // pixels of zoom extension per step
        kMaxZoomExtension = 5000
    };

    int nFirst = 0;              // first shown bar
    int nEnd = 0;                // one past the last shown bar
    int nCount = 0;              // bars loaded
    int nZoomExtension = 0;      // extra render width when the view is wider than the data
    int nAction = kActionNone;   // pending navigation action
    int nCursor = 0;             // the cross-hair's bar

    int Shown() const { return nEnd - nFirst; }
    int Step() const { return (nEnd - nFirst + 1) / 10; }
    // Pixels per bar on screen for a plot of this width (never 0).
    double Pitch(int plotWidth) const;
    // The bar under x (client coordinates), clamped into the view; -1 without bars.
    int BarAt(int x, int plotWidth) const;
};

struct NavigationResult
{
    bool bRedraw = false;        // the view changed: render again
    bool bOlderWanted = false;   // the oldest loaded bar is shown and older ones were asked for
    bool bCursorMoved = false;   // actions 1 and 2: the pointer follows the cross-hair bar
    bool bZoomed = false;        // actions 3 and 4
};

// Applies the pending action; pitch is the current on-screen pitch.
NavigationResult MoveView(ChartView& view, double pitch);

// Ends a drag along the time axis that started at startX with the view (savedFirst, savedEnd).
void DragView(ChartView& view, int savedFirst, int savedEnd, int startX, int endX, double pitch);

// Zooms into the bars between the two x positions (client coordinates), keeping at least 30
// bars. False when fewer than 30 bars are shown (nothing changes).
bool ZoomToInterval(ChartView& view, int startX, int endX, double pitch);

// A resize applies a still-pending action by its own, smaller steps.
void ApplyPendingOnResize(ChartView& view);

// The row of the price plot at which the pointer shows a bar's close while the cross-hair
// moves by key: the close's place between the highest and lowest shown price, or the plot's
// middle when the range is flat.
int CrossPointY(double highest, double lowest, double close, int plotTop, int plotHeight);
