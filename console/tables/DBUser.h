// Table "User" in file "DU": which client account follows which strategy.
#pragma once
#include <vector>
#include "DBBase.h"
#include "UserStrategy.h"

class CDBUser : public CDBBase
{
public:
    CDBUser(const CString& path, const DatabaseKey& key);

    bool CreateTable() override;
    bool Insert(const UserStrategy& user);
    bool LoadAll(std::vector<UserStrategy>& users, const CString& orderColumn, bool ascending,
                 int limit, int offset);
    // Deletes every row and inserts the list in one transaction. Rows the table refuses (the
    // same account and strategy twice) are left out and make the result false.
    bool ReplaceAll(const std::vector<UserStrategy>& users);

private:
    static int ReadRow(void* list, int columns, char** values, char** names);

    CString m_sql;
};
