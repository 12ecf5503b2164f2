#include "AxisLabels.h"
#include "ChartLayout.h"
#include "ChartNavigation.h"
#include <gtest/gtest.h>

namespace
{
ChartView View(int count, int first, int end, int zoom = 0, int cursor = 0, int action = kActionNone)
{
    ChartView view;
    view.nCount = count;
    view.nFirst = first;
    view.nEnd = end;
    view.nZoomExtension = zoom;
    view.nCursor = cursor;
    view.nAction = action;
    return view;
}

struct MoveCase
{
    const char* name;
    ChartView before;
    double pitch;
    int first, end, zoom, cursor, actionAfter;
    bool redraw, olderWanted;
};
}

TEST(ChartNavigation, MoveViewAppliesEachActionWithinTheData)
{
    const MoveCase cases[] = {
        {"few bars: zoom in waits", View(25, 0, 25, 0, 24, kActionZoomIn), 22, 0, 25, 0, 24, kActionZoomIn, false, false},
        {"few bars: cursor right dropped", View(25, 0, 25, 0, 24, kActionCursorRight), 22, 0, 25, 0, 24, kActionNone, false, false},
        {"few bars: page older dropped", View(25, 0, 25, 0, 24, kActionPageOlder), 22, 0, 25, 0, 24, kActionNone, false, false},
        {"zoom in at the newest bar", View(300, 100, 300, 0, 299, kActionZoomIn), 3, 120, 300, 0, 299, kActionNone, true, false},
        {"zoom in keeps 31 bars", View(300, 265, 300, 0, 299, kActionZoomIn), 20, 268, 300, 0, 299, kActionNone, true, false},
        {"zoom in to the newest 30", View(300, 268, 300, 0, 299, kActionZoomIn), 20, 270, 300, 0, 299, kActionNone, true, false},
        {"zoom in takes back extension", View(300, 0, 300, 2500, 299, kActionZoomIn), 2, 0, 300, 1500, 299, kActionNone, true, false},
        {"zoom in inside the data", View(300, 100, 200, 0, 150, kActionZoomIn), 6, 110, 200, 0, 150, kActionNone, true, false},
        {"zoom out stops below 2.4 px", View(300, 100, 300, 0, 299, kActionZoomOut), 2.3, 100, 300, 0, 299, kActionNone, false, false},
        {"zoom out with all shown drops extension", View(300, 0, 300, 2000, 299, kActionZoomOut), 3, 0, 300, 0, 299, kActionNone, true, false},
        {"zoom out past bar 0 widens the end", View(300, 10, 200, 0, 150, kActionZoomOut), 3, 0, 209, 0, 150, kActionNone, true, false},
        {"page older by half", View(300, 100, 300, 0, 299, kActionPageOlder), 3, 0, 200, 0, 199, kActionNone, true, false},
        {"page older at bar 0 asks the host", View(300, 0, 200, 0, 199, kActionPageOlder), 3, 0, 200, 0, 199, kActionNone, false, true},
        {"page older stops at bar 0", View(300, 20, 300, 0, 299, kActionPageOlder), 3, 0, 280, 0, 279, kActionNone, true, false},
        {"page newer by half", View(300, 0, 100, 0, 50, kActionPageNewer), 6, 50, 150, 0, 50, kActionNone, true, false},
        {"page newer stops at the newest", View(300, 100, 280, 0, 200, kActionPageNewer), 3, 120, 300, 0, 200, kActionNone, true, false},
        {"cursor left at bar 0 stays", View(300, 0, 100, 0, 0, kActionCursorLeft), 6, 0, 100, 0, 0, kActionNone, false, false},
        {"cursor left scrolls at the edge", View(300, 10, 110, 0, 10, kActionCursorLeft), 6, 9, 109, 0, 9, kActionNone, true, false},
        {"cursor right scrolls at the edge", View(300, 100, 200, 0, 199, kActionCursorRight), 6, 101, 201, 0, 200, kActionNone, true, false},
    };
    for (const MoveCase& c : cases)
    {
        ChartView view = c.before;
        NavigationResult result = MoveView(view, c.pitch);
        EXPECT_EQ(view.nFirst, c.first) << c.name;
        EXPECT_EQ(view.nEnd, c.end) << c.name;
        EXPECT_EQ(view.nZoomExtension, c.zoom) << c.name;
        EXPECT_EQ(view.nCursor, c.cursor) << c.name;
        EXPECT_EQ(view.nAction, c.actionAfter) << c.name;
        EXPECT_EQ(result.bRedraw, c.redraw) << c.name;
        EXPECT_EQ(result.bOlderWanted, c.olderWanted) << c.name;
    }
}

