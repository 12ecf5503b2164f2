#include "TradePanelText.h"

#include "TradePanelMessages.h"

#include "NumberText.h"
#include "SymbolRules.h"
#include "TextHelpers.h"

#include <cstdlib>

namespace tradepanel {

namespace {

CString WithoutMainMark(CString name)
{
    name.Replace("(主力)", "");
    return name;
}

CString SideWord(const CString& side)
{
    return side == "0" ? "买" : side == "1" ? "卖" : "---";
}

CString OrderTypeWord(const CString& type)
{
    return type == "0" ? "市价" : type == "1" ? "限价" : type == "2" ? "条件止损价" : "";
}

CString EffectWord(const CString& effect)
{
    return effect == "O,P" ? "开仓" : effect == "C,P" ? "平仓" : "---";
}

CString Join(const std::vector<CString>& cells)
{
    CString row;
    for (size_t i = 0; i < cells.size(); ++i) {
        if (i > 0)
            row += "|";
        row += cells[i];
    }
    return row;
}

ListCommand Command(int op, int row, const CString& text = CString())
{
    ListCommand command;
    command.op = op;
    command.row = row;
    command.text = text;
    return command;
}

}  // namespace

CString NormalizeQuantityText(const CString& code, const CString& text)
{
    if (text.IsEmpty() || text.SpanIncluding("0123456789.") != text)
        return text;
    // The server counts forex in units; the lists, like the order form, show lots.
    CString lots = text;
    ConvertLotQuantity(lots, code, FALSE);
    return FormatNumberString(lots, GetQuantityDecimals(code));
}

CString PositionRowText(const CString* texts, bool closing)
{
    const CString& code = texts[1];
    int decimals = GetPriceDecimals(code);
    CString name = WithoutMainMark(texts[0]);
    if (closing)
        name += "(平仓中)";
    return Join({name, code, SideWord(texts[2]), NormalizeQuantityText(code, texts[3]),
                 FormatNumberString(texts[4], decimals + 1), FormatNumberString(texts[5], decimals),
                 GetCurrencyName(texts[7])});
}

CString OrderRowText(const OrderEntry& o)
{
    const CString& code = o[OrderEntry::CONTRACT];
    int decimals = GetPriceDecimals(code);
    return Join({o[OrderEntry::DATE_TIME], WithoutMainMark(o[OrderEntry::CONTRACT_NAME]), code,
                 OrderTypeWord(o[OrderEntry::ORDER_TYPE]), SideWord(o[OrderEntry::BID]),
                 FormatNumberString(o[OrderEntry::ORDER_PRICE], decimals),
                 NormalizeQuantityText(code, o[OrderEntry::ORDER_COUNT]),
                 NormalizeQuantityText(code, o[OrderEntry::TRADED_COUNT]), o[OrderEntry::STATUS],
                 FormatNumberString(o[OrderEntry::FEE], 2), FormatNumberString(o[OrderEntry::AVE_PRICE], decimals),
                 o[OrderEntry::ORDER_NO], o[OrderEntry::PROFIT], NormalizeQuantityText(code, o[OrderEntry::CLOSED_COUNT]),
                 EffectWord(o[OrderEntry::EFFECT])});
}

CString FillRowText(const OrderEntry& o)
{
    const CString& code = o[OrderEntry::CONTRACT];
    int decimals = GetPriceDecimals(code);
    return Join({o[OrderEntry::DATE_TIME], WithoutMainMark(o[OrderEntry::CONTRACT_NAME]), code,
                 SideWord(o[OrderEntry::BID]), FormatNumberString(o[OrderEntry::AVE_PRICE], decimals),
                 NormalizeQuantityText(code, o[OrderEntry::TRADED_COUNT]), o[OrderEntry::ORDER_NO],
                 o[OrderEntry::PROFIT], NormalizeQuantityText(code, o[OrderEntry::CLOSED_COUNT]),
                 EffectWord(o[OrderEntry::EFFECT])});
}

void FillSummaryFigures(AccountSummary& summary, const CString& title, const SummaryRecord& funds)
{
    summary.background = 0xFFE1CA;
    summary.title = title;
    summary.titleColour = 0;
    struct Figure { const char* label; int field; int decimals; };
    const Figure figures[] = {{"可用资金", 3, 2}, {"占用保证金", 2, 2}, {"总资产", 0, 2}, {"流动性", 4, 2},
                              {"美股T+0次数", 5, 0}};
    CString numbers[AccountSummary::kFigures];
    for (int k = 0; k < AccountSummary::kFigures; ++k) {
        numbers[k] = FormatNumberString(funds.strFields[figures[k].field], figures[k].decimals);
        summary.figures[k].label = CString(figures[k].label) + ":";
        summary.figures[k].value = k == 4 ? FormatCountText(numbers[k]) : FormatDisplayValue(numbers[k]);
        summary.figures[k].colour = 0;
    }
    // Liquidity under 500 is a warning; a value that is not a number is none. The figure is
    // judged before it is shown: far below zero it shows "---", and the warning must stay
    // when the account is in most danger.
    const CString& liquidity = numbers[3];
    char* end = nullptr;
    double value = strtod(liquidity, &end);
    if (!liquidity.IsEmpty() && end != nullptr && *end == '\0' && value < 500.0)
        summary.figures[3].colour = 255;
    summary.linkEnabled = 0;
}

std::vector<ListCommand> PlanOrderRowSync(int& kept, const std::vector<CString>& rows, int mode)
{
    std::vector<ListCommand> commands;
    const int n = (int)rows.size();
    if (mode == 0) {
        commands.push_back(Command(3, 0));
        kept = 0;
    }
    while (kept > n) {
        commands.push_back(Command(2, mode == 1 ? 0 : kept - 1));
        --kept;
    }
    while (n > kept) {
        commands.push_back(Command(0, mode == 1 ? 0 : kept));
        ++kept;
    }
    if (n > 0) {
        CString text;
        for (int i = 0; i < n; ++i) {
            if (i > 0)
                text += "\n";
            text += rows[i];
        }
        commands.push_back(Command(5, 0, text));
    }
    return commands;
}

UINT RelayTarget(UINT message, const CString& caption, WPARAM& wParam)
{
    struct Row { UINT message; const char* caption; UINT target; };
    static const Row rows[] = {
        {WM_PLATFORM_HEADER_BUTTON, "隐藏", WM_PANEL_HIDE},
        {WM_PLATFORM_HEADER_BUTTON, "浮动", WM_PANEL_FLOAT},
        {WM_POSITIONS_COMMAND, "持仓", WM_QUERY_POSITIONS},
        {WM_POSITIONS_COMMAND, "平仓", WM_CLOSE_POSITION},
        {WM_POSITIONS_COMMAND, "全部平仓", WM_CLOSE_ALL_POSITIONS},
        {WM_ORDERS_COMMAND, "全部", WM_QUERY_ORDERS_ALL},
        {WM_ORDERS_COMMAND, "可撤", WM_QUERY_ORDERS_CANCELLABLE},
        {WM_ORDERS_COMMAND, "撤单", WM_CANCEL_ORDER},
        {WM_ORDERS_COMMAND, "全部撤单", WM_CANCEL_ALL_ORDERS},
        {WM_FILLS_COMMAND, "成交明细", WM_FILLS_VIEW_DETAIL},
        {WM_FILLS_COMMAND, "按委托汇总", WM_FILLS_VIEW_BY_ORDER},
        {WM_FILLS_COMMAND, "按合约汇总", WM_FILLS_VIEW_BY_CONTRACT},
        {WM_FILLS_COMMAND, "刷新", WM_REFRESH_FILLS},
        {WM_QUERY_TAB, "资金状况", WM_QUERY_TAB_CHANGED},
        {WM_QUERY_TAB, "交易历史", WM_QUERY_TAB_CHANGED},
        {WM_QUERY_REQUEST, "查询", WM_QUERY_HISTORY},
        {WM_QUERY_REQUEST, "打印", WM_QUERY_PRINT},
        {WM_QUERY_REQUEST, "查询下一页", WM_QUERY_NEXT_PAGE},
    };
    for (const Row& row : rows) {
        if (row.message != message || caption != row.caption)
            continue;
        if (message == WM_QUERY_TAB)
            wParam = caption == "交易历史" ? 3 : 0;
        return row.target;
    }
    return 0;
}

OrderEntry OrderFromRow(const CString& row)
{
    CStringArray cells;
    SplitString(cells, row, "|", true, true);
    OrderEntry order;
    if (cells.GetSize() >= 12)
        for (int i = 0; i < 12; ++i)
            order[i] = cells[i];
    return order;
}

}  // namespace tradepanel
