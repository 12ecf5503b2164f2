// Panel geometry and the price and volume scales of the trend chart, from the client size,
// the reference price and the extremes of the buckets.
#pragma once

namespace tolvan::driftline {

struct PanelRows {
    int rows = 2;
    int rowHeight = 0;
    bool labelled = true;  // tall enough for labels
};

class TrendScale {
public:
    // Width W, height H: price panel 40..B, volume panel B+20..H-20, middle line M.
    void SetClientSize(int width, int height);
    int Width() const { return m_width; }
    int Height() const { return m_height; }
    int PriceBottom() const { return m_priceBottom; }
    int Middle() const { return m_middle; }
    PanelRows PriceRows() const { return RowsOf(m_priceBottom); }
    PanelRows VolumeRows() const { return RowsOf(m_height - m_priceBottom); }
    static PanelRows RowsOf(int panelSpan);

    // Extremes given (0 for none) are widened by the buckets' prices.
    void Compute(double reference, double highest, double lowest, int largestVolume);
    void Reset();
    // A round ceiling above the largest volume that divides into the volume panel's rows.
    int NiceVolumeCeiling(int largestVolume) const;

    double Reference() const { return m_reference; }
    double Highest() const { return m_highest; }
    double Lowest() const { return m_lowest; }
    double Top() const { return m_top; }
    double Bottom() const { return m_bottom; }
    double RelativeDeviation() const { return m_relativeDeviation; }
    double RowStep() const { return m_rowStep; }
    double PercentAbove() const { return m_percentAbove; }
    double PercentBelow() const { return m_percentBelow; }
    int VolumeCeiling() const { return m_volumeCeiling; }

    double PixelsPerMinute(int tradingMinutes) const;
    double PixelsPerVolume() const;
    // The y of a price in the price panel; the middle line when the scale is flat.
    int PriceY(double price) const;
    // The price at a y of the price panel.
    double PriceAtY(int y) const;

private:
    int m_width = 800;
    int m_height = 600;
    int m_priceBottom = 0;
    int m_middle = 0;
    double m_reference = 0;
    double m_highest = 0;
    double m_lowest = 0;
    double m_top = 0;
    double m_bottom = 0;
    double m_relativeDeviation = 0;
    double m_rowStep = 0;
    double m_percentAbove = 10.0;
    double m_percentBelow = -10.0;
    int m_volumeCeiling = 0;
};

}  // namespace tolvan::driftline
