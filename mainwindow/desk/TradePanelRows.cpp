#include "TradePanelRows.h"
#include "NumberText.h"
#include "SymbolRules.h"
#include "TextHelpers.h"

namespace {

CString Lots(const CString& units, const CString& code, const QuoteStore& store)
{
    CString lots = units;
    ConvertLotQuantity(lots, code, FALSE, store);
    return lots;
}

CString WithoutMainMark(const CString& name)
{
    CString text = name;
    text.Replace("(主力)", "");
    return text;
}

CString SideWord(const CString& digit)
{
    return digit == "0" ? CString("买") : digit == "1" ? CString("卖") : CString("---");
}

CString KindWord(const CString& digit)
{
    return digit == "0" ? CString("市价") : digit == "1" ? CString("限价") : digit == "2" ? CString("条件止损价") : CString();
}

CString EffectWord(const CString& marker)
{
    return marker == "O,P" ? CString("开仓") : marker == "C,P" ? CString("平仓") : CString("---");
}

CString Join(const CString* cells, int count)
{
    CString row;
    for (int i = 0; i < count; ++i)
    {
        if (i > 0)
            row += "|";
        row += cells[i];
    }
    return row;
}

}  // namespace

CString PositionRowText(const CString* p, bool closing, const QuoteStore& store)
{
    const int decimals = GetPriceDecimals(p[1], store);
    const CString cells[] = {
        WithoutMainMark(p[0]) + (closing ? "(平仓中)" : ""),
        p[1],
        SideWord(p[2]),
        Lots(p[3], p[1], store),
        FormatNumberString(p[4], decimals + 1),
        FormatNumberString(p[5], decimals),
        GetCurrencyName(p[7]),
    };
    return Join(cells, _countof(cells));
}

CString OrderRowText(const OrderEntry& e, const QuoteStore& store)
{
    const CString& code = e[OrderEntry::CONTRACT];
    const int decimals = GetPriceDecimals(code, store);
    const CString cells[] = {
        e[OrderEntry::DATE_TIME],
        WithoutMainMark(e[OrderEntry::CONTRACT_NAME]),
        code,
        KindWord(e[OrderEntry::ORDER_TYPE]),
        SideWord(e[OrderEntry::BID]),
        FormatNumberString(e[OrderEntry::ORDER_PRICE], decimals),
        Lots(e[OrderEntry::ORDER_COUNT], code, store),
        Lots(e[OrderEntry::TRADED_COUNT], code, store),
        e[OrderEntry::STATUS],
        FormatNumberString(e[OrderEntry::FEE], 2),
        FormatNumberString(e[OrderEntry::AVE_PRICE], decimals),
        e[OrderEntry::ORDER_NO],
        e[OrderEntry::PROFIT],
        Lots(e[OrderEntry::CLOSED_COUNT], code, store),
        EffectWord(e[OrderEntry::EFFECT]),
    };
    return Join(cells, _countof(cells));
}

CString FillRowText(const OrderEntry& e, const QuoteStore& store)
{
    const CString& code = e[OrderEntry::CONTRACT];
    const int decimals = GetPriceDecimals(code, store);
    const CString cells[] = {
        e[OrderEntry::DATE_TIME],
        WithoutMainMark(e[OrderEntry::CONTRACT_NAME]),
        code,
        SideWord(e[OrderEntry::BID]),
        FormatNumberString(e[OrderEntry::AVE_PRICE], decimals),
        Lots(e[OrderEntry::TRADED_COUNT], code, store),
        e[OrderEntry::ORDER_NO],
        e[OrderEntry::PROFIT],
        Lots(e[OrderEntry::CLOSED_COUNT], code, store),
        EffectWord(e[OrderEntry::EFFECT]),
    };
    return Join(cells, _countof(cells));
}
