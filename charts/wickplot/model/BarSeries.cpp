#include "BarSeries.h"
#include "BarTimeRules.h"
#include "ChartPacket.h"
#include "DecimalValue.h"
#include <stdlib.h>

namespace
{
const int kWeekPeriod = 5040;
const int kMonthPeriod = 43200;

int MergeStep(int period)
{
    switch (period)
    {
    case 1: case 3: case 5: case 10: case 15: case 30: case 60: case 120:
        return period;
    default:
        return 0;
    }
}

CString PriceText(double value)
{
    CString text;
    text.Format("%0.10f", value);
    return text;
}

// Volumes of a busy day pass 2^31 when added up: sum and write them in 64 bits.
CString VolumeSum(const CString& first, const CString& second)
{
    char buffer[32];
    _i64toa(_atoi64(first) + _atoi64(second), buffer, 10);
    return buffer;
}

bool IsPriceText(const CString& text)
{
    return !text.IsEmpty() && IsNumericText(text);
}
}

CBarSeries::LoadResult CBarSeries::LoadPacket(HistoryPacket* pPacket)
{
    LoadResult result;
    if (pPacket == nullptr)
        return result;
    Clear();
    m_strCode = pPacket->strCode;
    m_strName = pPacket->strName;
    m_strPeriod = pPacket->strPeriod;
    m_strMarket = pPacket->strMarket;
    result.nPeriod = atoi(m_strPeriod);

    int count = pPacket->nCount > 0 ? pPacket->nCount : 0;
    m_bars.reserve(count);
    m_volumes.reserve(count);
    m_macds.reserve(count);
    WickplotBar* pNode = pPacket->pFirst;
    // A node must sit at the position its index names: averages read their predecessors by
    // position, so a gap or a repeat would read bars that do not exist.
    for (int position = 0; position < count; ++position, pNode = pNode->pNext)
    {
        if (pNode == nullptr || pNode->nIndex != position)
        {
            result.bConsistent = false;
            break;
        }
        InsertBar(position,
                  BarTexts{std::move(pNode->strTime), std::move(pNode->strOpen),
                           std::move(pNode->strHigh), std::move(pNode->strLow),
                           std::move(pNode->strClose), std::move(pNode->strVolume),
                           std::move(pNode->strExtra)},
                  pNode->nDirection);
        m_indicators.ComputeBar(m_bars, m_volumes, m_macds, position);
    }
    if (result.bConsistent && pNode != nullptr)
        result.bConsistent = false;   // more nodes than the count says; they are not shown

    int loaded = Count();
    m_nEnd = loaded;
    m_nFirst = loaded >= kMinimumViewBars ? loaded - kInitialViewBars : 0;
    if (m_nFirst < 0)
        m_nFirst = 0;
    m_nCrossBar = loaded - 1;
    RecomputeScales();
    FreeChartPacket(pPacket);
    return result;
}

bool CBarSeries::AcceptsRealTimeRecord(const WickplotBar& record) const
{
    if (record.strTime.IsEmpty())
        return false;
    if (!IsPriceText(record.strOpen) || !IsPriceText(record.strHigh) ||
        !IsPriceText(record.strLow) || !IsPriceText(record.strClose))
        return false;
    if (m_strCode.IsEmpty() || m_strName.IsEmpty())
        return false;
    return record.strCode == m_strCode;
}

bool CBarSeries::MergeRealTimeBar(WickplotBar* pRecord)
{
    if (pRecord == nullptr)
        return false;
    int period = atoi(m_strPeriod);
    if (period == kWeekPeriod || period == kMonthPeriod)
    {
        DestroyWickplotBar(pRecord);
        return false;
    }
    int step = MergeStep(period);
    int oldCount = Count();
    int from;
    if (pRecord->bPlaceByTime)
        from = MergeByTime(*pRecord);
    else if (m_bars.empty())
    {
        BarTexts texts = TextsOf(*pRecord);
        if (period != 0)
            texts.strTime = PeriodStartTime(pRecord->strTime, step);
        InsertBar(0, std::move(texts), 0);
        from = 0;
    }
    else if (period != 0)
        from = MergeIntraday(*pRecord, period);
    else
        from = MergeDay(*pRecord);
    DestroyWickplotBar(pRecord);
    if (from < 0)
        return false;

    UpdateDirection(Count() - 1);
    Recompute(from);
    if (Count() > oldCount)
    {
        if (Count() < kMinimumViewBars)
        {
            m_nFirst = 0;
            m_nEnd = Count();
        }
        else if (m_nEnd == oldCount)
            m_nEnd = Count();
        if (m_nFirst < 0)
            m_nFirst = 0;
    }
    RecomputeScales();
    return true;
}

void CBarSeries::SetDecimals(int decimals)
{
    m_nDecimals = decimals;
    RecomputeScales();
}

void CBarSeries::SetView(int first, int end)
{
    m_nEnd = end < Count() ? end : Count();
    m_nFirst = first < 0 ? 0 : first;
    if (m_nFirst > m_nEnd)
        m_nFirst = m_nEnd;
    RecomputeScales();
}

CString CBarSeries::TitleName() const
{
    return m_strName + "(" + m_strCode + ")";
}

CBarSeries::BarTexts CBarSeries::TextsOf(const WickplotBar& record)
{
    return BarTexts{record.strTime, record.strOpen, record.strHigh, record.strLow,
                    record.strClose, record.strVolume, record.strExtra};
}

