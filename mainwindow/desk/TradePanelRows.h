// The row texts of the trade panel's lists: cells joined by "|" in the columns of the
// positions, today's orders and today's fills windows.
#pragma once
#include <afx.h>
#include "OrderEntry.h"
#include "PositionBook.h"
#include "QuoteStore.h"

// 名称 (with "(平仓中)" while a close order is under way), 代码, 方向, 持仓 (lots), 持仓成本,
// 浮动盈亏, 货币
CString PositionRowText(const CString* positionTexts, bool closing, const QuoteStore& store = GetQuoteStore());
// The fifteen columns of today's orders.
CString OrderRowText(const OrderEntry& entry, const QuoteStore& store = GetQuoteStore());
// The ten columns of today's fills.
CString FillRowText(const OrderEntry& entry, const QuoteStore& store = GetQuoteStore());
