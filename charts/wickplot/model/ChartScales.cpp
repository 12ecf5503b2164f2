#include "ChartScales.h"
#include <math.h>

double VolumeAxisTop(double highestVolume, int panelHeight)
{
    if (highestVolume <= 0)
        return highestVolume;
    int divisions = panelHeight >= 220 ? 5 : panelHeight >= 120 ? 3 : panelHeight >= 40 ? 2 : 1;
    double per = highestVolume / divisions;
    long long whole = (long long)per;
    int digits = 1;
    for (long long rest = whole / 10; rest > 0; rest /= 10)
        ++digits;
    if (digits > 2)
    {
        double unit = pow(10.0, digits - 2);
        return divisions * ((long long)(per / unit) / 5 + 1) * unit * 5;
    }
    double unit = pow(10.0, digits - 1);
    return divisions * ((long long)(per / unit) + 1) * unit;
}

PriceExtremes ComputePriceExtremes(const ChartBarList& bars, const ChartVolumeList& volumes,
                                   int first, int end, int decimals)
{
    PriceExtremes extremes;
    if (first < 0)
        first = 0;
    if (end > (int)bars.size())
        end = (int)bars.size();
    if (first >= end)
        return extremes;
    extremes.dTop = extremes.dHighest = bars[first]->dHigh;
    extremes.dBottom = extremes.dLowest = bars[first]->dLow;
    for (int i = first; i < end; ++i)
    {
        const ChartBarRecord& bar = *bars[i];
        extremes.dHighest = fmax(extremes.dHighest, bar.dHigh);
        extremes.dLowest = fmin(extremes.dLowest, bar.dLow);
        extremes.dTop = fmax(extremes.dTop, bar.dHigh);
        extremes.dBottom = fmin(extremes.dBottom, bar.dLow);
        for (double average : bar.averages)
        {
            extremes.dTop = fmax(extremes.dTop, average);
            extremes.dBottom = fmin(extremes.dBottom, average);
        }
        extremes.dHighestVolume = fmax(extremes.dHighestVolume, volumes[i]->dVolume);
    }
    double tolerance = pow(0.1, decimals + 1);
    for (int i = first; i < end && (extremes.nHighestBar < 0 || extremes.nLowestBar < 0); ++i)
    {
        if (extremes.nHighestBar < 0 && fabs(bars[i]->dHigh - extremes.dHighest) < tolerance)
            extremes.nHighestBar = i;
        if (extremes.nLowestBar < 0 && fabs(bars[i]->dLow - extremes.dLowest) < tolerance)
            extremes.nLowestBar = i;
    }
    return extremes;
}

void CMacdScale::Compute(const ChartMacdList& macds, int first, int end)
{
    m_dTop = m_dBottom = 0.0;
    if (first < 0)
        first = 0;
    if (end > (int)macds.size())
        end = (int)macds.size();
    for (int i = first; i < end; ++i)
        for (double value : {macds[i]->dDiff, macds[i]->dDea, macds[i]->dMacd})
        {
            m_dTop = fmax(m_dTop, value);
            m_dBottom = fmin(m_dBottom, value);
        }
}

int CMacdScale::ZeroY(int height) const
{
    if (m_dTop == m_dBottom)
        return height / 2;
    return (int)(height * m_dTop / (m_dTop - m_dBottom));
}

int CMacdScale::ValueY(double value, int height) const
{
    int zero = ZeroY(height);
    // A side without values has no extent: its only value is 0, on the zero line.
    if (value >= 0)
        return m_dTop > 0 ? (int)((m_dTop - value) / m_dTop * zero) : zero;
    return m_dBottom < 0 ? (int)(zero + value / m_dBottom * (height - zero)) : zero;
}
