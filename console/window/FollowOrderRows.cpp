#include "FollowOrderRows.h"

#include "DBProxyOrder.h"

namespace {

// "YYYYMMDD hh:mm:ss", the main window's own form, with dashes; other texts as they are.
CString DashedTime(const CString& time)
{
    if (time.GetLength() < 8 || time.Left(8).SpanIncluding("0123456789") != time.Left(8))
        return time;
    return time.Left(4) + "-" + time.Mid(4, 2) + "-" + time.Mid(6);
}

}  // namespace

OrderRow FollowOrderRow(const ProxyOrderRecord& record, const CString& account)
{
    OrderRow row;
    row.clientName = account;
    row.cid = record.cid;
    row.fnum = record.TradedCount;
    row.mg = record.mg == "---" ? CString() : record.mg;
    row.oid = record.OrderNo;
    row.ps = record.ps;
    row.st = record.Status;
    row.ty = record.OrderType == "0" ? "市价" : record.OrderType == "1" ? "限价" : record.OrderType == "2" ? "条件止损价"
                                                                                                     : record.OrderType;
    row.an = record.Bid == "0" ? "买" : record.Bid == "1" ? "卖" : record.Bid;
    row.ot = DashedTime(record.DateTime);
    row.cn = record.Contract;
    row.qy = record.OrderCount;
    row.op = record.OrderPrice;
    return row;
}

bool QueryFollowOrderRows(CDBProxyOrder& table, const CTime& first, const CTime& last, const CString& account,
                          std::vector<OrderRow>& rows)
{
    // The main window writes "YYYYMMDD hh:mm:ss"; times taken from the servers' reports come
    // with dashes.
    std::vector<ProxyOrderRecord> records;
    const bool read = table.QueryByTime(records, first.Format("%Y%m%d 00:00:00"), last.Format("%Y%m%d 23:59:59"))
                      && table.QueryByTime(records, first.Format("%Y-%m-%d 00:00:00"),
                                           last.Format("%Y-%m-%d 23:59:59"));
    for (const ProxyOrderRecord& record : records)
        rows.push_back(FollowOrderRow(record, account));
    return read;
}
