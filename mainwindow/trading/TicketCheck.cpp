#include "TicketCheck.h"
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include "SymbolRules.h"

namespace {
const char kBuy[] = "买入";
const char kSell[] = "卖出";
const char kMarket[] = "市价";
const char kLimit[] = "限价";
const char kStop[] = "条件止损价";
// Prices and steps are compared on a common scale; more digits than this would not fit.
const int kMaxDecimals = 9;
}  // namespace

int DecimalsOfText(const CString& text)
{
    const int point = text.Find('.');
    return point < 0 ? 0 : text.GetLength() - point - 1;
}

bool ScaleDecimalText(const CString& text, int decimals, long long& value)
{
    value = 0;
    int i = 0;
    const int length = text.GetLength();
    bool negative = false;
    if (i < length && text[i] == '-')
    {
        negative = true;
        ++i;
    }
    int digits = 0;
    int fraction = -1;   // digits seen after the point; -1 before it
    long long result = 0;
    for (; i < length; ++i)
    {
        const char c = text[i];
        if (c == '.')
        {
            if (fraction >= 0)
                return false;
            fraction = 0;
            continue;
        }
        if (c < '0' || c > '9')
            return false;
        ++digits;
        if (fraction >= 0)
        {
            if (fraction >= decimals)
            {
                if (c != '0')
                    return false;
                continue;
            }
            ++fraction;
        }
        if (result > 100000000000000000LL)
            return false;
        result = result * 10 + (c - '0');
    }
    if (digits == 0)
        return false;
    for (int f = fraction < 0 ? 0 : fraction; f < decimals; ++f)
        result *= 10;
    value = negative ? -result : result;
    return true;
}

CString BuildOrderFromTicket(const TicketFields& ticket, OrderRequest& request, const QuoteStore& store)
{
    request = OrderRequest();
    request.code = ticket.code;
    if (request.code.IsEmpty())
        return "请先选中合约！";

    SectorRow row;
    store.GetQuoteRow(ticket.code, row);
    request.price = ticket.price;

    if (ticket.direction == kBuy)
        request.side = "B";
    else if (ticket.direction == kSell)
        request.side = "S";
    else
        return "请选择买卖方向！";

    const bool market = ticket.priceKind == kMarket;
    if (market)
        request.orderType = "M";
    else if (ticket.priceKind == kLimit)
        request.orderType = "L";
    else if (ticket.priceKind == kStop)
    {
        request.orderType = "S";
        const double last = atof(row.quote.strLastPrice);
        const double price = atof(ticket.price);
        if (request.side == "B" && !(price > last))
            return "买入价必须大于当前合约的最新价！";
        if (request.side == "S" && !(price < last))
            return "卖出价必须小于当前合约的最新价！";
    }
    else
        return "请选择价格类型！";

    if (!market)
    {
        // Price and step on one scale of whole units, so no floating-point remainder decides.
        const int decimals = std::min(kMaxDecimals,
            std::max(GetPriceDecimals(ticket.code, store),
                     std::max(DecimalsOfText(ticket.price), DecimalsOfText(ticket.priceStep))));
        long long price = 0;
        long long step = 0;
        const bool priceRead = ScaleDecimalText(ticket.price, decimals, price);
        if (!ScaleDecimalText(ticket.priceStep, decimals, step) || step < 0)
            step = 0;
        if (priceRead && step != 0 && price % step != 0)
            return "您输入的价格不是最小变动价格的整数倍，最小变动价格为: " + ticket.priceStep + " ！";
        if (!priceRead || price <= 0)
            return "价格必须大于 0 ！";
    }

    if (!(atof(ticket.quantity) > 0.0))
        return "数量必须大于 0 ！";

    request.quantity = ticket.quantity;
    ConvertLotQuantity(request.quantity, ticket.code, TRUE, store);
    request.isFollowOrder = false;
    return "";
}