TEST(ChartNavigation, DragMovesWholeBarsAndStaysInsideTheData)
{
    struct Case
    {
        int startX, endX, first, end;
    } cases[] = {
        {500, 480, 102, 202},    // two pitches to the left: newer bars
        {500, 505, 100, 200},    // less than one pitch: nothing
        {500, 700, 80, 180},     // to the right: older bars
        {500, 2000, 0, 100},     // past the oldest bar: starts there, same width
        {500, -1500, 200, 300},  // past the newest bar: ends there, same width
    };
    for (const Case& c : cases)
    {
        ChartView view = View(300, 0, 300);
        DragView(view, 100, 200, c.startX, c.endX, 10.0);
        EXPECT_EQ(view.nFirst, c.first) << c.endX;
        EXPECT_EQ(view.nEnd, c.end) << c.endX;
        EXPECT_EQ(view.nAction, kActionRedraw);
    }
}

TEST(ChartNavigation, IntervalZoomReadsBarsAtTheOnScreenPitch)
{
    // 200 bars on a 630-pixel plot: 3.15 pixels a bar, not the 20-pixel body of an unscaled bar.
    ChartView shown = View(400, 200, 400);
    double pitch = shown.Pitch(630);
    ASSERT_DOUBLE_EQ(pitch, 3.15);
    struct Case
    {
        int startX, endX, first, end;
    } cases[] = {
        {714, 400, 300, 400},   // the right half, dragged leftwards
        {85, 95, 200, 230},     // a short span grows to 30 bars towards newer ones
        {700, 714, 370, 400},   // or becomes the last 30 at the newest bar
    };
    for (const Case& c : cases)
    {
        ChartView view = shown;
        ASSERT_TRUE(ZoomToInterval(view, c.startX, c.endX, pitch));
        EXPECT_EQ(view.nFirst, c.first) << c.startX;
        EXPECT_EQ(view.nEnd, c.end) << c.startX;
    }
    ChartView few = View(400, 380, 400);
    EXPECT_FALSE(ZoomToInterval(few, 85, 400, 20));
    EXPECT_EQ(few.nFirst, 380);
}

TEST(ChartNavigation, PitchIsNaturalForFewBarsAndNeverDividesByZero)
{
    EXPECT_DOUBLE_EQ(View(25, 0, 25).Pitch(630), 22);
    EXPECT_DOUBLE_EQ(View(100, 40, 40).Pitch(630), 22);        // nothing shown
    EXPECT_DOUBLE_EQ(View(100, 0, 100, 1000).Pitch(630), 22 * 630 / 3200.0);
    EXPECT_EQ(View(100, 0, 0).BarAt(300, 630), -1);
    EXPECT_EQ(View(25, 0, 25).BarAt(85 + 22 * 3 + 5, 630), 3);
    EXPECT_EQ(View(25, 0, 25).BarAt(10, 630), 0);              // clamped into the view
}

