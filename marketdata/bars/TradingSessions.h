// When a market trades. Markets are told apart by a market key ("CSM" A shares, "HKS" Hong
// Kong stocks) or, for instruments of the quote store, by the sector that holds the code
// ("沪深", "港股"; every other sector holds contracts whose sessions come from the quote
// server). Stateless; the store is the global one unless a caller passes another.
#pragma once
#include <vector>
#include <afx.h>
#include "QuoteStore.h"

struct SessionRange
{
    CString strStart; // HH:MM:SS
    CString strEnd;   // HH:MM:SS
};

// "09:30:00" for keys beginning "CSM" or "HKS", else "00:00:00"
CString GetSessionOpenTime(LPCTSTR pszMarketKey);
// "15:00:00" for "CSM", "16:00:00" for "HKS", else "24:00:00"
CString GetSessionCloseTime(LPCTSTR pszMarketKey);

// Open and close of a code shown in a sector: the stock markets' fixed hours, else the
// session times the sector's rows carry ("06:00:00" and "05:00:00" when none does).
CString GetSectorOpenTime(const SectorRecord& sector, LPCTSTR pszCode,
                          const QuoteStore& store = GetQuoteStore());
CString GetSectorCloseTime(const SectorRecord& sector, LPCTSTR pszCode,
                           const QuoteStore& store = GetQuoteStore());

// Appends the code's sessions of a day in order; nothing for an unknown code.
void GetTradingSessions(LPCTSTR pszCode, std::vector<SessionRange>& sessions,
                        const QuoteStore& store = GetQuoteStore());

// Whether a time text (HH:MM, HH:MM:SS, or a longer text ending in HH:MM:SS) lies in the
// market's sessions. bStrictClose excludes the closing minutes; otherwise a session also
// holds its close and nGraceMinutes after it (Hong Kong: a fixed 5).
bool IsCsmSessionTime(LPCTSTR pszTime, BOOL bStrictClose, int nGraceMinutes);
bool IsHksSessionTime(LPCTSTR pszTime, BOOL bStrictClose);
bool IsMarketSessionTime(LPCTSTR pszMarket, LPCTSTR pszTime, BOOL bStrictClose,
                         int nGraceMinutes);