void CBarSeries::InsertBar(int position, BarTexts&& texts, int direction)
{
    ChartBarRecord* bar = m_barPool.Make();
    ChartVolumeRecord* volume = m_volumePool.Make();
    ChartMacdRecord* macd = m_macdPool.Make();
    bar->strTime = std::move(texts.strTime);
    bar->strOpen = std::move(texts.strOpen);
    bar->strHigh = std::move(texts.strHigh);
    bar->strLow = std::move(texts.strLow);
    bar->strClose = std::move(texts.strClose);
    bar->strVolume = std::move(texts.strVolume);
    bar->strExtra = std::move(texts.strExtra);
    bar->nDirection = volume->nDirection = macd->nDirection = direction;
    m_bars.insert(m_bars.begin() + position, bar);
    m_volumes.insert(m_volumes.begin() + position, volume);
    m_macds.insert(m_macds.begin() + position, macd);
    RefreshNumbers(position);
    // An inserted bar moves the later ones up: their indexes stay their positions.
    for (int i = position; i < Count(); ++i)
        m_bars[i]->nIndex = m_volumes[i]->nIndex = m_macds[i]->nIndex = i;
}

void CBarSeries::SetBarPrices(int i, const CString& open, const CString& high, const CString& low,
                              const CString& close, const CString& volume)
{
    ChartBarRecord& bar = *m_bars[i];
    bar.strOpen = open;
    bar.strHigh = high;
    bar.strLow = low;
    bar.strClose = close;
    bar.strVolume = volume;
    RefreshNumbers(i);
}

void CBarSeries::RefreshNumbers(int i)
{
    const ChartBarRecord& bar = *m_bars[i];
    m_bars[i]->dHigh = DecimalValue(bar.strHigh);
    m_bars[i]->dLow = DecimalValue(bar.strLow);
    m_volumes[i]->strVolume = bar.strVolume;
    m_volumes[i]->dVolume = DecimalValue(bar.strVolume);
    m_macds[i]->strClose = bar.strClose;
    m_macds[i]->dClose = DecimalValue(bar.strClose);
}

void CBarSeries::UpdateDirection(int i)
{
    if (i < 0)
        return;
    double open = atof(m_bars[i]->strOpen);
    double close = m_macds[i]->dClose;
    int direction = close < open ? 2 : close > open ? 1 : 0;
    m_bars[i]->nDirection = m_volumes[i]->nDirection = m_macds[i]->nDirection = direction;
}

void CBarSeries::Recompute(int from)
{
    for (int i = from; i < Count(); ++i)
        m_indicators.ComputeBar(m_bars, m_volumes, m_macds, i);
}

void CBarSeries::RecomputeScales()
{
    m_extremes = ComputePriceExtremes(m_bars, m_volumes, m_nFirst, m_nEnd, m_nDecimals);
    m_macdScale.Compute(m_macds, m_nFirst, m_nEnd);
}

void CBarSeries::Clear()
{
    m_bars.clear();
    m_volumes.clear();
    m_macds.clear();
    m_barPool.Clear();
    m_volumePool.Clear();
    m_macdPool.Clear();
    m_nFirst = m_nEnd = 0;
    m_nCrossBar = -1;
}

// Replaces the bar of the record's time, inserts it among older bars or appends it.
// Returns the first bar to recompute, -1 when the record has no place.
int CBarSeries::MergeByTime(const WickplotBar& record)
{
    long long recordTime = BarTimeValue(record.strTime);
    int newest = Count() - 1;
    if (newest < 0 || BarTimeValue(m_bars[newest]->strTime) < recordTime)
    {
        InsertBar(Count(), TextsOf(record), 0);
        return Count() - 1;
    }
    for (int i = newest; i >= 0; --i)
        if (BarTimeValue(m_bars[i]->strTime) == recordTime)
        {
            SetBarPrices(i, record.strOpen, record.strHigh, record.strLow, record.strClose,
                         record.strVolume);
            UpdateDirection(i);
            return i;
        }
    for (int i = newest; i >= 0; --i)
        if (BarTimeValue(m_bars[i]->strTime) < recordTime)
        {
            InsertBar(i + 1, TextsOf(record), 0);
            UpdateDirection(i + 1);
            return i + 1;
        }
    return -1;
}

int CBarSeries::MergeIntraday(const WickplotBar& record, int period)
{
    int last = Count() - 1;
    ChartBarRecord& bar = *m_bars[last];
    CString bucketTime;
    if (NextBarBucket(m_strMarket, period, bar.strTime, record.strTime, bucketTime))
    {
        // Exchange bars open at the record's open; elsewhere a bar opens where the last closed.
        CString open = IsExchangeMarket(m_strMarket) ? record.strOpen : bar.strClose;
        InsertBar(Count(), BarTexts{bucketTime, open, record.strHigh, record.strLow,
                                    record.strClose, record.strVolume, CString()}, 0);
        return Count() - 1;
    }
    double high = atof(record.strHigh);
    double low = atof(record.strLow);
    CString newHigh = high > bar.dHigh ? PriceText(high) : bar.strHigh;
    CString newLow = low < bar.dLow ? PriceText(low) : bar.strLow;
    CString open = bar.strOpen;
    SetBarPrices(last, open, newHigh, newLow, record.strClose,
                 VolumeSum(bar.strVolume, record.strVolume));
    return last;
}

int CBarSeries::MergeDay(const WickplotBar& record)
{
    int last = Count() - 1;
    if (record.strTime != m_bars[last]->strTime)
    {
        InsertBar(Count(), TextsOf(record), 0);
        return Count() - 1;
    }
    SetBarPrices(last, record.strOpen, record.strHigh, record.strLow, record.strClose,
                 record.strVolume);
    return last;
}
