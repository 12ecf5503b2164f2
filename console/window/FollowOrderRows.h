// The console's own follow orders, as the main window stored them in its proxy-order table,
// shown among the client orders of the history-order query window.
#pragma once
#include <afx.h>
#include <vector>
#include "OrderRow.h"
#include "ProxyOrderRecord.h"

class CDBProxyOrder;

// The record as an order row of `account` (the administrator's own account, on which the
// follow orders went out): the kind and side digits as the console's words, the time with
// dashes ("20261210 10:00:00" becomes "2026-12-10 10:00:00"), "---" as no fee.
OrderRow FollowOrderRow(const ProxyOrderRecord& record, const CString& account);

// Appends the stored follow orders of the days from `first` to `last`, as rows of `account`;
// false when the table cannot be read.
bool QueryFollowOrderRows(CDBProxyOrder& table, const CTime& first, const CTime& last, const CString& account,
                          std::vector<OrderRow>& rows);
