// The trading-history reply of the history web service: plain text, one line per day
// ("YYYYMMDD A B C D E", blank-separated numbers), turned into a linked list of day rows.
#pragma once
#include <afx.h>

struct HistoryRow
{
    CString strText0;   // left for the caller
    CString strDate;    // YYYYMMDD
    CString strValueA;
    CString strValueC;
    CString strValueD;
    CString strValueB;
    CString strValueE;
    CString strText7;   // left for the caller
    int nIndex;         // position in the list, from 0
    int nDirection;     // 2 when A > B, 1 when A < B, 0 when equal (as numbers)
    HistoryRow* pPrev;
    HistoryRow* pNext;

    HistoryRow() : nIndex(0), nDirection(0), pPrev(NULL), pNext(NULL) {}
};

// Owns its rows; deleting the list deletes them.
struct HistoryList
{
    CString strText[4]; // left for the caller
    HistoryRow* pFirst;
    HistoryRow* pLast;
    int nCount;

    HistoryList() : pFirst(NULL), pLast(NULL), nCount(0) {}
    ~HistoryList();

private:
    HistoryList(const HistoryList&) = delete;
    HistoryList& operator=(const HistoryList&) = delete;
};

// Parses one line into a new row appended to list: line feeds removed, blanks trimmed; only
// blanks, digits, ":", "." and "-" allowed; split at single blanks (two blanks make an empty
// field); at least 6 fields with withDate (date, A, B, C, D, E), else 5 (A to E). Returns the
// row, or null with the list unchanged.
HistoryRow* ParseHistoryLine(const CString& line, HistoryList& list, bool withDate);

// Parses the reply text. With byDate, only lines carrying a date of the range startDate to
// endDate ("YYYYMMDD") become rows, in ascending date order and at most one per date, and a
// line carrying `today` (the server date, "YYYYMMDD") never does, since the service's figure
// for today is not final. Without byDate every line is parsed without a date. Returns a new
// list owned by the caller, or null when the text is empty or no line was accepted.
HistoryList* ParseHistoryTextOn(const CString& today, const CString& startDate, const CString& endDate,
                                const CString& text, bool byDate);

// The same with today taken from the server clock. The caller passes its query's range twice;
// the first pair is the range used.
HistoryList* ParseHistoryText(const CString& startDate, const CString& endDate,
                              const CString& rangeStart, const CString& rangeEnd,
                              const CString& text, bool byDate);
