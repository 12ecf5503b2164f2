// Reader of the K-line service's replies and the order of its bars.
#pragma once
#include <afx.h>
#include <string>
#include <vector>
#include <jansson.h>
#include "KLineBar.h"

// "YYYYMMDD" written "YYYY-MM-DD"; any text of another length (or with other characters
// than digits) becomes empty.
CString ToDashedDate(const CString& date);

// 0 when "returnCode" is the integer 200: the bars of "list" and then "listDate" are appended
// (ParseKLineList); -1 for a missing or unparsable body or any other code.
int ParseKLineReply(const CString& market, const CString& code, int period,
                    const std::string& body, std::vector<KLineBar>& bars);

// One array of bars: string elements are parsed as JSON first; each object becomes a bar
// with the requested code; a bar whose date and time already came in this array is skipped;
// intraday periods (-100 and 1-59 minutes) keep only bars inside the market's sessions
// (closing minute included, no grace). A missing array adds nothing.
void ParseKLineList(const json_t* list, const CString& market, const CString& code, int period,
                    std::vector<KLineBar>& bars);
// The bar's texts of one object. A time of day "H:M" or "H:M:S" is written "HH:MM" (one minute
// has one text, so duplicates are found); any other time keeps its first 5 characters.
void ParseKLineBar(const json_t* object, KLineBar& bar);

// Sort key of a bar's date (YYYY-MM-DD) and time (HH:MM): larger is later.
__int64 BarTimeKey(const KLineBar& bar);
bool CompareBarTime(const KLineBar& a, const KLineBar& b);
bool IsSameBarTime(const KLineBar& a, const KLineBar& b);
// Sorts by time, keeping the arrival order of bars of the same time, and keeps only the
// first of each time.
void SortAndDeduplicateBars(std::vector<KLineBar>& bars);
