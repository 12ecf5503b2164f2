#include "ChartNavigation.h"
#include "ChartLayout.h"

namespace
{
int Clamp(int value, int low, int high)
{
    return value < low ? low : value > high ? high : value;
}

int HalfPage(const ChartView& view)
{
    int half = (view.nEnd - view.nFirst) / 2;
    return half < ChartView::kFewBars ? ChartView::kFewBars : half;
}

void CursorLeft(ChartView& view, NavigationResult& result)
{
    int cursor = view.nCursor - 1;
    if (cursor > view.nEnd - 1)
        cursor = view.nEnd - 1;
    if (cursor < view.nFirst)
    {
        if (view.nFirst == 0)
        {
            view.nCursor = 0;
            return;
        }
        --view.nFirst;
        --view.nEnd;
        cursor = view.nFirst;
    }
    view.nCursor = cursor;
    result.bCursorMoved = result.bRedraw = true;
}

void CursorRight(ChartView& view, NavigationResult& result)
{
    int cursor = view.nCursor + 1;
    if (cursor < view.nFirst)
        cursor = view.nFirst;
    if (cursor >= view.nEnd)
    {
        if (view.nEnd < view.nCount)
        {
            ++view.nEnd;
            ++view.nFirst;
        }
        cursor = view.nEnd - 1;
    }
    view.nCursor = cursor;
    result.bCursorMoved = result.bRedraw = true;
}

void ZoomIn(ChartView& view, int step)
{
    if (view.nEnd == view.nCount && view.nZoomExtension == 0)
    {
        view.nFirst += step;
        if (view.nEnd - view.nFirst < ChartView::kFewBars + 1)
            view.nFirst = view.nCount - ChartView::kFewBars;
    }
    else if (view.nZoomExtension > 0)
    {
        view.nZoomExtension -= ChartView::kZoomStep;
        if (view.nZoomExtension < 0)
            view.nZoomExtension = 0;
        return;
    }
    else
    {
        view.nFirst += step;
        if (view.nEnd - view.nFirst < ChartView::kFewBars)
            view.nFirst = view.nEnd - ChartView::kFewBars;
    }
    if (view.nFirst < 0)
        view.nFirst = 0;
}

// False when nothing changed.
bool ZoomOut(ChartView& view, int step, double pitch)
{
    if (pitch < 2.4)
        return false;
    if (view.nFirst == 0 && view.nEnd == view.nCount)
    {
        bool changed = view.nZoomExtension != 0;
        view.nZoomExtension = 0;
        return changed;
    }
    view.nFirst -= step;
    if (view.nFirst < 0)
    {
        view.nEnd += -view.nFirst;
        if (view.nEnd > view.nCount)
            view.nEnd = view.nCount;
        view.nFirst = 0;
    }
    return true;
}

// False when the oldest bar is already shown: the host is asked for older bars instead.
bool PageOlder(ChartView& view)
{
    int half = HalfPage(view);
    if (view.nFirst - half >= 0)
    {
        view.nFirst -= half;
        view.nEnd -= half;
        return true;
    }
    if (view.nFirst == 0)
        return false;
    // The page would pass the oldest bar: the view starts there and keeps its width.
    view.nEnd -= view.nFirst;
    view.nFirst = 0;
    return true;
}

// False when the newest bar is already shown.
bool PageNewer(ChartView& view)
{
    int half = HalfPage(view);
    int first = view.nFirst;
    view.nEnd += half;
    if (view.nEnd > view.nCount)
    {
        view.nFirst += half - (view.nEnd - view.nCount);
        view.nEnd = view.nCount;
    }
    else
        view.nFirst += half;
    if (view.nFirst < 0)
        view.nFirst = 0;
    return view.nFirst != first;
}
}

double ChartView::Pitch(int plotWidth) const
{
    if (nCount <= kFewBars)
        return kNaturalPitch;
    int renderWidth = Shown() * kNaturalPitch + nZoomExtension;
    if (renderWidth <= 0 || plotWidth <= 0)
        return kNaturalPitch;
    return (double)kNaturalPitch * plotWidth / renderWidth;
}

int ChartView::BarAt(int x, int plotWidth) const
{
    if (nEnd <= nFirst)
        return -1;
    int offset = (int)((x - ChartLayout::kPlotLeft) / Pitch(plotWidth));
    return Clamp(nFirst + offset, nFirst, nEnd - 1);
}

NavigationResult MoveView(ChartView& view, double pitch)
{
    NavigationResult result;
    if (view.nCount <= ChartView::kFewBars)
    {
        // All bars are shown: nothing can move. Scrolls towards newer bars are dropped;
        // the rest stays pending for a resize.
        if (view.nAction == kActionCursorRight || view.nAction == kActionPageOlder)
            view.nAction = kActionNone;
        return result;
    }
    int step = view.Step();
    int action = view.nAction;
    view.nAction = kActionNone;
    switch (action)
    {
    case kActionCursorLeft:
        CursorLeft(view, result);
        break;
    case kActionCursorRight:
        CursorRight(view, result);
        break;
    case kActionZoomIn:
        ZoomIn(view, step);
        result.bZoomed = result.bRedraw = true;
        break;
    case kActionZoomOut:
        result.bZoomed = result.bRedraw = ZoomOut(view, step, pitch);
        break;
    case kActionPageOlder:
        if (!PageOlder(view))
            result.bOlderWanted = true;
        else
            result.bRedraw = true;
        break;
    case kActionPageNewer:
        result.bRedraw = PageNewer(view);
        break;
    case kActionRedraw:
        result.bRedraw = true;
        break;
    default:
        break;
    }
    if (view.nCursor >= view.nEnd || view.nCursor < view.nFirst)
        view.nCursor = Clamp(view.nCursor, view.nFirst, view.nEnd - 1);
    return result;
}

