#include "OrderListText.h"

#include <stdlib.h>

#include "FollowReport.h"
#include "NumberText.h"
#include "OrderWords.h"
#include "SymbolRules.h"

namespace {

const COLORREF kRed = RGB(255, 0, 0);
const COLORREF kGreen = RGB(0, 128, 0);

// Only texts of digits and a point are numbers to normalise; anything else is shown as sent.
CString QuantityText(const CString& code, const CString& text)
{
    if (text.IsEmpty() || text.SpanIncluding("0123456789.") != text)
        return text;
    return FormatNumberString(text, GetQuantityDecimals(code));
}

COLORREF StateColor(const CString& state)
{
    if (state == "已成交" || state == "已作废" || state == "强平" || IsFollowReportState(state))
        return kRed;
    if (state == "已提交")
        return kGreen;
    return 0;
}

}  // namespace

CString AverageFillPriceText(const OrderRow& row, int decimals)
{
    const double filled = atof(row.fnum);
    if (filled == 0.0)
        return "---";
    CString average;
    average.Format("%f", atof(row.ps) / filled);
    return FormatNumberString(average, decimals);
}

std::vector<CString> OrderListCells(const OrderRow& row)
{
    const int decimals = GetPriceDecimals(row.cn);
    std::vector<CString> cells(ORDER_COL_COUNT);
    cells[ORDER_COL_TIME] = row.ot;
    cells[ORDER_COL_ACCOUNT] = row.clientName;
    cells[ORDER_COL_CODE] = row.cn;
    cells[ORDER_COL_TYPE] = row.ty;
    cells[ORDER_COL_SIDE] = row.an;
    cells[ORDER_COL_PRICE] = FormatNumberString(row.op, decimals);
    cells[ORDER_COL_QUANTITY] = QuantityText(row.cn, row.qy);
    cells[ORDER_COL_FILLED] = QuantityText(row.cn, row.fnum);
    cells[ORDER_COL_STATE] = ShownOrderState(row);
    cells[ORDER_COL_FEE] = row.mg.IsEmpty() ? CString("---") : FormatNumberString(row.mg, 2);
    cells[ORDER_COL_AVERAGE] = AverageFillPriceText(row, decimals);
    cells[ORDER_COL_ORDER_NO] = row.oid;
    cells[ORDER_COL_SUBMIT_NO] = row.cid;
    return cells;
}

std::vector<COLORREF> OrderListColors(const std::vector<CString>& cells, int sideColumn, int stateColumn)
{
    std::vector<COLORREF> colors(cells.size(), 0);
    if ((int)cells.size() > sideColumn) {
        if (cells[sideColumn] == "买")
            colors[sideColumn] = kRed;
        else if (cells[sideColumn] == "卖")
            colors[sideColumn] = kGreen;
    }
    if ((int)cells.size() > stateColumn)
        colors[stateColumn] = StateColor(cells[stateColumn]);
    return colors;
}
