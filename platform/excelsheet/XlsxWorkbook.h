#pragma once
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "XlsxArchive.h"

// One worksheet's displayed texts by (row, column), both from 1, and its used range.
struct XlsxSheet {
    std::string name;
    std::map<std::pair<int, int>, std::string> texts;
    // The used range spans every cell the sheet stores; all 0 when it stores none.
    int firstRow = 0, firstColumn = 0, lastRow = 0, lastColumn = 0;

    int UsedRows() const { return lastRow ? lastRow - firstRow + 1 : 1; }
    int UsedColumns() const { return lastColumn ? lastColumn - firstColumn + 1 : 1; }
    // Empty for a cell that holds nothing.
    std::string Text(int row, int column) const;
};

// An ".xlsx" workbook read the way Excel shows it: sheet names in workbook order, cell texts
// as displayed (shared and inline strings, numbers in General, dates in their format).
// All texts are UTF-8. A part that does not parse, a cell outside A1:XFD1048576 or a
// reference to a shared string that does not exist makes the read fail: a damaged workbook
// is refused, never read as another one.
class XlsxWorkbook {
public:
    // False with Error() set when the file is not a readable workbook.
    bool Open(const std::string& path);
    const std::vector<std::string>& SheetNames() const { return sheetNames_; }
    // Sheet by position from 0; false with Error() set when it cannot be read.
    bool ReadSheet(size_t index, XlsxSheet& sheet);
    const std::string& Error() const { return error_; }

private:
    struct CellStyle {
        bool isDate;
        std::string dateCode;
    };

    bool ReadWorkbookPart();
    bool ReadRelations(std::map<std::string, std::string>& targets);
    bool ReadSharedStrings();
    bool ReadSheetPart(size_t index, XlsxSheet& sheet);
    bool ReadStyles();
    // False when the cell refers to a shared string that does not exist.
    bool DisplayText(const std::string& type, const std::string& value, int style, std::string& text) const;
    bool Fail(const std::string& message);

    XlsxArchive archive_;
    std::vector<std::string> sheetNames_;
    std::vector<std::string> sheetParts_;
    std::vector<std::string> sharedStrings_;
    std::vector<CellStyle> styles_;
    bool date1904_ = false;
    std::string error_;
};
