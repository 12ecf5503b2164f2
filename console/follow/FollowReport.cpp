#include "FollowReport.h"

CString FollowReportState(FollowReport::Outcome outcome)
{
    switch (outcome) {
    case FollowReport::NOT_SENT:
        return "补单未发出";
    case FollowReport::REFUSED:
        return "补单失败";
    case FollowReport::UNANSWERED:
        return "补单未确认";
    case FollowReport::LEFT_OPEN:
        return "补单仍挂单";
    case FollowReport::CANCEL_UNCONFIRMED:
        return "撤单未确认";
    }
    return CString();
}

bool IsFollowReportState(const CString& state)
{
    for (FollowReport::Outcome outcome : {FollowReport::NOT_SENT, FollowReport::REFUSED, FollowReport::UNANSWERED,
                                          FollowReport::LEFT_OPEN, FollowReport::CANCEL_UNCONFIRMED}) {
        if (state == FollowReportState(outcome))
            return true;
    }
    return false;
}

OrderRow FollowReportRow(const FollowReport& report, const CTime& at)
{
    const OrderRequest& order = report.request;
    OrderRow row;
    row.clientName = report.fill.clientName;
    row.cn = order.code.IsEmpty() ? report.fill.cn : order.code;
    row.ty = order.orderType == "M" ? "市价" : order.orderType == "L" ? "限价" : "";
    row.an = order.side == "B" ? "买" : order.side == "S" ? "卖" : "";
    row.op = order.price;
    row.qy = order.quantity;
    row.st = FollowReportState(report.outcome);
    row.oid = report.orderKey;
    row.cid = order.clientRef;
    row.ot = at.Format("%Y-%m-%d %H:%M:%S");
    return row;
}

CString FollowReportLine(const FollowReport& report)
{
    const OrderRow& fill = report.fill;
    const OrderRequest& order = report.request;
    CString line;
    line.Format("%s 账户=%s 委托号=%s 提交单号=%s 代码=%s 买卖=%s 成手=%s | 补单 代码=%s 买卖=%s 类型=%s 价格=%s "
                "数量=%s 提交单号=%s 委托号=%s",
                (LPCSTR)FollowReportState(report.outcome), (LPCSTR)fill.clientName, (LPCSTR)fill.oid,
                (LPCSTR)fill.cid, (LPCSTR)fill.cn, (LPCSTR)fill.an, (LPCSTR)fill.fnum, (LPCSTR)order.code,
                (LPCSTR)order.side, (LPCSTR)order.orderType, (LPCSTR)order.price, (LPCSTR)order.quantity,
                (LPCSTR)order.clientRef, (LPCSTR)report.orderKey);
    return line;
}
