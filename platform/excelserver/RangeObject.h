#pragma once
#include <memory>

#include "AutomationObject.h"
#include "XlsxWorkbook.h"

// A rectangle of one sheet; Rows and Columns are the same rectangle counted by rows or columns.
class RangeObject : public AutomationObject {
public:
    enum Counting { kCells, kByRows, kByColumns };
    RangeObject(std::shared_ptr<const XlsxSheet> sheet, int firstRow, int firstColumn, int lastRow,
                int lastColumn, Counting counting = kCells);

    // "A1" or "$AB$12" into row and column; false for anything else.
    static bool ParseAddress(const std::wstring& address, int& row, int& column);

protected:
    HRESULT Call(MemberId id, WORD flags, const std::vector<VARIANT>& args, VARIANT* result) override;

private:
    std::shared_ptr<const XlsxSheet> sheet_;
    int firstRow_, firstColumn_, lastRow_, lastColumn_;
    Counting counting_;
};
