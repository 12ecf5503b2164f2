#include "ChartRecords.h"
#include "MarketTime.h"

namespace {

const char kAbsent[] = "---";

CString OrAbsent(const CString& text)
{
    return text.IsEmpty() ? CString(kAbsent) : text;
}

bool StartsWith(const CString& text, const char* prefix)
{
    return text.Find(prefix) == 0;
}

}  // namespace

DepthStockInfo BuildDepthStockInfo(const QuoteRow& row)
{
    DepthStockInfo info;
    const bool noChange = row.strPrevClose.IsEmpty() || row.strChange.IsEmpty();
    info.strInfo[0] = row.strCode;
    info.strInfo[1] = OrAbsent(row.strName);
    info.strInfo[2] = OrAbsent(row.strLastPrice);
    info.strInfo[3] = noChange ? CString(kAbsent) : row.strChange;
    info.strInfo[4] = noChange ? CString(kAbsent) : row.strChangePercent;
    info.strInfo[5] = OrAbsent(row.strVolume);
    info.strInfo[6] = row.strVolume.IsEmpty() ? CString("0") : row.strVolumeSinceLast;
    info.strInfo[8] = OrAbsent(row.strVolumeSinceLast);
    info.strInfo[9] = kAbsent;
    info.strInfo[11] = OrAbsent(row.strPrevClose);
    info.strInfo[12] = OrAbsent(row.strOpen);
    info.strInfo[13] = OrAbsent(row.strHigh);
    info.strInfo[14] = OrAbsent(row.strLow);
    info.strInfo[16] = kAbsent;
    info.strInfo[17] = kAbsent;
    if (noChange)
    {
        info.nDirection = 1;
    }
    else
    {
        const double change = atof(row.strChange);
        info.nDirection = change > 0.0 ? 1 : (change < 0.0 ? 2 : 0);
    }
    return info;
}

void FillSnapshotFromQuote(const QuoteRow& row, bool isStock, DepthSnapshot& snapshot)
{
    const int levels = DepthSnapshot::LEVELS;
    if (isStock)
    {
        for (int i = 0; i < levels; ++i)
        {
            // The sell side is shown from the fifth ask down to the best one.
            snapshot.strSellPrice[i] = row.strAskPrice[levels - 1 - i];
            snapshot.strSellVolume[i] = row.strAskVolume[levels - 1 - i];
            snapshot.strBuyPrice[i] = row.strBidPrice[i];
            snapshot.strBuyVolume[i] = row.strBidVolume[i];
        }
        return;
    }
    for (int i = 0; i < levels; ++i)
    {
        snapshot.strSellPrice[i] = snapshot.strSellVolume[i] = kAbsent;
        snapshot.strBuyPrice[i] = snapshot.strBuyVolume[i] = kAbsent;
    }
    snapshot.strBuyPrice[0] = row.strBid1Price;
    snapshot.strBuyVolume[0] = row.strBid1Volume;
    snapshot.strSellPrice[levels - 1] = row.strAsk1Price;
    snapshot.strSellVolume[levels - 1] = row.strAsk1Volume;
}

void CopyDepthBook(const DepthBook& book, DepthSnapshot& snapshot)
{
    for (int i = 0; i < DepthSnapshot::LEVELS; ++i)
    {
        snapshot.strSellPrice[i] = book.sell[i].strPrice;
        snapshot.strSellVolume[i] = book.sell[i].strVolume;
        snapshot.strBuyPrice[i] = book.buy[i].strPrice;
        snapshot.strBuyVolume[i] = book.buy[i].strVolume;
    }
}

DepthLevelsRecord SnapshotToLevels(const DepthSnapshot& snapshot)
{
    DepthLevelsRecord record;
    for (int i = 0; i < DepthSnapshot::LEVELS; ++i)
    {
        record.strSellPrice[i] = snapshot.strSellPrice[i];
        record.nSellValue[i] = snapshot.nSellFlag[i];
        record.strSellVolume[i] = snapshot.strSellVolume[i];
        record.strBuyPrice[i] = snapshot.strBuyPrice[i];
        record.nBuyValue[i] = snapshot.nBuyFlag[i];
        record.strBuyVolume[i] = snapshot.strBuyVolume[i];
    }
    return record;
}

DepthLevelsRecord EmptyDepthLevels()
{
    DepthSnapshot snapshot;
    snapshot.ResetToAbsent();
    return SnapshotToLevels(snapshot);
}

CString MarketOfKey(const CString& marketKey)
{
    static const char* const kMarkets[] = {"CL", "GC", "SI", "ASM", "FEC", "CSM", "HKS"};
    for (const char* market : kMarkets)
        if (StartsWith(marketKey, market))
            return market;
    return CString();
}

int NextViewOnEnter(int view)
{
    switch (view)
    {
    case VIEW_QUOTE_LIST: return VIEW_TREND;
    case VIEW_CANDLES: return VIEW_QUOTE_LIST;
    case VIEW_TREND: return VIEW_CANDLES;
    default: return view;
    }
}

int ChartPeriodFor(const CString& sectorName, int period, bool isStock)
{
    const bool longPeriod = period == KLINE_PERIOD_WEEK || period == KLINE_PERIOD_MONTH;
    const bool minutePeriod = period == 1 || period == 5 || period == 15 || period == 30 || period == 60;
    if (sectorName == "美股" && (longPeriod || minutePeriod))
        return 0;
    if (longPeriod && !isStock)
        return 0;
    return period;
}

CString CutToHour(const CString& time)
{
    return time.Left(2) + ":00:00";
}

int ToolbarButtonOfPeriod(int period)
{
    switch (period)
    {
    case 0: return 5;
    case KLINE_PERIOD_WEEK: return 6;
    case KLINE_PERIOD_MONTH: return 7;
    case 1: return 8;
    case 5: return 9;
    case 15: return 10;
    case 30: return 11;
    case 60: return 12;
    default: return -1;
    }
}

