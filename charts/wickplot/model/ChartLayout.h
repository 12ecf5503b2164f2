// Where the three panels of the candlestick chart lie in a client area of W by H pixels.
#pragma once
#include <afx.h>

enum ChartLayoutMode
{
    kLayoutAllPanels = 0,   // price, volume and MACD
    kLayoutVolumeOnly = 1,
    kLayoutMacdOnly = 2
};

struct ChartLayout
{
    enum
    {
        kPlotLeft = 85,       // left margin of every panel
        kAxisX = 80,          // the vertical frame line; the info box lies left of it
        kTitleHeight = 20,
        kTimeStrip = 20,      // the time-axis strip at the bottom
        kPriceTop = 45
    };

    int nWidth = 0;
    int nHeight = 0;
    int nMode = kLayoutAllPanels;
    int nPriceEnd = 0;        // P: where the price area ends
    int nVolumeEnd = 0;       // V: where the volume area ends (mode 0)
    RECT price = {};
    RECT volume = {};         // empty when not shown
    RECT macd = {};           // empty when not shown

    static ChartLayout Compute(int width, int height, int mode);

    bool ShowsVolume() const { return volume.bottom > volume.top; }
    bool ShowsMacd() const { return macd.bottom > macd.top; }
    int PlotWidth() const { return price.right - price.left; }

    // -1 outside the panels (title bar, left axis), 0 price, 1 volume, 2 MACD, 3 time strip.
    int AreaAt(int x, int y) const;
};
