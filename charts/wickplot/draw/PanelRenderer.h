// Draws the chart's three panels (candles with five averages, volume with two, MACD) for the
// shown range straight at the on-screen bar pitch, and keeps what the painter needs to label
// them: the price scale, the time-axis labels and the positions of the highest and lowest bar.
#pragma once
#include "PanelCanvas.h"

#include <BarSeries.h>
#include <ChartLayout.h>
#include <ChartNavigation.h>

#include <afx.h>
#include <vector>

namespace wickplot
{
const COLORREF kRiseCandle = RGB(255, 60, 57);
const COLORREF kFallCandle = RGB(0, 255, 255);
const COLORREF kFlatCandle = RGB(231, 231, 231);
const COLORREF kMarker = RGB(252, 252, 252);
extern const COLORREF kPriceAverageColours[kPriceAverageCount];
extern const COLORREF kVolumeAverageColours[kVolumeAverageCount];
const COLORREF kDiffColour = RGB(252, 252, 252);
const COLORREF kDeaColour = RGB(238, 238, 0);
}

// The vertical price scale of a panel of the given height: top - bottom spread over the
// height less 3 pixels; a range that looks flat at the chart's decimals puts every price
// at half the height.
struct PriceScale
{
    double dTop = 0.0;
    double dBottom = 0.0;
    bool bFlat = true;
    int nHeight = 0;

    static PriceScale Make(double top, double bottom, int height, int decimals);
    int YOf(double price) const;        // row in the panel, top-down
    double ValueAt(int y) const;        // price at a row of the panel
};

struct AxisLabel
{
    int x;          // client x of the bar
    int nIndex;     // the bar
    CString text;
};

struct SelectedLines
{
    bool bPrice = false;
    bool bVolume = false;
    bool bMacd = false;
};

class CPanelRenderer
{
public:
    // Renders every shown panel; a panel too small to draw into is left empty.
    void Render(HDC hCompatible, const CBarSeries& series, const ChartView& view,
                const ChartLayout& layout, int decimals, const SelectedLines& selected);
    void Free();

    CPanelCanvas price;
    CPanelCanvas volume;
    CPanelCanvas macd;

    PriceScale priceScale;
    double dHighestVolume = 0.0;
    std::vector<AxisLabel> labels;
    bool bMarkers = false;
    POINT highest = {};       // client point of the highest high
    POINT lowest = {};        // and of the lowest low

private:
    struct Geometry
    {
        int first;
        double pitch;
        double ratio;         // pitch / 22
        int body;             // bar width in pixels
        int XOf(int i) const { return (int)((i - first) * pitch); }
        int CentreOf(int i) const { return (int)((i - first) * pitch + 10 * ratio); }
    };

    void RenderPrice(const CBarSeries& series, const ChartView& view, const Geometry& g,
                     const ChartLayout& layout, bool selected);
    void RenderVolume(const CBarSeries& series, const ChartView& view, const Geometry& g,
                      bool selected);
    void RenderMacd(const CBarSeries& series, const ChartView& view, const Geometry& g,
                    bool selected);
    void Labels(const CBarSeries& series, const ChartView& view, const Geometry& g,
                const ChartLayout& layout);
};
