// The bars that one candlestick chart shows: the instrument, three parallel record lists (bar,
// volume, MACD; entry i of each belongs to bar i, oldest first), the shown range and the
// scales. A history packet replaces all of it; real-time records update, open, replace or
// insert bars. Not locked: the chart calls it under its chart lock.
#pragma once
#include "ChartIndicators.h"
#include "ChartScales.h"
#include "HistoryPacket.h"
#include "RecordPool.h"

class CBarSeries
{
public:
    enum
    {
        kInitialViewBars = 200,   // a loaded history shows its newest 200 bars
        kMinimumViewBars = 30     // below this many bars the whole history is shown
    };

    struct LoadResult
    {
        int nPeriod = 0;          // the packet's period in minutes, for the host's notice
        bool bConsistent = true;  // false: the chain ended early or a bar was out of order
    };

    // Replaces everything by the packet and frees it. A chain that disagrees with its count
    // keeps the bars read before the first bad node and is still shown.
    LoadResult LoadPacket(HistoryPacket* pPacket);

    // Whether a real-time record may be queued for this chart.
    bool AcceptsRealTimeRecord(const WickplotBar& record) const;

    // Folds the record into the bars and destroys it. False when nothing changed (week and
    // month charts take no records; a record older than every bar has no place).
    bool MergeRealTimeBar(WickplotBar* pRecord);

    void SetDecimals(int decimals);
    // Moves the shown range (clamped to the bars) and recomputes the scales.
    void SetView(int first, int end);

    const CString& Code() const { return m_strCode; }
    const CString& Name() const { return m_strName; }
    const CString& PeriodText() const { return m_strPeriod; }
    const CString& Market() const { return m_strMarket; }
    int Count() const { return (int)m_bars.size(); }
    int First() const { return m_nFirst; }
    int End() const { return m_nEnd; }
    int CrossBar() const { return m_nCrossBar; }
    // The title's first text: name, "(", code and ")".
    CString TitleName() const;

    const ChartBarList& Bars() const { return m_bars; }
    const ChartVolumeList& Volumes() const { return m_volumes; }
    const ChartMacdList& Macds() const { return m_macds; }
    const CChartIndicators& Indicators() const { return m_indicators; }
    const PriceExtremes& Extremes() const { return m_extremes; }
    const CMacdScale& MacdScale() const { return m_macdScale; }

private:
    struct BarTexts
    {
        CString strTime, strOpen, strHigh, strLow, strClose, strVolume, strExtra;
    };

    static BarTexts TextsOf(const WickplotBar& record);
    void InsertBar(int position, BarTexts&& texts, int direction);
    void SetBarPrices(int i, const CString& open, const CString& high, const CString& low,
                      const CString& close, const CString& volume);
    void RefreshNumbers(int i);
    void UpdateDirection(int i);
    void Recompute(int from);
    void RecomputeScales();
    void Clear();

    int MergeByTime(const WickplotBar& record);
    int MergeIntraday(const WickplotBar& record, int period);
    int MergeDay(const WickplotBar& record);

    CString m_strCode;
    CString m_strName;
    CString m_strPeriod;
    CString m_strMarket;
    ChartBarList m_bars;
    ChartVolumeList m_volumes;
    ChartMacdList m_macds;
    CRecordPool<ChartBarRecord> m_barPool;
    CRecordPool<ChartVolumeRecord> m_volumePool;
    CRecordPool<ChartMacdRecord> m_macdPool;
    int m_nFirst = 0;
    int m_nEnd = 0;
    int m_nCrossBar = -1;
    int m_nDecimals = 5;
    CChartIndicators m_indicators;
    PriceExtremes m_extremes;
    CMacdScale m_macdScale;
};
