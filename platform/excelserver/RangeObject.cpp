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
    const long long rows = lastRow_ - firstRow_ + 1, columns = lastColumn_ - firstColumn_ + 1;
    switch (id) {
    case kRows:
        return ReturnObject(result, new RangeObject(sheet_, firstRow_, firstColumn_, lastRow_, lastColumn_, kByRows));
    case kColumns:
        return ReturnObject(result,
                            new RangeObject(sheet_, firstRow_, firstColumn_, lastRow_, lastColumn_, kByColumns));
    case kCount: {
        // A sheet has 2^34 cells: their count does not fit the answer, as in Excel.
        const long long count = counting_ == kByRows ? rows : counting_ == kByColumns ? columns : rows * columns;
        if (count > 0x7FFFFFFFLL)
            return Raise(L"Count: the range has more cells than a count holds");
        return ReturnInt(result, static_cast<long>(count));
    }
    case kText: {
        // One text when every cell shows the same, else Null, as Excel answers. Empty cells
        // are not stored, so a range with more cells than it has stored texts shows "" in at
        // least one: only the stored cells need looking at, however large the range.
        unsigned long long stored = 0;
        bool same = true;
        std::string text;
        // The texts are ordered by row, then column: only the rows of the range are walked.
        const auto first = sheet_->texts.lower_bound({firstRow_, 0});
        const auto end = sheet_->texts.upper_bound({lastRow_, 0x7FFFFFFF});
        for (auto cell = first; cell != end; ++cell) {
            const int c = cell->first.second;
            if (c < firstColumn_ || c > lastColumn_)
                continue;
            if (stored++ == 0)
                text = cell->second;
            else if (cell->second != text)
                same = false;
        }
        if (stored != 0 && (!same || stored != static_cast<unsigned long long>(rows * columns))) {
            if (result)
                result->vt = VT_NULL;
            return S_OK;
        }
        return ReturnText(result, WideFromUtf8(stored != 0 ? text : std::string()));
    }
    default:
        (void)args;
        return DISP_E_MEMBERNOTFOUND;
    }
}
