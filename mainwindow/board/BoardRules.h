// The quote board's rules as plain code: which page a sector sync adds or removes, which
// codes the web pollers fetch, the first character a key gives the quick search and how an
// instrument list or a contract list becomes a sector.
#pragma once

#include "ContractRecord.h"
#include "MarketListItem.h"
#include "SectorRecord.h"

#include <afx.h>
#include <map>
#include <vector>

class QuoteStore;

// What one sync of the pages with the store's sectors does: pages to remove (indexes in
// the page list before the sync, ascending) and at most one page to insert.
struct PageSyncPlan
{
    std::vector<int> removePages;
    int insertAt = -1;       // position in the page list after the removals; -1 none
    CString insertName;
};

// Fewer sectors than pages: every page whose sector is gone goes. More sectors: the first
// sector (store order) without a page gets one at that sector's store position. Equal
// counts change nothing.
PageSyncPlan PlanPageSync(const std::vector<CString>& pageNames,
                          const std::vector<CString>& storeNames);

// The position of the name among the pages; 0 when it is gone and pages exist; -1 else.
int PageIndexAfterSync(const std::vector<CString>& pageNames, const CString& remembered);

// The page a selected tab stands for: -1 for a selection outside the pages.
int PageIndexForTab(int selection, int pageCount);

// An order the pollers keep fetching: saved and not finished.
bool KeepsCodePolled(bool saveMark, const CString& status);

// The codes of the visible rows and open orders joined with the held codes: sorted by byte
// order, each code once.
std::vector<CString> MergePolledCodes(std::vector<CString> listed, std::vector<CString> held);

// The previous codes that are not among the current ones (both as the pollers got them).
std::vector<CString> DroppedCodes(const std::vector<CString>& previous,
                                  const std::vector<CString>& current);

// The codes of "沪深" and of "港股"; the chart code and codes of other sectors are left out.
void SplitCodesByMarket(const std::vector<CString>& codes, const CString& chartCode,
                        const QuoteStore& store, std::vector<CString>& csm,
                        std::vector<CString>& hks);

// The first input a key-down gives the quick search: keypad and top-row digits, letters in
// upper case when exactly one of Caps Lock and Shift is on. Empty for anything else.
CString SmartKeyText(UINT message, WPARAM key, bool capsLockOn, bool shiftDown);

// The sector of an instrument list: market 1 "沪深" ("CSM_P"), market 0 "港股" ("HKS_P").
SectorRecord BuildMarketSector(int market, const std::vector<MarketListItem>& items);
// The sector of a quote connection's contract list, named by its second text.
SectorRecord BuildContractSector(const CString texts[3],
                                 const std::map<CString, ContractRecord>& contracts);
// An empty "我的板块".
SectorRecord BuildMySector();