CString KLineBarTimeText(const KLineBar& bar)
{
    CString date = bar.strDate;
    date.Remove('-');
    date.Remove('/');
    CString text = date + " " + bar.strTime;
    if (bar.strTime.GetLength() == 5)
        text += ":00";
    return text;
}

WickplotBar* MakeBarFromKLine(const CString& code, const KLineBar& bar)
{
    WickplotBar* node = new WickplotBar;
    node->strCode = code;
    node->strTime = KLineBarTimeText(bar);
    node->strOpen = bar.strOpenPrice;
    node->strHigh = bar.strHigh;
    node->strLow = bar.strLow;
    node->strClose = bar.strClosePrice;
    node->strVolume = bar.strVolume;
    node->bPlaceByTime = 1;
    return node;
}

CString LastChars(const CString& text, int n)
{
    return text.GetLength() <= n ? text : text.Right(n);
}

ChartTitleInfo BuildChartTitle(const QuoteRow& row, const CString& periodText,
                               const DepthStockInfo& info)
{
    ChartTitleInfo title;
    title.strTitle = row.strName;
    title.strPeriod = periodText;
    title.strExtra = LastChars(row.strQuoteTime, 8);
    title.strLatest = info.strInfo[2];
    title.strOpen = info.strInfo[12];
    title.strHigh = info.strInfo[13];
    title.strLow = info.strInfo[14];
    title.strPreClose = info.strInfo[11];
    return title;
}

DepthTradeTick BuildTradeTick(const QuoteRow& row, const DepthStockInfo& info)
{
    DepthTradeTick tick;
    tick.strTime = LastChars(row.strQuoteTime, 8);
    tick.strPrice = row.strLastPrice;
    tick.nPriceColor = 0x0000FF;
    tick.strVolume = info.strInfo[6];
    tick.nVolumeColor = 0x00FF00;
    tick.strExtra1 = "+1";
    tick.strExtra2 = "买 入";
    tick.nExtra = 1;
    return tick;
}

TrendPacket* BuildTrendPacket(const HistoryPacket* history, const CString& code,
                              const CString& name, const CString& market,
                              const CString& previousClose)
{
    TrendPacket* packet = new TrendPacket;
    packet->strText[0] = code;
    packet->strText[1] = name;
    packet->strText[3] = market;
    packet->strText[5] = previousClose;
    TrendTickNode* last = nullptr;
    for (const WickplotBar* bar = history ? history->pFirst : nullptr; bar; bar = bar->pNext)
    {
        TrendTickNode* node = new TrendTickNode;
        node->strCode = code;
        node->strPrice = bar->strClose;
        node->strVolume = bar->strVolume;
        node->strTime = bar->strTime;
        node->strRefPrice = previousClose;
        node->pPrev = last;
        (last ? last->pNext : packet->pHead) = node;
        last = node;
        if (packet->strText[4].IsEmpty())
            packet->strText[4] = bar->strTime.Left(8);
    }
    packet->nHasBuckets = packet->pHead != nullptr ? 1 : 0;
    return packet;
}

CString PeriodServiceName(int period)
{
    switch (period)
    {
    case 1: return "minute1";
    case 5: return "minute5";
    case 15: return "minute15";
    case 30: return "minute30";
    case 60: return "hour1";
    default: return CString();
    }
}

__int64 QuoteTimeValue(const CString& quoteTime)
{
    int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
    if (quoteTime.GetLength() != 17
        || sscanf(quoteTime, "%04d%02d%02d %02d:%02d:%02d", &year, &month, &day, &hour, &minute, &second) != 6)
        return -1;
    struct tm time = {};
    time.tm_year = year - 1900;
    time.tm_mon = month - 1;
    time.tm_mday = day;
    time.tm_hour = hour;
    time.tm_min = minute;
    time.tm_sec = second;
    time.tm_isdst = -1;
    return _mktime64(&time);
}

CString RefreshSize(__int64 lastLoad, const CString& quoteTime, int period)
{
    const __int64 now = QuoteTimeValue(quoteTime);
    if (lastLoad == -1 || now == -1 || period <= 0)
        return "all";
    const __time64_t last = lastLoad;
    struct tm lastDay = {};
    if (_localtime64_s(&lastDay, &last) != 0)
        return "all";
    CString lastDate;
    lastDate.Format("%04d%02d%02d", lastDay.tm_year + 1900, lastDay.tm_mon + 1, lastDay.tm_mday);
    if (lastDate != quoteTime.Left(8))
        return "all";
    CString size;
    size.Format("%d", static_cast<int>((now - lastLoad) / (period * 60) + 1));
    return size;
}

bool IsTrendReloadDue(__int64 now, __int64 opening, __int64 lastLoad)
{
    return now >= opening - 60 && now < opening && now - lastLoad >= 10;
}

CString OlderBarsStart(const CString& oldestStart, int period)
{
    const int marketDays = period == 0 ? 45 : period == 15 ? 2 : period == 30 ? 3 : period == 60 ? 5 : 1;
    // Five market days to the week: a page that only reached into a weekend would add nothing.
    const int calendarDays = marketDays + 2 * ((marketDays + 4) / 5);
    if (oldestStart.GetLength() != 8)
        return CString();
    return SubtractDaysFromDate(oldestStart, calendarDays);
}

bool IsPastSessionClose(const CString& timeOfDay, const CString& open, const CString& close)
{
    const bool afterClose = CompareTimeHM(timeOfDay, close) == 1;
    if (CompareTimeHM(open, close) < 0)
        return afterClose;
    return afterClose && CompareTimeHM(timeOfDay, open) < 0;
}
