// Moving averages of closes and volumes and the MACD of one bar, from the bars before it.
// Every mean is a simple mean; a bar with fewer predecessors than the period averages over
// all it has, so the first bars of a chart already carry lines.
#pragma once
#include "ChartRecords.h"
#include <vector>

// Lists of records in bar order; the records belong to whoever made them.
typedef std::vector<ChartBarRecord*> ChartBarList;
typedef std::vector<ChartVolumeRecord*> ChartVolumeList;
typedef std::vector<ChartMacdRecord*> ChartMacdList;

class CChartIndicators
{
public:
    static const int kPriceAveragePeriods[kPriceAverageCount];   // 5, 10, 20, 40, 60
    static const int kVolumeAveragePeriods[kVolumeAverageCount]; // 5, 10

    CChartIndicators(int shortPeriod = 12, int longPeriod = 26, int signalPeriod = 9);

    int ShortPeriod() const { return m_nShort; }
    int LongPeriod() const { return m_nLong; }
    int SignalPeriod() const { return m_nSignal; }

    // The averages, DIFF, DEA and MACD of bar i; bars 0 to i - 1 must be computed already.
    void ComputeBar(ChartBarList& bars, ChartVolumeList& volumes, ChartMacdList& macds,
                    int i) const;
    void ComputeMacd(ChartMacdList& macds, int i) const;

private:
    int m_nShort;
    int m_nLong;
    int m_nSignal;
};
