#include "ChartIndicators.h"

const int CChartIndicators::kPriceAveragePeriods[kPriceAverageCount] = {5, 10, 20, 40, 60};
const int CChartIndicators::kVolumeAveragePeriods[kVolumeAverageCount] = {5, 10};

namespace
{
// Mean of value(first) .. value(last), both included.
template <typename List, typename Value>
double MeanOf(const List& list, int first, int last, Value value)
{
    double sum = 0.0;
    for (int i = first; i <= last; ++i)
        sum += value(*list[i]);
    return sum / (last - first + 1);
}

int WindowStart(int i, int period)
{
    return i < period ? 0 : i - period + 1;
}
}

CChartIndicators::CChartIndicators(int shortPeriod, int longPeriod, int signalPeriod)
    : m_nShort(shortPeriod), m_nLong(longPeriod), m_nSignal(signalPeriod)
{
}

void CChartIndicators::ComputeBar(ChartBarList& bars, ChartVolumeList& volumes,
                                  ChartMacdList& macds, int i) const
{
    auto close = [](const ChartMacdRecord& record) { return record.dClose; };
    auto volume = [](const ChartVolumeRecord& record) { return record.dVolume; };
    for (int n = 0; n < kPriceAverageCount; ++n)
        bars[i]->averages[n] = MeanOf(macds, WindowStart(i, kPriceAveragePeriods[n]), i, close);
    for (int n = 0; n < kVolumeAverageCount; ++n)
        volumes[i]->averages[n] = MeanOf(volumes, WindowStart(i, kVolumeAveragePeriods[n]), i, volume);
    ComputeMacd(macds, i);
    macds[i]->dMacd = (macds[i]->dDiff - macds[i]->dDea) * 2;
}

void CChartIndicators::ComputeMacd(ChartMacdList& macds, int i) const
{
    ChartMacdRecord& record = *macds[i];
    if (i == 0)
    {
        record.dShortMean = record.dLongMean = record.dDiff = record.dDea = record.dMacd = 0.0;
        return;
    }
    auto close = [](const ChartMacdRecord& r) { return r.dClose; };
    if (i < m_nLong)
    {
        // While the long window is still filling, the short one grows in proportion to it.
        int k = (int)((double)(i + 1) * m_nShort / m_nLong);
        record.dShortMean = MeanOf(macds, i - k, i, close);
        record.dLongMean = MeanOf(macds, 0, i, close);
    }
    else
    {
        record.dShortMean = MeanOf(macds, i - m_nShort + 1, i, close);
        record.dLongMean = MeanOf(macds, i - m_nLong + 1, i, close);
    }
    record.dDiff = record.dShortMean - record.dLongMean;
    auto diff = [](const ChartMacdRecord& r) { return r.dDiff; };
    record.dDea = MeanOf(macds, WindowStart(i, m_nSignal), i, diff);
}
