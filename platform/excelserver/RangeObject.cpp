#include "RangeObject.h"

RangeObject::RangeObject(std::shared_ptr<const XlsxSheet> sheet, int firstRow, int firstColumn,
                         int lastRow, int lastColumn, Counting counting)
    : AutomationObject({kRows, kColumns, kCount, kText}), sheet_(std::move(sheet)),
      firstRow_(firstRow), firstColumn_(firstColumn), lastRow_(lastRow), lastColumn_(lastColumn),
      counting_(counting)
{
}

bool RangeObject::ParseAddress(const std::wstring& address, int& row, int& column)
{
    size_t i = 0;
    if (i < address.size() && address[i] == L'$')
        ++i;
    column = 0;
    size_t letters = i;
    while (i < address.size() && column <= 16384) {
        wchar_t c = address[i] >= L'a' && address[i] <= L'z' ? address[i] - 32 : address[i];
        if (c < L'A' || c > L'Z')
            break;
        column = column * 26 + (c - L'A' + 1);
        ++i;
    }
    if (i == letters)
        return false;
    if (i < address.size() && address[i] == L'$')
        ++i;
    row = 0;
    size_t digits = i;
    while (i < address.size() && address[i] >= L'0' && address[i] <= L'9' && row <= 1048576)
        row = row * 10 + (address[i++] - L'0');
    return i == address.size() && i > digits && row >= 1 && row <= 1048576 && column >= 1 &&
           column <= 16384;
}

HRESULT RangeObject::Call(MemberId id, WORD flags, const std::vector<VARIANT>& args, VARIANT* result)
{
    if (!(flags & (DISPATCH_PROPERTYGET | DISPATCH_METHOD)))
        return DISP_E_MEMBERNOTFOUND;
    long rows = lastRow_ - firstRow_ + 1, columns = lastColumn_ - firstColumn_ + 1;
    switch (id) {
    case kRows:
        return ReturnObject(result, new RangeObject(sheet_, firstRow_, firstColumn_, lastRow_, lastColumn_, kByRows));
    case kColumns:
        return ReturnObject(result,
                            new RangeObject(sheet_, firstRow_, firstColumn_, lastRow_, lastColumn_, kByColumns));
    case kCount:
        return ReturnInt(result, counting_ == kByRows ? rows : counting_ == kByColumns ? columns : rows * columns);
    case kText: {
        // One text when every cell shows the same, else Null, as Excel answers.
        std::string text = sheet_->Text(firstRow_, firstColumn_);
        for (int r = firstRow_; r <= lastRow_; ++r)
            for (int c = firstColumn_; c <= lastColumn_; ++c)
                if (sheet_->Text(r, c) != text) {
                    if (result)
                        result->vt = VT_NULL;
                    return S_OK;
                }
        return ReturnText(result, WideFromUtf8(text));
    }
    default:
        (void)args;
        return DISP_E_MEMBERNOTFOUND;
    }
}
