// The depth window's trade list without a window: colours and minute marks of new trades,
// and which trades are shown while the user scrolls a selection through them.
#pragma once

#include <afx.h>

#include <vector>

#include "LadderviewRecords.h"

namespace tolvan::ladderview {

enum : int {
    kRiseColor = 0x393CFF,
    kFallColor = 0x00E700,
    kFlatColor = 0xE7E7E7,
};

enum class TapeKey { Up = 1, Down = 2 };

class TradeTape {
public:
    TradeTape() = default;
    ~TradeTape();
    TradeTape(const TradeTape&) = delete;
    TradeTape& operator=(const TradeTape&) = delete;

    // A new instrument: the last trade price starts at its latest price, the minute anew.
    void ResetForCode(const CString& latestPrice);
    // Colours the trade against the reference price and the previous trade, marks it
    // "P#" (a new minute) or "C#" (the same minute) and appends it.
    void Add(const DepthTradeTick& tick, const CString& referencePrice, int decimals);
    void Clear();

    int Count() const { return (int)m_trades.size(); }
    DepthTradeTick* Head() const { return m_trades.empty() ? nullptr : m_trades.front(); }
    DepthTradeTick* Tail() const { return m_trades.empty() ? nullptr : m_trades.back(); }
    const CString& LastPrice() const { return m_lastPrice; }
    const CString& LastTime() const { return m_lastTime; }

    // Rows the list has room for; the selected row stays within them.
    void SetVisibleRows(int rows);
    int VisibleRows() const { return m_visibleRows; }

    bool SelectionOn() const { return m_selectionOn; }
    int SelectedRow() const { return m_selectedRow; }
    // Selection on only when the trades do not all fit; the shown trades then stop at the
    // newest one, and trades arriving meanwhile stay out of view.
    void ToggleSelection(int row);
    void EndSelection();
    void SelectRow(int row);
    // The newest trade becomes the end of what is shown (a mode change).
    void PinShownEnd();
    void ApplyKey(TapeKey key);

    // The trades to paint, oldest first.
    std::vector<DepthTradeTick*> ShownTrades() const;

private:
    int ClampRow(int row) const;
    int FirstShown() const;

    std::vector<DepthTradeTick*> m_trades;
    CString m_lastPrice;
    CString m_lastTime;
    int m_visibleRows = 0;
    bool m_selectionOn = false;
    int m_selectedRow = 0;
    int m_shownEnd = -1;   // index of the last trade shown while selecting
    int m_shownLimit = -1; // the newest trade when the selection began
};

}  // namespace tolvan::ladderview
