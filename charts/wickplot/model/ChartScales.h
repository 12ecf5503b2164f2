// Vertical scales of the volume and MACD panels and the price extremes of a shown range.
#pragma once
#include "ChartIndicators.h"

// The round value at the top of the volume axis for the highest shown volume and the panel
// height (which decides the number of divisions). A highest volume of 0 or less is returned.
double VolumeAxisTop(double highestVolume, int panelHeight);

struct PriceExtremes
{
    double dTop = 0.0;       // largest high or price average
    double dBottom = 0.0;    // smallest low or price average
    double dHighest = 0.0;   // highest high and the first bar that carries it
    double dLowest = 0.0;
    int nHighestBar = -1;
    int nLowestBar = -1;
    double dHighestVolume = 0.0;
};

// Extremes of bars first .. end - 1; decimals set how closely a bar's high must match the
// highest high to be its carrier. An empty range gives the zero record with indexes -1.
PriceExtremes ComputePriceExtremes(const ChartBarList& bars, const ChartVolumeList& volumes,
                                   int first, int end, int decimals);

// The MACD panel: the zero line divides the height in proportion to the largest value and the
// most negative one of DIFF, DEA and MACD; all-negative or all-zero ranges are drawn as well.
class CMacdScale
{
public:
    void Compute(const ChartMacdList& macds, int first, int end);
    double Top() const { return m_dTop; }
    double Bottom() const { return m_dBottom; }
    int ZeroY(int height) const;
    int ValueY(double value, int height) const;

private:
    double m_dTop = 0.0;     // largest value at or above 0, else 0
    double m_dBottom = 0.0;  // most negative value, else 0
};
