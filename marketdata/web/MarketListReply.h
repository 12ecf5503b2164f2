// Readers of the instrument-list services: the list itself (a JSON array, also the cache
// file), the list version and the plain-text quote snapshot.
#pragma once
#include <afx.h>
#include <string>
#include <vector>
#include "MarketListItem.h"
#include "QuoteRow.h"

// True when text is a JSON array with at least one element; appends one item per element that
// has "index", "code", "name" and "type" ("name_en" may be absent) and skips the others. Names
// are converted from UTF-8 to the ANSI code page.
bool ParseMarketList(const std::string& text, std::vector<MarketListItem>& items);

// The list version of a version reply: when "returnCode" reads as 200 and "returnMsg" is
// present, the number of its "version" member; else -1.
int ParseListVersion(const std::string& text);

// The snapshot text: each record between "[" and the next "]", fields separated by "|";
// records of fewer than 17 fields are skipped, longer ones use the first 17 (code, open,
// pre_close, price, low, high, bid, ask, volume, amount, b1_v, b1_p, a1_v, a1_p, status, mggs,
// jggd). Appends one row per record: depth level 1 only, volume since last "0", change flags
// 0, no quote time and no name.
void ParseSnapshotText(const std::string& text, std::vector<QuoteRow>& rows);
