#include "TrendScale.h"

#include <algorithm>
#include <cmath>

namespace tolvan::driftline {

void TrendScale::SetClientSize(int width, int height)
{
    m_width = width;
    m_height = height;
    m_priceBottom = (int)((height - 40) * 0.7 + 20);
    m_middle = (m_priceBottom - 40) / 2 + 40;
}

PanelRows TrendScale::RowsOf(int span)
{
    PanelRows result;
    if (span < 160) {
        result.rows = 2;
        result.rowHeight = std::max(0, (span - 40) / 2);
        result.labelled = span >= 76;
        return result;
    }
    result.rows = (span - 40) / 30;
    if (result.rows % 2)
        --result.rows;
    result.rowHeight = (span - 40) / result.rows;
    return result;
}

void TrendScale::Reset()
{
    m_highest = m_lowest = m_top = m_bottom = 0;
    m_relativeDeviation = m_rowStep = 0;
    m_percentAbove = 10.0;
    m_percentBelow = -10.0;
}

int TrendScale::NiceVolumeCeiling(int v) const
{
    if (v <= 0)
        return v;
    int rows = VolumeRows().rows;
    double q = (double)v / rows;
    int digits = 1;
    for (int whole = (int)q; whole >= 10; whole /= 10)
        ++digits;
    if (digits > 2) {
        double step = std::pow(10.0, digits - 2);
        return (int)(step * ((int)(q / step) / 5 + 1) * rows * 5);
    }
    double step = std::pow(10.0, digits - 1);
    return (int)(step * ((int)(q / step) + 1) * rows);
}

void TrendScale::Compute(double r, double highest, double lowest, int largestVolume)
{
    m_reference = r;
    m_highest = highest;
    m_lowest = lowest;
    m_volumeCeiling = NiceVolumeCeiling(largestVolume);
    if (r >= m_highest) {
        m_top = r * 1.01;
        m_bottom = m_lowest;
    } else {
        m_top = m_highest;
        m_bottom = r <= m_lowest ? r * 0.99 : m_lowest;
    }
    double upper = m_highest - r;
    if (upper == 0)
        upper = m_top - r;
    double lower = std::fabs(r - m_lowest);
    if (lower == 0)
        lower = r - m_bottom;
    double deviation = std::max(upper, lower);
    if (r == 0) {
        // No reference: every factor is 0 and the lines lie on the middle line.
        m_relativeDeviation = m_rowStep = 0;
        m_percentAbove = m_percentBelow = 1.0;
        return;
    }
    m_relativeDeviation = deviation / r;
    m_rowStep = deviation / r / 5;
    m_top = r + deviation;
    m_bottom = r - deviation;
    m_percentAbove = (m_highest - r) / r * 100;
    m_percentBelow = (r - m_lowest) / r * 100;
}

double TrendScale::PixelsPerMinute(int tradingMinutes) const
{
    return tradingMinutes > 0 ? (double)(m_width - 140) / tradingMinutes : 0;
}

double TrendScale::PixelsPerVolume() const
{
    return m_volumeCeiling > 0 ? (double)(m_height - m_priceBottom - 40) / m_volumeCeiling : 0;
}

int TrendScale::PriceY(double price) const
{
    if (m_reference == 0)
        return m_middle;
    PanelRows rows = PriceRows();
    double half = rows.rows / 2 * rows.rowHeight;
    if (price > m_reference && m_top > m_reference)
        return (int)(m_middle - (price - m_reference) / (m_top - m_reference) * half);
    if (price < m_reference && m_reference > m_bottom)
        return (int)(m_middle + (m_reference - price) / (m_reference - m_bottom) * half);
    return m_middle;
}

double TrendScale::PriceAtY(int y) const
{
    PanelRows rows = PriceRows();
    double half = rows.rows / 2 * rows.rowHeight;
    if (half <= 0)
        return m_reference;
    return m_reference - (y - m_middle) * (m_reference - m_bottom) / half;
}

}  // namespace tolvan::driftline
