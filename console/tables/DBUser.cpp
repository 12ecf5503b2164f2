#include "DBUser.h"

#include "TableSql.h"

CDBUser::CDBUser(const CString& path, const DatabaseKey& key) : CDBBase(path, key)
{
    m_table = "User";
    CreateTable();
}

bool CDBUser::CreateTable()
{
    m_sql = "create table " + m_table
            + "(userId varchar(20) not null, userName varchar(100), strategyId varchar(20) not null, "
              "strategyName varchar(200), primary key(userId, strategyId))";
    return ExecSql(m_sql, nullptr, nullptr);
}

bool CDBUser::Insert(const UserStrategy& user)
{
    m_sql = "insert into " + m_table + "(userId, userName, strategyId, strategyName) values(" + Placeholders(4) + ")";
    return ExecBound(m_sql, {user.userId, user.userName, user.strategyId, user.strategyName}, nullptr, nullptr);
}

int CDBUser::ReadRow(void* list, int columns, char** values, char** names)
{
    return GuardedRow([&] {
        UserStrategy user;
        ReadRowColumns(columns, values, names, [&](const char* name, const CString& value) {
            const CString column(name);
            if (column == "userId")
                user.userId = value;
            else if (column == "userName")
                user.userName = value;
            else if (column == "strategyId")
                user.strategyId = value;
            else if (column == "strategyName")
                user.strategyName = value;
        });
        static_cast<std::vector<UserStrategy>*>(list)->push_back(user);
    });
}

bool CDBUser::LoadAll(std::vector<UserStrategy>& users, const CString& orderColumn, bool ascending,
                      int limit, int offset)
{
    m_sql = "select * from " + m_table + SelectTail(orderColumn, ascending, limit, offset);
    return ExecSql(m_sql, &CDBUser::ReadRow, &users);
}

bool CDBUser::ReplaceAll(const std::vector<UserStrategy>& users)
{
    return ReplaceRows(users.size(), [&](size_t i) { return Insert(users[i]); });
}