void DragView(ChartView& view, int savedFirst, int savedEnd, int startX, int endX, double pitch)
{
    int shift = (int)((startX - endX) / pitch);
    view.nFirst = savedFirst;
    view.nEnd = savedEnd;
    if (shift >= 1)
    {
        view.nEnd = savedEnd + shift;
        if (view.nEnd > view.nCount)
        {
            view.nFirst = view.nCount + savedFirst - savedEnd;
            view.nEnd = view.nCount;
        }
        else
            view.nFirst = savedFirst + shift;
    }
    else if (savedFirst + shift >= 0)
    {
        view.nFirst += shift;
        view.nEnd += shift;
    }
    else
    {
        // Past the oldest bar: the view starts there and keeps its width.
        view.nFirst = 0;
        view.nEnd = savedEnd - savedFirst;
    }
    if (view.nFirst < 0)
        view.nFirst = 0;
    view.nAction = kActionRedraw;
}

bool ZoomToInterval(ChartView& view, int startX, int endX, double pitch)
{
    if (view.Shown() < ChartView::kFewBars || view.nCount <= 0)
        return false;
    // The on-screen pitch: the bars' drawn width would put the indexes off by the stretch.
    int a = view.nFirst + (int)((startX - ChartLayout::kPlotLeft) / pitch);
    int b = view.nFirst + (int)((endX - ChartLayout::kPlotLeft) / pitch);
    a = Clamp(a, 0, view.nCount - 1);
    b = Clamp(b, 0, view.nCount - 1);
    int first = a < b ? a : b;
    int end = (a < b ? b : a) + 1;
    if (end - first < ChartView::kFewBars)
    {
        end = first + ChartView::kFewBars;
        if (end > view.nCount)
        {
            end = view.nCount;
            first = end - ChartView::kFewBars;
        }
    }
    view.nFirst = first < 0 ? 0 : first;
    view.nEnd = end;
    view.nAction = kActionRedraw;
    return true;
}

void ApplyPendingOnResize(ChartView& view)
{
    int step = view.Step();
    int n = view.nCount;
    switch (view.nAction)
    {
    case kActionCursorLeft:
        if (view.nCursor - 1 < view.nFirst && view.nFirst > 0)
        {
            --view.nFirst;
            --view.nEnd;
        }
        view.nCursor = Clamp(view.nCursor - 1, view.nFirst, view.nEnd - 1);
        break;
    case kActionCursorRight:
        if (view.nCursor + 1 >= view.nEnd && view.nEnd < n)
        {
            ++view.nFirst;
            ++view.nEnd;
        }
        view.nCursor = Clamp(view.nCursor + 1, view.nFirst, view.nEnd - 1);
        break;
    case kActionZoomIn:
        if (view.nZoomExtension > 0)
            view.nZoomExtension = view.nZoomExtension > ChartView::kZoomStep
                                      ? view.nZoomExtension - ChartView::kZoomStep : 0;
        else
        {
            view.nFirst += step;
            if (view.nEnd - view.nFirst < ChartView::kFewBars)
                view.nFirst = view.nEnd - ChartView::kFewBars;
            if (view.nFirst < 0)
                view.nFirst = 0;
        }
        break;
    case kActionZoomOut:
        view.nEnd += step;
        if (view.nEnd > n)
        {
            view.nEnd = n;
            view.nFirst -= step;
            if (view.nFirst <= 0)
            {
                view.nFirst = 0;
                view.nZoomExtension += ChartView::kZoomStep;
                if (view.nZoomExtension > ChartView::kMaxZoomExtension)
                    view.nZoomExtension = ChartView::kMaxZoomExtension;
            }
            else
                view.nZoomExtension = 0;
        }
        break;
    case kActionPageOlder:
    {
        int shift = step < view.nFirst ? step : view.nFirst;
        view.nFirst -= shift;
        view.nEnd -= shift;
        break;
    }
    case kActionPageNewer:
    {
        int shift = step < n - view.nEnd ? step : n - view.nEnd;
        if (shift > 0)
        {
            view.nFirst += shift;
            view.nEnd += shift;
        }
        break;
    }
    default:
        break;
    }
    view.nAction = kActionNone;
}

int CrossPointY(double highest, double lowest, double close, int plotTop, int plotHeight)
{
    if (!(highest > lowest))
        return plotTop + plotHeight / 2;
    return plotTop + (int)(plotHeight * (highest - close) / (highest - lowest));
}
