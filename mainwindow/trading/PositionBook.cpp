#include "PositionBook.h"
#include <cstdlib>
#include "NumberText.h"
#include "RandomId.h"
#include "SymbolRules.h"

CPositionBook::CPositionBook(QuoteStore& store) : m_store(store)
{
}

CString CPositionBook::FloatingProfit(const CString& code, const CString& lastPrice, const CString& costPrice,
                                      const CString& quantity, const CString& multiplier, const CString& side,
                                      const QuoteStore& store)
{
    const int decimals = GetPriceDecimals(code, store);
    const double last = atof(FormatNumberString(lastPrice, decimals));
    const double cost = atof(FormatNumberString(costPrice, decimals + 1));
    const double scale = atof(quantity) * atof(multiplier);
    double profit;
    if (side == "0")
        profit = (last - cost) * scale;
    else if (side == "1")
        profit = (cost - last) * scale;
    else
        return "---";
    CString text;
    text.Format("%f", profit);
    return text;
}

bool CPositionBook::BuildCloseOrder(const PositionEntry& position, OrderRequest& request)
{
    request = OrderRequest();
    request.code = position.texts[1];
    request.quantity = position.texts[3];
    // A short is bought back, a long sold.
    request.side = atoi(position.texts[2]) != 0 ? "B" : "S";
    request.orderType = "M";
    request.clientRef = MakeRandomId();
    request.isFollowOrder = false;
    return !request.code.IsEmpty() && atof(request.quantity) > 0.0;
}

PositionEntry CPositionBook::BuildEntry(const PositionRecord& record) const
{
    PositionEntry entry;
    const CString* f = record.strFields;
    entry.texts[0] = f[1];
    entry.texts[1] = f[0];
    entry.texts[2] = f[3];
    entry.texts[3] = f[4];
    entry.texts[4] = f[5];
    entry.texts[6] = f[6];
    entry.texts[7] = f[7];
    SectorRow row;
    if (m_store.GetQuoteRow(f[0], row))
        entry.texts[5] = FloatingProfit(f[0], row.quote.strLastPrice, f[5], f[4], f[6], f[3], m_store);
    else
        entry.texts[5] = "---";
    return entry;
}

bool CPositionBook::Revalue(const CString& code, const CString& lastPrice)
{
    const int index = Find(code);
    // A quote without a price keeps the profit of the last one.
    if (index < 0 || lastPrice.IsEmpty() || lastPrice == "---")
        return false;
    CString* texts = m_positions[index].texts;
    const CString profit = FloatingProfit(code, lastPrice, texts[4], texts[3], texts[6], texts[2], m_store);
    if (profit == texts[5])
        return false;
    texts[5] = profit;
    return true;
}

int CPositionBook::Find(const CString& code) const
{
    for (size_t i = 0; i < m_positions.size(); ++i)
        if (m_positions[i].Code() == code)
            return (int)i;
    return -1;
}

int CPositionBook::FindClosing(const CString& clientRef) const
{
    for (size_t i = 0; i < m_positions.size(); ++i)
        if (m_positions[i].closing && !clientRef.IsEmpty() && m_positions[i].closeRef == clientRef)
            return (int)i;
    return -1;
}

bool CPositionBook::ReleaseClosing(const CString& clientRef)
{
    bool released = false;
    if (clientRef.IsEmpty())
        return false;
    for (size_t i = 0; i < m_positions.size(); ++i)
    {
        if (m_positions[i].closing && m_positions[i].closeRef == clientRef)
        {
            m_positions[i].closing = false;
            m_positions[i].closeRef.Empty();
            released = true;
        }
    }
    return released;
}
