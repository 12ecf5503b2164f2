#include "TradeTape.h"

#include <DecimalText.h>

#include <algorithm>
#include <cstdlib>

namespace tolvan::ladderview {

using tolvan::charts::FormatDecimalText;

TradeTape::~TradeTape()
{
    Clear();
}

void TradeTape::ResetForCode(const CString& latestPrice)
{
    m_lastPrice = latestPrice;
    m_lastTime.Empty();
}

void TradeTape::Add(const DepthTradeTick& tick, const CString& referencePrice, int decimals)
{
    DepthTradeTick* node = new DepthTradeTick;
    node->strTime = tick.strTime;
    node->strPrice = tick.strPrice;
    node->strVolume = tick.strVolume;
    node->strExtra1 = tick.strExtra1;
    node->strExtra2 = tick.strExtra2;
    node->nExtra = tick.nExtra;
    node->nIndex = Count();

    double price = atof(FormatDecimalText(tick.strPrice, decimals));
    double reference = atof(FormatDecimalText(referencePrice, decimals));
    node->nPriceColor = price > reference ? kRiseColor : price < reference ? kFallColor : kFlatColor;

    bool risen = !m_lastPrice.IsEmpty() &&
                 price > atof(FormatDecimalText(m_lastPrice, decimals));
    node->nVolumeColor = risen ? kRiseColor : kFallColor;
    m_lastPrice = tick.strPrice;

    bool sameMinute = !m_lastTime.IsEmpty() && m_lastTime.Left(5) == tick.strTime.Left(5);
    node->strTime = (sameMinute ? "C#" : "P#") + tick.strTime;
    m_lastTime = tick.strTime;

    if (DepthTradeTick* tail = Tail()) {
        tail->pNext = node;
        node->pPrev = tail;
    }
    m_trades.push_back(node);
}

void TradeTape::Clear()
{
    for (DepthTradeTick* trade : m_trades)
        delete trade;
    m_trades.clear();
    m_shownEnd = m_shownLimit = -1;
}

void TradeTape::SetVisibleRows(int rows)
{
    m_visibleRows = std::max(rows, 0);
    m_selectedRow = ClampRow(m_selectedRow);
}

int TradeTape::ClampRow(int row) const
{
    return std::max(0, std::min(row, m_visibleRows - 1));
}

void TradeTape::ToggleSelection(int row)
{
    if (m_selectionOn)
        m_selectionOn = false;
    else if (Count() > m_visibleRows)
        m_selectionOn = true;
    PinShownEnd();
    m_selectedRow = ClampRow(row);
}

void TradeTape::EndSelection()
{
    m_selectionOn = false;
}

void TradeTape::SelectRow(int row)
{
    m_selectedRow = ClampRow(row);
}

void TradeTape::PinShownEnd()
{
    m_shownEnd = m_shownLimit = Count() - 1;
}

int TradeTape::FirstShown() const
{
    if (Count() <= m_visibleRows)
        return 0;
    int end = m_selectionOn ? m_shownEnd : Count() - 1;
    return std::max(0, end - m_visibleRows + 1);
}

void TradeTape::ApplyKey(TapeKey key)
{
    if (!m_selectionOn)
        return;
    if (key == TapeKey::Up) {
        if (m_selectedRow > 0)
            --m_selectedRow;
        else if (Count() > m_visibleRows && FirstShown() > 0)
            --m_shownEnd;
    } else {
        if (m_selectedRow < m_visibleRows - 1)
            ++m_selectedRow;
        else if (m_shownEnd < m_shownLimit)
            ++m_shownEnd;
    }
}

std::vector<DepthTradeTick*> TradeTape::ShownTrades() const
{
    std::vector<DepthTradeTick*> shown;
    int first = FirstShown();
    int last = std::min(Count(), first + m_visibleRows);
    for (int i = first; i < last; ++i)
        shown.push_back(m_trades[i]);
    return shown;
}

}  // namespace tolvan::ladderview
