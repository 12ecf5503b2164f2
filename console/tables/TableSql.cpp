#include "TableSql.h"

#include <sqlcipher/sqlite3.h>
#include <string.h>

#include "DBBase.h"

CString SelectTail(const CString& orderColumn, bool ascending, int limit, int offset)
{
    CString tail;
    if (!orderColumn.IsEmpty())
        tail = " order by " + orderColumn + " " + (ascending ? "asc" : "desc");
    tail.AppendFormat(" limit %d offset %d", limit, offset);
    return tail;
}

CString Placeholders(size_t count)
{
    CString places;
    for (size_t i = 0; i < count; ++i)
        places += i > 0 ? ", ?" : "?";
    return places;
}

void ReadRowColumns(int columns, char** values, char** names,
                    const std::function<void(const char*, const CString&)>& take)
{
    for (int i = 0; i < columns; ++i) {
        const std::string text = CDBBase::Utf8ToAnsi(values[i] == nullptr ? "" : values[i]);
        take(names[i], CString(text.c_str()));
    }
}

bool IsRefusedRow(int sqliteResult)
{
    return (sqliteResult & 0xFF) == SQLITE_CONSTRAINT;
}

bool HoldsNulByte(const CString& text)
{
    return strlen(text) != (size_t)text.GetLength();
}
