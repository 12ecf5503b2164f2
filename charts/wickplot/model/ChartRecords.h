// The chart's own per-bar records: entry i of the bar, volume and MACD lists belongs to bar i.
// The numbers parsed from the texts are kept beside them, so averages and scales never parse
// a text twice (a 100,000-bar packet would otherwise spend its time in atof). Screen positions
// are not kept here: the renderer computes them for the shown bars only, which keeps a long
// history small (the memory of a 100,000-bar load is most of its time).
#pragma once
#include <afx.h>

enum
{
    kPriceAverageCount = 5,
    kVolumeAverageCount = 2
};

struct ChartBarRecord
{
    int nDirection = 0;     // 1 close above open, 2 below, 0 equal
    int nIndex = 0;         // position in the list
    CString strTime;
    CString strOpen;
    CString strHigh;
    CString strLow;
    CString strClose;
    CString strVolume;
    CString strExtra;
    double dHigh = 0.0;
    double dLow = 0.0;
    double averages[kPriceAverageCount] = {};
};

struct ChartVolumeRecord
{
    int nDirection = 0;
    int nIndex = 0;
    CString strVolume;
    double dVolume = 0.0;
    double averages[kVolumeAverageCount] = {};
};

struct ChartMacdRecord
{
    int nDirection = 0;
    int nIndex = 0;
    double dShortMean = 0.0;
    double dLongMean = 0.0;
    CString strClose;
    double dClose = 0.0;
    double dDiff = 0.0;
    double dDea = 0.0;
    double dMacd = 0.0;
};
