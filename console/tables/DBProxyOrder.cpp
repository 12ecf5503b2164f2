#include "DBProxyOrder.h"

#include <vector>

#include "TableSql.h"

namespace {

struct Column
{
    const char* name;
    CString ProxyOrderRecord::*field;
};

const Column kColumns[] = {
    {"DateTime", &ProxyOrderRecord::DateTime},       {"ContractName", &ProxyOrderRecord::ContractName},
    {"Contract", &ProxyOrderRecord::Contract},       {"OrderType", &ProxyOrderRecord::OrderType},
    {"Bid", &ProxyOrderRecord::Bid},                 {"OrderPrice", &ProxyOrderRecord::OrderPrice},
    {"OrderCount", &ProxyOrderRecord::OrderCount},   {"TradedCount", &ProxyOrderRecord::TradedCount},
    {"Status", &ProxyOrderRecord::Status},           {"mg", &ProxyOrderRecord::mg},
    {"AvePrice", &ProxyOrderRecord::AvePrice},       {"OrderNo", &ProxyOrderRecord::OrderNo},
    {"ps", &ProxyOrderRecord::ps},                   {"cid", &ProxyOrderRecord::cid},
};
const size_t kColumnCount = sizeof(kColumns) / sizeof(kColumns[0]);

const char kKeyCondition[] = " where OrderNo = ? and cid = ?";

}  // namespace

CDBProxyOrder::CDBProxyOrder(const CString& path, const DatabaseKey& key) : CDBBase(path, key)
{
    m_table = "ProxyOrder";
    CreateTable();
}

bool CDBProxyOrder::CreateTable()
{
    m_sql = "create table " + m_table
            + "(DateTime datetime, ContractName varchar(100), Contract varchar(50), "
              "OrderType varchar(50), Bid varchar(50), OrderPrice varchar(20), OrderCount varchar(20), "
              "TradedCount varchar(20), Status varchar(20), mg varchar(20), AvePrice varchar(20), "
              "OrderNo varchar(50), ps varchar(20), cid varchar(50), primary key(OrderNo, cid))";
    return ExecSql(m_sql, nullptr, nullptr);
}

std::vector<CString> CDBProxyOrder::ColumnValues(const ProxyOrderRecord& record)
{
    std::vector<CString> values;
    for (const Column& column : kColumns)
        values.push_back(record.*column.field);
    return values;
}

bool CDBProxyOrder::Insert(const ProxyOrderRecord& record)
{
    m_sql = "insert into " + m_table
            + "(DateTime, ContractName, Contract, OrderType, Bid, OrderPrice, OrderCount, TradedCount,"
              " Status, mg, AvePrice, OrderNo, ps, cid) values("
            + Placeholders(kColumnCount) + ")";
    return ExecBound(m_sql, ColumnValues(record), nullptr, nullptr);
}

int CDBProxyOrder::ReadRow(void* list, int columns, char** values, char** names)
{
    return GuardedRow([&] {
        ProxyOrderRecord record;
        ReadRowColumns(columns, values, names, [&](const char* name, const CString& value) {
            for (const Column& column : kColumns) {
                if (CString(name) == column.name)
                    record.*column.field = value;
            }
        });
        record.bSaveMark = 1;
        static_cast<std::vector<ProxyOrderRecord>*>(list)->push_back(record);
    });
}

bool CDBProxyOrder::UpsertProxyOrder(const ProxyOrderRecord& record)
{
    std::vector<ProxyOrderRecord> existing;
    m_sql = "select * from " + m_table + kKeyCondition;
    ExecBound(m_sql, {record.OrderNo, record.cid}, &CDBProxyOrder::ReadRow, &existing);
    if (existing.empty())
        return Insert(record);
    m_sql = "update " + m_table + " set ";
    for (size_t i = 0; i < kColumnCount; ++i)
        m_sql += CString(i > 0 ? ", " : "") + kColumns[i].name + " = ?";
    m_sql += kKeyCondition;
    std::vector<CString> values = ColumnValues(record);
    values.push_back(record.OrderNo);
    values.push_back(record.cid);
    return ExecBound(m_sql, values, nullptr, nullptr);
}

bool CDBProxyOrder::QueryByTime(std::vector<ProxyOrderRecord>& records, const CString& from, const CString& to)
{
    m_sql = "select * from " + m_table + " where DateTime between ? and ? order by DateTime asc";
    return ExecBound(m_sql, {from, to}, &CDBProxyOrder::ReadRow, &records);
}
