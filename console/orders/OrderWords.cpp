#include "OrderWords.h"

#include <stdlib.h>

namespace {

struct Word
{
    const char* incoming;
    const char* shown;
};

const Word kStateWords[] = {
    {"Received", "已接收"},     {"PreSubmitted", "已提交"}, {"Submitted", "已提交"},
    {"PendingSubmit", "已提交"}, {"PendingCancel", "已提交"}, {"Filled", "已成交"},
    {"Inactive", "已作废"},     {"Cancelled", "已取消"},
};
const Word kTypeWords[] = {{"MKT", "市价"}, {"LMT", "限价"}, {"STP", "条件止损价"}};
const Word kSideWords[] = {{"BUY", "买"}, {"SELL", "卖"}};

template <size_t N>
void Translate(CString& field, const Word (&words)[N])
{
    if (field.IsEmpty())
        return;
    for (const Word& word : words) {
        if (field == word.incoming) {
            field = word.shown;
            return;
        }
    }
}

__int64 OrderTimeNumber(const CString& time)
{
    CString digits = time;
    digits.Remove(' ');
    digits.Remove(':');
    digits.Remove('-');
    return _atoi64(digits);
}

}  // namespace

void TranslateOrderWords(OrderRow& row)
{
    Translate(row.st, kStateWords);
    Translate(row.ty, kTypeWords);
    Translate(row.an, kSideWords);
}

bool IsFinalOrderState(const CString& state)
{
    return state == "已成交" || state == "已作废" || state == "已取消" || state == "强平";
}

bool IsFillOrderState(const CString& state)
{
    return state == "已成交" || state == "强平";
}

CString MakeFillKey(const OrderRow& row)
{
    return row.clientName + "\x1F" + row.oid + "\x1F" + row.cid;
}

bool CompareOrderTimeDesc(const OrderRow& a, const OrderRow& b)
{
    return OrderTimeNumber(a.ot) > OrderTimeNumber(b.ot);
}

CString ShownOrderState(const OrderRow& row)
{
    // Read as 64 bits: the program's own client references run past the range of an int,
    // where atoi would turn them negative.
    return _atoi64(row.cid) < 0 ? CString("强平") : row.st;
}
