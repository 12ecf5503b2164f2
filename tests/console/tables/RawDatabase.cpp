#include "RawDatabase.h"

#include <sqlcipher/sqlite3.h>
#include <string.h>

#include "DBBase.h"

RawQueryResult RawQuery(const CString& path, const char* key, const char* sql)
{
    RawQueryResult result;
    sqlite3* db = nullptr;
    result.code = sqlite3_open_v2(CDBBase::AnsiToUtf8(path).c_str(), &db, SQLITE_OPEN_READONLY, nullptr);
    if (result.code == SQLITE_OK) {
        if (key != nullptr)
            sqlite3_key(db, key, (int)strlen(key));
        char* error = nullptr;
        result.code = sqlite3_exec(
            db, sql,
            [](void* rows, int columns, char** values, char**) {
                std::vector<std::string> row;
                for (int i = 0; i < columns; ++i)
                    row.push_back(values[i] != nullptr ? values[i] : "");
                static_cast<std::vector<std::vector<std::string>>*>(rows)->push_back(row);
                return 0;
            },
            &result.rows, &error);
        result.message = error != nullptr ? error : "";
        sqlite3_free(error);
    }
    sqlite3_close_v2(db);
    return result;
}
