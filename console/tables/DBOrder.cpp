#include "DBOrder.h"

#include "TableSql.h"

namespace {

const char kKeyCondition[] = " where clientName = ? and cid = ? and oid = ?";

}  // namespace

CDBOrder::CDBOrder(const CString& path, const DatabaseKey& key) : CDBBase(path, key)
{
    m_table = "UserOrder";
    CreateTable();
}

bool CDBOrder::CreateTable()
{
    m_sql = "create table " + m_table
            + "(clientName varchar(50) not null, cid varchar(50) not null, fnum varchar(20), "
              "mg varchar(20), oid varchar(50) not null, ps varchar(20), st varchar(20), "
              "ty varchar(20), an varchar(20), ot datetime, cn varchar(50), qy varchar(20), "
              "op varchar(20), primary key(clientName, cid, oid))";
    return ExecSql(m_sql, nullptr, nullptr);
}

bool CDBOrder::Insert(const OrderRow& row)
{
    m_sql = "insert into " + m_table + "(clientName, cid, fnum, mg, oid, ps, st, ty, an, ot, cn, qy, op) values("
            + Placeholders(13) + ")";
    return ExecBound(m_sql,
                     {row.clientName, row.cid, row.fnum, row.mg, row.oid, row.ps, row.st, row.ty, row.an, row.ot,
                      row.cn, row.qy, row.op},
                     nullptr, nullptr);
}

bool CDBOrder::InsertAll(const std::vector<OrderRow>& rows)
{
    bool allStored = true;
    for (const OrderRow& row : rows)
        allStored = Insert(row) && allStored;
    return allStored;
}

std::vector<CString> CDBOrder::KeyValues(const OrderRow& row)
{
    return {row.clientName, row.cid, row.oid};
}

bool CDBOrder::FindOrder(const OrderRow& key, OrderRow& found)
{
    std::vector<OrderRow> rows;
    m_sql = "select * from " + m_table + kKeyCondition;
    if (!ExecBound(m_sql, KeyValues(key), &CDBOrder::ReadRow, &rows) || rows.empty())
        return false;
    found = rows.front();
    return true;
}

bool CDBOrder::UpsertOrder(const OrderRow& row)
{
    OrderRow existing;
    if (!FindOrder(row, existing))
        return Insert(row);
    m_sql = "update " + m_table
            + " set fnum = ?, mg = ?, ps = ?, st = ?, ty = ?, an = ?, ot = ?, cn = ?, qy = ?, op = ?" + kKeyCondition;
    std::vector<CString> values = {row.fnum, row.mg, row.ps, row.st, row.ty, row.an, row.ot, row.cn, row.qy, row.op};
    for (const CString& key : KeyValues(row))
        values.push_back(key);
    return ExecBound(m_sql, values, nullptr, nullptr);
}

int CDBOrder::ReadRow(void* list, int columns, char** values, char** names)
{
    return GuardedRow([&] {
        OrderRow row;
        ReadRowColumns(columns, values, names, [&](const char* name, const CString& value) {
            const CString column(name);
            CString* field = column == "clientName" ? &row.clientName
                             : column == "cid"      ? &row.cid
                             : column == "fnum"     ? &row.fnum
                             : column == "mg"       ? &row.mg
                             : column == "oid"      ? &row.oid
                             : column == "ps"       ? &row.ps
                             : column == "st"       ? &row.st
                             : column == "ty"       ? &row.ty
                             : column == "an"       ? &row.an
                             : column == "ot"       ? &row.ot
                             : column == "cn"       ? &row.cn
                             : column == "qy"       ? &row.qy
                             : column == "op"       ? &row.op
                                                    : nullptr;
            if (field != nullptr)
                *field = value;
        });
        static_cast<std::vector<OrderRow>*>(list)->push_back(row);
    });
}

bool CDBOrder::QueryOrders(std::vector<OrderRow>& rows, const CString& from, const CString& to,
                           const CString& orderColumn, bool ascending, int limit, int offset)
{
    m_sql = "select * from " + m_table + " where ot between ? and ?" + SelectTail(orderColumn, ascending, limit, offset);
    return ExecBound(m_sql, {from, to}, &CDBOrder::ReadRow, &rows);
}
