#include "PreOrderCheck.h"
#include <cstdlib>
#include "NumberText.h"
#include "SymbolRules.h"

void CPreOrderCheck::ReplyTexts(const OrderInfo& reply, CString texts[FIELD_COUNT])
{
    // The parser fills the record's members in reply order: oid, st, mg, im, cid, fnum, ty,
    // an, ot, cn, qy and an empty text.
    const CString* const members[FIELD_COUNT] = {&reply.cid, &reply.fnum, &reply.mg, &reply.oid,
                                                 &reply.ps,  &reply.st,   &reply.ty, &reply.an,
                                                 &reply.ot,  &reply.cn,   &reply.qy, &reply.op};
    for (int i = 0; i < FIELD_COUNT; ++i)
        texts[i] = *members[i];
}

bool CPreOrderCheck::Accept(const OrderInfo& reply)
{
    CString texts[FIELD_COUNT];
    ReplyTexts(reply, texts);
    // Before a reply is held only the client reference ties it to this order (an empty one
    // ties nothing); afterwards the server's order number does.
    const bool ours = m_held[OID].IsEmpty()
                          ? (!texts[CID].IsEmpty() && texts[CID] == m_request.clientRef)
                          : texts[OID] == m_held[OID];
    if (!ours)
        return false;
    for (int i = 0; i < FIELD_COUNT; ++i)
        if (!texts[i].IsEmpty())
            m_held[i] = texts[i];
    if (m_held[ST] == "ablesubmit")
        m_state = ALLOWED;
    else if (m_held[ST] == "unablesubmit")
        m_state = REFUSED;
    return true;
}

std::vector<CPreOrderCheck::Row> CPreOrderCheck::OrderRows(const QuoteStore& store) const
{
    std::vector<Row> rows;
    CString name;
    store.GetInstrumentName(m_request.code, name);
    rows.push_back({"名称", name, 0});
    const CString side = m_request.side == "B" ? CString("买入") : m_request.side == "S" ? CString("卖出") : CString();
    rows.push_back({"方向", side, (COLORREF)(side == "买入" ? 0x393CFF : side == "卖出" ? 0x8000 : 0)});
    const CString& type = m_request.orderType;
    rows.push_back({"订单类型", type == "M" ? CString("市价") : type == "L" ? CString("限价") : type == "S" ? CString("条件止损价") : CString(), 0});
    if (type != "M")
        rows.push_back({"价格", m_request.price, 0xFF0000});
    CString lots = m_request.quantity;
    ConvertLotQuantity(lots, m_request.code, FALSE, store);
    rows.push_back({"数量", lots + GetVolumeUnitText(m_request.code, store), 0});
    return rows;
}

std::vector<CPreOrderCheck::Row> CPreOrderCheck::VerdictRows() const
{
    std::vector<Row> rows;
    if (m_state != ALLOWED)
        return rows;
    CString increase;
    increase.Format("%f", atof(m_held[IM]) - atof(m_funds.strFields[1]));
    rows.push_back({"保证金增加", FormatNumberString(increase, 2, true), 0xFF0000});
    rows.push_back({"手续费", FormatNumberString(m_held[MG], 2, true), 0xFF0000});
    return rows;
}
