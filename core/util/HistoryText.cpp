#include "HistoryText.h"

#include "DateText.h"
#include "ServerClock.h"
#include "TextHelpers.h"

#include <stdlib.h>

HistoryList::~HistoryList()
{
    HistoryRow* row = pFirst;
    while (row != NULL)
    {
        HistoryRow* next = row->pNext;
        delete row;
        row = next;
    }
}

namespace {

bool IsHistoryLineCharacter(char ch)
{
    return ch == ' ' || (ch >= '0' && ch <= '9') || ch == ':' || ch == '.' || ch == '-' || ch == '\n';
}

int CompareAsNumbers(const CString& a, const CString& b)
{
    const double valueA = atof(a), valueB = atof(b);
    if (valueA > valueB)
        return 2;
    if (valueA < valueB)
        return 1;
    return 0;
}

// Where date stands in line with its field ending right after it (a blank or the end follows):
// "202406303" holds "20240630" but is the field of another date. -1 when nowhere.
int FindDateField(const CString& line, const CString& date)
{
    for (int found = line.Find(date); found >= 0; found = line.Find(date, found + 1))
    {
        const int after = found + date.GetLength();
        if (after == line.GetLength() || line[after] == ' ' || line[after] == '\r')
            return found;
    }
    return -1;
}

} // namespace

HistoryRow* ParseHistoryLine(const CString& line, HistoryList& list, bool withDate)
{
    CString clean = line;
    clean.Remove('\n');
    clean.Trim();
    if (clean.IsEmpty())
        return NULL;
    for (int i = 0; i < clean.GetLength(); ++i)
        if (!IsHistoryLineCharacter(clean[i]))
            return NULL;

    CStringArray fields;
    SplitString(fields, clean, " ", true, true);
    const int needed = withDate ? 6 : 5;
    if (fields.GetSize() < needed)
        return NULL;

    HistoryRow* row = new HistoryRow;
    int next = 0;
    if (withDate)
        row->strDate = fields[next++];
    row->strValueA = fields[next++];
    row->strValueB = fields[next++];
    row->strValueC = fields[next++];
    row->strValueD = fields[next++];
    row->strValueE = fields[next++];
    row->nDirection = CompareAsNumbers(row->strValueA, row->strValueB);
    row->nIndex = list.nCount++;

    row->pPrev = list.pLast;
    if (list.pLast != NULL)
        list.pLast->pNext = row;
    else
        list.pFirst = row;
    list.pLast = row;
    return row;
}

HistoryList* ParseHistoryTextOn(const CString& today, const CString& startDate, const CString& endDate,
                                const CString& text, bool byDate)
{
    if (text.IsEmpty())
        return NULL;

    CStringArray lines;
    SplitString(lines, text, "\n", true, false);
    HistoryList* list = new HistoryList;

    if (!byDate)
    {
        for (INT_PTR i = 0; i < lines.GetSize(); ++i)
            ParseHistoryLine(lines[i], *list, false);
    }
    else
    {
        CStringArray dates;
        EnumerateDates(startDate, endDate, dates);
        INT_PTR nextDate = 0; // dates before this one were taken or passed over
        for (INT_PTR i = 0; i < lines.GetSize(); ++i)
        {
            const CString& line = lines[i];
            if (!today.IsEmpty() && line.Find(today) >= 0)
                continue;
            for (INT_PTR d = nextDate; d < dates.GetSize(); ++d)
            {
                const int found = FindDateField(line, dates[d]);
                if (found >= 0)
                {
                    nextDate = d + 1;
                    ParseHistoryLine(line.Mid(found), *list, true);
                    break;
                }
            }
        }
    }

    if (list->nCount == 0)
    {
        delete list;
        return NULL;
    }
    return list;
}

HistoryList* ParseHistoryText(const CString& startDate, const CString& endDate,
                              const CString& /*rangeStart*/, const CString& /*rangeEnd*/,
                              const CString& text, bool byDate)
{
    const CTime now = GetServerTime();
    CString today;
    today.Format("%04d%02d%02d", now.GetYear(), now.GetMonth(), now.GetDay());
    return ParseHistoryTextOn(today, startDate, endDate, text, byDate);
}
