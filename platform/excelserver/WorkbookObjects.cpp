#include "WorkbookObjects.h"

#include <algorithm>

#include "RangeObject.h"

namespace {
bool IsGet(WORD flags) { return (flags & (DISPATCH_PROPERTYGET | DISPATCH_METHOD)) != 0; }
bool IsPut(WORD flags) { return (flags & DISPATCH_PROPERTYPUT) != 0; }
}  // namespace

ApplicationObject::ApplicationObject() : AutomationObject({kVisible, kWorkbooks, kQuit}) {}

HRESULT ApplicationObject::Call(MemberId id, WORD flags, const std::vector<VARIANT>& args, VARIANT* result)
{
    switch (id) {
    case kVisible:
        if (IsPut(flags)) {
            long value = 0;
            if (args.empty() || !ToInt(args.back(), value))
                return DISP_E_TYPEMISMATCH;
            visible_ = value != 0;  // there is no window to show; the state is only kept
            return S_OK;
        }
        return ReturnBool(result, visible_);
    case kWorkbooks:
        return ReturnObject(result, new WorkbooksObject);
    case kQuit:
        return S_OK;
    default:
        return DISP_E_MEMBERNOTFOUND;
    }
}

WorkbooksObject::WorkbooksObject() : AutomationObject({kOpen, kClose}) {}

HRESULT WorkbooksObject::Call(MemberId id, WORD flags, const std::vector<VARIANT>& args, VARIANT* result)
{
    if (!IsGet(flags))
        return DISP_E_MEMBERNOTFOUND;
    if (id == kClose)
        return S_OK;  // every book lives as long as its objects are held
    if (id != kOpen)
        return DISP_E_MEMBERNOTFOUND;
    std::wstring path;
    if (args.empty() || !ToText(args[0], path))
        return DISP_E_TYPEMISMATCH;
    auto book = std::make_shared<OpenBook>();
    if (!book->reader.Open(Utf8FromWide(path)))
        return Raise(L"Cannot open the workbook '" + path + L"': " + WideFromUtf8(book->reader.Error()));
    book->sheets.resize(book->reader.SheetNames().size());
    return ReturnObject(result, new WorkbookObject(book));
}

std::shared_ptr<const XlsxSheet> OpenBook::Sheet(size_t index)
{
    if (index >= sheets.size())
        return nullptr;
    if (!sheets[index]) {
        auto sheet = std::make_shared<XlsxSheet>();
        if (!reader.ReadSheet(index, *sheet))
            return nullptr;
        sheets[index] = sheet;
    }
    return sheets[index];
}

WorkbookObject::WorkbookObject(std::shared_ptr<OpenBook> book)
    : AutomationObject({kWorksheets, kSaved, kClose, kName}), book_(std::move(book))
{
}

HRESULT WorkbookObject::Call(MemberId id, WORD flags, const std::vector<VARIANT>& args, VARIANT* result)
{
    switch (id) {
    case kSaved:
        if (IsPut(flags)) {
            long value = 0;
            if (args.empty() || !ToInt(args.back(), value))
                return DISP_E_TYPEMISMATCH;
            book_->saved = value != 0;
            return S_OK;
        }
        return ReturnBool(result, book_->saved);
    case kWorksheets:
        return ReturnObject(result, new WorksheetsObject(book_));
    case kClose:
        return S_OK;  // nothing is ever written back
    default:
        return DISP_E_MEMBERNOTFOUND;
    }
}

WorksheetsObject::WorksheetsObject(std::shared_ptr<OpenBook> book)
    : AutomationObject({kCount, kItem}), book_(std::move(book))
{
}

HRESULT WorksheetsObject::Call(MemberId id, WORD flags, const std::vector<VARIANT>& args, VARIANT* result)
{
    if (!IsGet(flags))
        return DISP_E_MEMBERNOTFOUND;
    if (id == kCount)
        return ReturnInt(result, static_cast<long>(book_->sheets.size()));
    if (id != kItem || args.empty())
        return DISP_E_MEMBERNOTFOUND;
    long index = 0;
    std::wstring name;
    if (ToInt(args[0], index)) {
        if (index < 1 || static_cast<size_t>(index) > book_->sheets.size())
            return DISP_E_BADINDEX;
        return ReturnObject(result, new WorksheetObject(book_, static_cast<size_t>(index - 1)));
    }
    if (ToText(args[0], name))
        for (size_t i = 0; i < book_->reader.SheetNames().size(); ++i)
            if (WideFromUtf8(book_->reader.SheetNames()[i]) == name)
                return ReturnObject(result, new WorksheetObject(book_, i));
    return DISP_E_BADINDEX;
}

WorksheetObject::WorksheetObject(std::shared_ptr<OpenBook> book, size_t index)
    : AutomationObject({kName, kUsedRange, kRange}), book_(std::move(book)), index_(index)
{
}

HRESULT WorksheetObject::Call(MemberId id, WORD flags, const std::vector<VARIANT>& args, VARIANT* result)
{
    if (!IsGet(flags))
        return DISP_E_MEMBERNOTFOUND;
    if (id == kName)
        return ReturnText(result, WideFromUtf8(book_->reader.SheetNames()[index_]));
    if (id != kUsedRange && id != kRange)
        return DISP_E_MEMBERNOTFOUND;
    const std::shared_ptr<const XlsxSheet> sheet_ = book_->Sheet(index_);
    if (!sheet_)
        return Raise(L"Cannot read the sheet: " + WideFromUtf8(book_->reader.Error()));
    switch (id) {
    case kUsedRange: {
        // An empty sheet's used range is its first cell.
        int firstRow = sheet_->lastRow ? sheet_->firstRow : 1;
        int firstColumn = sheet_->lastColumn ? sheet_->firstColumn : 1;
        return ReturnObject(result, new RangeObject(sheet_, firstRow, firstColumn, firstRow + sheet_->UsedRows() - 1,
                                                    firstColumn + sheet_->UsedColumns() - 1));
    }
    case kRange: {
        std::wstring first, last;
        int row1, column1, row2, column2;
        if (args.empty() || !ToText(args[0], first) || !RangeObject::ParseAddress(first, row1, column1))
            return Raise(L"Range: bad cell address");
        row2 = row1, column2 = column1;
        if (args.size() > 1 && !IsMissing(args[1]) &&
            (!ToText(args[1], last) || !RangeObject::ParseAddress(last, row2, column2)))
            return Raise(L"Range: bad cell address");
        return ReturnObject(result, new RangeObject(sheet_, std::min(row1, row2), std::min(column1, column2),
                                                    std::max(row1, row2), std::max(column1, column2)));
    }
    default:
        return DISP_E_MEMBERNOTFOUND;
    }
}
