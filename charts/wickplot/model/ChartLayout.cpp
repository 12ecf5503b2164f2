#include "ChartLayout.h"

namespace
{
RECT Panel(int left, int top, int width, int height)
{
    // A window shorter than the fixed margins leaves a panel of no height, never a negative one.
    if (width < 0)
        width = 0;
    if (height < 0)
        height = 0;
    RECT rect = {left, top, left + width, top + height};
    return rect;
}
}

ChartLayout ChartLayout::Compute(int width, int height, int mode)
{
    ChartLayout layout;
    layout.nWidth = width;
    layout.nHeight = height;
    layout.nMode = mode;
    int plotWidth = width - 170;
    int P = height * 3 / 5;
    int V = P + (height - P) * 2 / 5;
    layout.nPriceEnd = P;
    layout.nVolumeEnd = V;
    layout.price = Panel(kPlotLeft, kPriceTop, plotWidth, P - 65);
    RECT none = {};
    layout.volume = layout.macd = none;
    switch (mode)
    {
    case kLayoutVolumeOnly:
        layout.volume = Panel(kPlotLeft, P + 25, plotWidth, height - P - 45);
        break;
    case kLayoutMacdOnly:
        layout.macd = Panel(kPlotLeft, P + 25, plotWidth, height - P - 45);
        break;
    default:
        layout.volume = Panel(kPlotLeft, P + 25, plotWidth, (height - P) * 2 / 5 - 25);
        layout.macd = Panel(kPlotLeft, V + 25, plotWidth, (height - V) - 45);
        break;
    }
    return layout;
}

int ChartLayout::AreaAt(int x, int y) const
{
    if (y < kTitleHeight || x < kAxisX)
        return -1;
    if (y >= nHeight - kTimeStrip)
        return 3;
    if (y < nPriceEnd)
        return 0;
    if (nMode == kLayoutVolumeOnly)
        return 1;
    if (nMode == kLayoutMacdOnly)
        return 2;
    return y < nVolumeEnd ? 1 : 2;
}