TEST(ChartNavigation, CrossPointOfAFlatRangeIsThePlotMiddle)
{
    EXPECT_EQ(CrossPointY(10.0, 10.0, 10.0, 45, 295), 45 + 147);
    EXPECT_EQ(CrossPointY(12.0, 10.0, 12.0, 45, 200), 45);
    EXPECT_EQ(CrossPointY(12.0, 10.0, 11.0, 45, 200), 145);
}

TEST(ChartNavigation, ResizeAppliesAPendingActionBySmallSteps)
{
    ChartView zoomIn = View(25, 0, 25, 0, 24, kActionZoomIn);
    ApplyPendingOnResize(zoomIn);
    EXPECT_EQ(zoomIn.nFirst, 0);
    EXPECT_EQ(zoomIn.nAction, kActionNone);

    ChartView zoomOut = View(300, 10, 300, 0, 299, kActionZoomOut);   // step 29
    ApplyPendingOnResize(zoomOut);
    EXPECT_EQ(zoomOut.nFirst, 0);
    EXPECT_EQ(zoomOut.nEnd, 300);
    EXPECT_EQ(zoomOut.nZoomExtension, 1000);
}

TEST(ChartLayout, PanelsFollowTheClientSizeAndNeverGetNegativeHeights)
{
    ChartLayout all = ChartLayout::Compute(800, 600, kLayoutAllPanels);
    EXPECT_EQ(all.price.left, 85);
    EXPECT_EQ(all.price.top, 45);
    EXPECT_EQ(all.price.right, 715);
    EXPECT_EQ(all.price.bottom, 340);
    EXPECT_EQ(all.nPriceEnd, 360);
    EXPECT_EQ(all.nVolumeEnd, 456);
    EXPECT_EQ(all.volume.top, 385);
    EXPECT_EQ(all.volume.bottom, 456);
    EXPECT_EQ(all.macd.top, 481);
    EXPECT_EQ(all.macd.bottom, 580);
    EXPECT_EQ(all.AreaAt(100, 10), -1);
    EXPECT_EQ(all.AreaAt(70, 100), -1);
    EXPECT_EQ(all.AreaAt(100, 100), 0);
    EXPECT_EQ(all.AreaAt(100, 400), 1);
    EXPECT_EQ(all.AreaAt(100, 500), 2);
    EXPECT_EQ(all.AreaAt(100, 590), 3);

    ChartLayout volumeOnly = ChartLayout::Compute(800, 600, kLayoutVolumeOnly);
    EXPECT_FALSE(volumeOnly.ShowsMacd());
    EXPECT_EQ(volumeOnly.volume.bottom - volumeOnly.volume.top, 195);
    EXPECT_EQ(volumeOnly.AreaAt(100, 500), 1);

    ChartLayout tiny = ChartLayout::Compute(100, 60, kLayoutAllPanels);
    for (const RECT& panel : {tiny.price, tiny.volume, tiny.macd})
    {
        EXPECT_GE(panel.bottom, panel.top);
        EXPECT_GE(panel.right, panel.left);
    }
}

TEST(AxisLabels, DayMonthAndWeekdayTexts)
{
    struct Case
    {
        const char* time;
        const char* label;
    } days[] = {{"20260101", "202601"}, {"20260301", "03"}, {"20260302", ""}, {"2026/03/01", "03"}};
    for (const Case& c : days)
        EXPECT_EQ(DayAxisLabel(c.time), CString(c.label)) << c.time;

    EXPECT_EQ(IntradayAxisLabel("20260302 09:30:00", ""), CString("02"));
    EXPECT_EQ(IntradayAxisLabel("20260302 09:35:00", "02"), CString(""));
    EXPECT_EQ(IntradayAxisLabel("20260303 09:30:00", "02"), CString("03"));
    EXPECT_EQ(IntradayAxisLabel("0930", ""), CString(""));

    EXPECT_EQ(WeekdayText("20261210"), CString("四"));
    EXPECT_EQ(WeekdayText("20261213"), CString(""));   // Sunday
    EXPECT_EQ(WeekdayText("2026121"), CString(""));
}
