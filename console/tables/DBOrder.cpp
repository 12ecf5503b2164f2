#include "DBOrder.h"

#include "TableSql.h"

CDBOrder::CDBOrder(const CString& path, const CString& key) : CDBBase(path, key)
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
    m_sql = "insert into " + m_table
            + "(clientName, cid, fnum, mg, oid, ps, st, ty, an, ot, cn, qy, op) values("
            + JoinLiterals({row.clientName, row.cid, row.fnum, row.mg, row.oid, row.ps, row.st,
                            row.ty, row.an, row.ot, row.cn, row.qy, row.op})
            + ")";
    return ExecSql(m_sql, nullptr, nullptr);
}

bool CDBOrder::InsertAll(const std::vector<OrderRow>& rows)
{
    bool allStored = true;
    for (const OrderRow& row : rows)
        allStored = Insert(row) && allStored;
    return allStored;
}

CString CDBOrder::KeyCondition(const OrderRow& row) const
{
    return " where clientName = " + SqlLiteral(row.clientName) + " and cid = " + SqlLiteral(row.cid)
           + " and oid = " + SqlLiteral(row.oid);
}

bool CDBOrder::UpsertOrder(const OrderRow& row)
{
    std::vector<OrderRow> existing;
    m_sql = "select * from " + m_table + KeyCondition(row);
    ExecSql(m_sql, &CDBOrder::ReadRow, &existing);
    if (existing.empty())
        return Insert(row);
    m_sql = "update " + m_table + " set fnum = " + SqlLiteral(row.fnum) + ", mg = " + SqlLiteral(row.mg)
            + ", ps = " + SqlLiteral(row.ps) + ", st = " + SqlLiteral(row.st) + ", ty = "
            + SqlLiteral(row.ty) + ", an = " + SqlLiteral(row.an) + ", ot = " + SqlLiteral(row.ot)
            + ", cn = " + SqlLiteral(row.cn) + ", qy = " + SqlLiteral(row.qy) + ", op = "
            + SqlLiteral(row.op) + KeyCondition(row);
    return ExecSql(m_sql, nullptr, nullptr);
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
    m_sql = "select * from " + m_table + " where ot between " + SqlLiteral(from) + " and "
            + SqlLiteral(to) + SelectTail(orderColumn, ascending, limit, offset);
    return ExecSql(m_sql, &CDBOrder::ReadRow, &rows);
}
