#include "PanelRenderer.h"

#include <AxisLabels.h>
#include <DecimalText.h>

#include <stdlib.h>

using tolvan::charts::FormatDecimalText;

namespace wickplot
{
const COLORREF kPriceAverageColours[kPriceAverageCount] = {
    RGB(252, 252, 252), RGB(255, 255, 0), RGB(255, 0, 255), RGB(0, 255, 0), RGB(128, 128, 255)};
const COLORREF kVolumeAverageColours[kVolumeAverageCount] = {RGB(253, 253, 253),
                                                             RGB(237, 237, 0)};
}

using namespace wickplot;

namespace
{
// Below this a panel has no room for a scale (its height less 3 would be 0 or negative).
const int kSmallestPanel = 4;

CString DecimalsOf(double value, int decimals)
{
    CString text;
    text.Format("%f", value);
    return FormatDecimalText(text, decimals, true);
}

void Marker(CPanelCanvas& canvas, int x, int y)
{
    canvas.FillRect(x - 4, y - 4, x + 4, y + 4, kMarker);
}
}

PriceScale PriceScale::Make(double top, double bottom, int height, int decimals)
{
    PriceScale scale;
    scale.dTop = top;
    scale.dBottom = bottom;
    scale.nHeight = height;
    scale.bFlat = height < kSmallestPanel || DecimalsOf(top, decimals) == DecimalsOf(bottom, decimals);
    return scale;
}

int PriceScale::YOf(double price) const
{
    if (bFlat)
        return nHeight / 2;
    double perPixel = (dTop - dBottom) / (nHeight - 3);
    return nHeight - 1 - (int)((price - dBottom) / perPixel);
}

double PriceScale::ValueAt(int y) const
{
    if (bFlat)
        return (dTop + dBottom) / 2;
    double perPixel = (dTop - dBottom) / (nHeight - 3);
    return dBottom + (nHeight - 1 - y) * perPixel;
}

void CPanelRenderer::Free()
{
    price.Free();
    volume.Free();
    macd.Free();
    labels.clear();
    bMarkers = false;
}

void CPanelRenderer::Render(HDC hCompatible, const CBarSeries& series, const ChartView& view,
                            const ChartLayout& layout, int decimals, const SelectedLines& selected)
{
    Geometry g;
    g.first = view.nFirst;
    g.pitch = view.Pitch(layout.PlotWidth());
    g.ratio = g.pitch / ChartView::kNaturalPitch;
    g.body = (int)(20 * g.ratio);
    if (g.body < 1)
        g.body = 1;

    const PriceExtremes& extremes = series.Extremes();
    int priceHeight = layout.price.bottom - layout.price.top;
    priceScale = PriceScale::Make(extremes.dTop, extremes.dBottom, priceHeight, decimals);
    dHighestVolume = extremes.dHighestVolume;

    bool hasBars = view.nEnd > view.nFirst;
    if (priceHeight >= kSmallestPanel &&
        price.Reset(hCompatible, layout.PlotWidth(), priceHeight) && hasBars)
        RenderPrice(series, view, g, layout, selected.bPrice);
    else if (priceHeight < kSmallestPanel)
        price.Free();

    int volumeHeight = layout.volume.bottom - layout.volume.top;
    if (layout.ShowsVolume() && volumeHeight >= kSmallestPanel &&
        volume.Reset(hCompatible, layout.PlotWidth(), volumeHeight))
    {
        if (hasBars)
            RenderVolume(series, view, g, selected.bVolume);
    }
    else
        volume.Free();

    int macdHeight = layout.macd.bottom - layout.macd.top;
    if (layout.ShowsMacd() && macdHeight >= kSmallestPanel &&
        macd.Reset(hCompatible, layout.PlotWidth(), macdHeight))
    {
        if (hasBars)
            RenderMacd(series, view, g, selected.bMacd);
    }
    else
        macd.Free();

    Labels(series, view, g, layout);
}

