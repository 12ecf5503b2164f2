// Builders of the records the program hands to the chart.
#pragma once
#include "HistoryPacket.h"
#include <vector>

struct TestBar
{
    const char* time;
    double open, high, low, close;
    long long volume;
};

WickplotBar* MakeBar(const TestBar& bar, const char* code = "600000", bool placeByTime = false);

// A packet with bars indexed 0.. in chain order.
HistoryPacket* MakePacket(const std::vector<TestBar>& bars, const char* period = "5",
                          const char* market = "CSM", const char* code = "600000");

// n day bars with closes following a wave, for loads of any size.
HistoryPacket* MakeWavePacket(int n, const char* period = "0");
