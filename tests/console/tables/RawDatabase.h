// Reads a database file with SQLite directly, with or without a key, to see what the file
// itself holds.
#pragma once
#include <afx.h>
#include <string>
#include <vector>

struct RawQueryResult
{
    int code = 0;                                // SQLite result of the statement
    std::string message;                         // its error text
    std::vector<std::vector<std::string>> rows;  // UTF-8 values
};

RawQueryResult RawQuery(const CString& path, const char* key, const char* sql);