void CPanelRenderer::RenderPrice(const CBarSeries& series, const ChartView& view,
                                 const Geometry& g, const ChartLayout& layout, bool selected)
{
    const ChartBarList& bars = series.Bars();
    const ChartMacdList& macds = series.Macds();
    const PriceScale& s = priceScale;
    for (int i = view.nFirst; i < view.nEnd; ++i)
    {
        const ChartBarRecord& bar = *bars[i];
        int x = g.XOf(i);
        int centre = g.CentreOf(i);
        double open = atof(bar.strOpen);
        double close = macds[i]->dClose;
        int yOpen = s.YOf(open), yClose = s.YOf(close);
        int yHigh = s.YOf(bar.dHigh), yLow = s.YOf(bar.dLow);
        switch (bar.nDirection)
        {
        case 1:   // rising: hollow red, close on top
            if (bar.dHigh > close)
                price.VLine(centre, yHigh, yClose, kRiseCandle);
            if (bar.dLow < open)
                price.VLine(centre, yOpen, yLow, kRiseCandle);
            price.FrameRect(x, yClose, x + g.body, yOpen + 1, kRiseCandle);
            break;
        case 2:   // falling: filled cyan, open on top
            if (bar.dHigh != open)
                price.VLine(centre, yHigh, yOpen, kFallCandle);
            if (bar.dLow != close)
                price.VLine(centre, yClose, yLow, kFallCandle);
            price.FillRect(x, yOpen, x + g.body, yClose + 1, kFallCandle);
            break;
        default:
            if (!s.bFlat)
                price.HLine(x, x + g.body - 1, yClose, kFlatCandle);
            break;
        }
    }
    for (int n = 0; n < kPriceAverageCount; ++n)
        for (int i = view.nFirst; i < view.nEnd; ++i)
        {
            int y = s.YOf(bars[i]->averages[n]);
            int x = g.CentreOf(i);
            if (i > view.nFirst)
                price.Line(g.CentreOf(i - 1), s.YOf(bars[i - 1]->averages[n]), x, y,
                           kPriceAverageColours[n]);
            if (selected && (i - view.nFirst) % 5 == 0)
                Marker(price, x, y);
        }

    const PriceExtremes& extremes = series.Extremes();
    bMarkers = extremes.nHighestBar >= 0 && extremes.nLowestBar >= 0;
    if (bMarkers)
    {
        highest.x = layout.price.left + g.CentreOf(extremes.nHighestBar);
        highest.y = layout.price.top + s.YOf(extremes.dHighest);
        lowest.x = layout.price.left + g.CentreOf(extremes.nLowestBar);
        lowest.y = layout.price.top + s.YOf(extremes.dLowest);
    }
}

void CPanelRenderer::RenderVolume(const CBarSeries& series, const ChartView& view,
                                  const Geometry& g, bool selected)
{
    if (dHighestVolume <= 0)
        return;
    const ChartVolumeList& volumes = series.Volumes();
    int h = volume.Height();
    auto yOf = [&](double value) { return h - 1 - (int)(value * (h - 1) / dHighestVolume); };
    for (int i = view.nFirst; i < view.nEnd; ++i)
    {
        int x = g.XOf(i);
        int y = yOf(volumes[i]->dVolume);
        if (volumes[i]->nDirection == 2)
            volume.FillRect(x, y, x + g.body, h, kFallCandle);
        else
            volume.FrameRect(x, y, x + g.body, h, kRiseCandle);
    }
    for (int n = 0; n < kVolumeAverageCount; ++n)
        for (int i = view.nFirst; i < view.nEnd; ++i)
        {
            int x = g.CentreOf(i);
            int y = yOf(volumes[i]->averages[n]);
            if (i > view.nFirst)
                volume.Line(g.CentreOf(i - 1), yOf(volumes[i - 1]->averages[n]), x, y,
                            kVolumeAverageColours[n]);
            if (selected && (i - view.nFirst) % 5 == 0)
                Marker(volume, x, y);
        }
}

void CPanelRenderer::RenderMacd(const CBarSeries& series, const ChartView& view,
                                const Geometry& g, bool selected)
{
    const ChartMacdList& macds = series.Macds();
    const CMacdScale& scale = series.MacdScale();
    int h = macd.Height();
    int zero = scale.ZeroY(h);
    for (int i = view.nFirst; i < view.nEnd; ++i)
    {
        double value = macds[i]->dMacd;
        macd.VLine(g.CentreOf(i), zero, scale.ValueY(value, h),
                   value >= 0 ? kRiseCandle : kFallCandle);
    }
    for (int i = view.nFirst; i < view.nEnd; ++i)
    {
        int x = g.CentreOf(i);
        int diff = scale.ValueY(macds[i]->dDiff, h);
        int dea = scale.ValueY(macds[i]->dDea, h);
        if (i > view.nFirst)
        {
            int px = g.CentreOf(i - 1);
            macd.Line(px, scale.ValueY(macds[i - 1]->dDiff, h), x, diff, kDiffColour);
            macd.Line(px, scale.ValueY(macds[i - 1]->dDea, h), x, dea, kDeaColour);
        }
        if (selected && (i - view.nFirst) % 5 == 0)
        {
            Marker(macd, x, diff);
            Marker(macd, x, dea);
        }
    }
}

void CPanelRenderer::Labels(const CBarSeries& series, const ChartView& view, const Geometry& g,
                            const ChartLayout& layout)
{
    labels.clear();
    int period = atoi(series.PeriodText());
    bool day = period == 0;
    bool intraday = period == 1 || period == 3 || period == 5 || period == 10 || period == 15 ||
                    period == 30 || period == 60 || period == 120;
    if (!day && !intraday)
        return;
    const ChartBarList& bars = series.Bars();
    for (int i = view.nFirst; i < view.nEnd; ++i)
    {
        CString text = day ? DayAxisLabel(bars[i]->strTime)
                           : IntradayAxisLabel(bars[i]->strTime,
                                               labels.empty() ? CString() : labels.back().text);
        if (!text.IsEmpty())
            labels.push_back(AxisLabel{layout.price.left + g.XOf(i), i, text});
    }
}
