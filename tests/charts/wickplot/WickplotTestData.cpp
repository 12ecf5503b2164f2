#include "WickplotTestData.h"
#include <math.h>

namespace
{
void Append(HistoryPacket& packet, WickplotBar* pBar, WickplotBar*& pLast)
{
    pBar->nIndex = packet.nCount++;
    (pLast ? pLast->pNext : packet.pFirst) = pBar;
    pLast = pBar;
}
}

WickplotBar* MakeBar(const TestBar& bar, const char* code, bool placeByTime)
{
    WickplotBar* pBar = new WickplotBar;
    pBar->strCode = code;
    pBar->strTime = bar.time;
    pBar->strOpen.Format("%g", bar.open);
    pBar->strHigh.Format("%g", bar.high);
    pBar->strLow.Format("%g", bar.low);
    pBar->strClose.Format("%g", bar.close);
    pBar->strVolume.Format("%lld", bar.volume);
    pBar->nDirection = bar.close > bar.open ? 1 : bar.close < bar.open ? 2 : 0;
    pBar->bPlaceByTime = placeByTime ? 1 : 0;
    return pBar;
}

HistoryPacket* MakePacket(const std::vector<TestBar>& bars, const char* period,
                          const char* market, const char* code)
{
    HistoryPacket* pPacket = new HistoryPacket;
    pPacket->strCode = code;
    pPacket->strName = "浦发银行";
    pPacket->strPeriod = period;
    pPacket->strMarket = market;
    WickplotBar* pLast = nullptr;
    for (const TestBar& bar : bars)
        Append(*pPacket, MakeBar(bar, code), pLast);
    return pPacket;
}

HistoryPacket* MakeWavePacket(int n, const char* period)
{
    HistoryPacket* pPacket = new HistoryPacket;
    pPacket->strCode = "600000";
    pPacket->strName = "浦发银行";
    pPacket->strPeriod = period;
    pPacket->strMarket = "CSM";
    WickplotBar* pLast = nullptr;
    for (int i = 0; i < n; ++i)
    {
        double close = 10 + sin(i / 7.0) * 2;
        WickplotBar* pBar = new WickplotBar;
        pBar->strCode = "600000";
        pBar->strTime.Format("%04d%02d%02d 00:00:00", 1800 + i / 372, i / 31 % 12 + 1, i % 31 + 1);
        pBar->strOpen.Format("%.2f", close - 0.05);
        pBar->strHigh.Format("%.2f", close + 0.2);
        pBar->strLow.Format("%.2f", close - 0.2);
        pBar->strClose.Format("%.2f", close);
        pBar->strVolume.Format("%d", 1000 + i % 500);
        pBar->nDirection = 1;
        Append(*pPacket, pBar, pLast);
    }
    return pPacket;
}
