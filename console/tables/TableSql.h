// Pieces of SQL text and row reading shared by the console tables.
#pragma once
#include <afx.h>
#include <functional>
#include <vector>

// " order by <column> asc|desc" (only with a column), then " limit <n> offset <m>".
CString SelectTail(const CString& orderColumn, bool ascending, int limit, int offset);

// The places of `count` bound values joined by ", ": "?, ?, ?".
CString Placeholders(size_t count);

// Calls take(name, value) for every column of a row, the value converted to program text
// (an SQL NULL reads as empty text).
void ReadRowColumns(int columns, char** values, char** names,
                    const std::function<void(const char*, const CString&)>& take);

// Replacing a whole table keeps going past rows the table refuses (a duplicate key), as the
// inserts one by one always did; any other failure undoes the whole replacement.
bool IsRefusedRow(int sqliteResult);

// True when the text holds a NUL byte before its end. The conversions to UTF-8 stop at the
// first NUL, so such a value would be stored cut short, as another value (or another key):
// the tables refuse it instead, as the strategy editor refuses it in a name.
bool HoldsNulByte(const CString& text);
