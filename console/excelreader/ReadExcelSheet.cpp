#include "ExcelServer.h"

namespace {
const long kSheetColumns = 12;  // A to L: the columns a strategy sheet uses
// More rows than a worksheet of the older format can hold is no strategy sheet: reading a
// used range of a million rows cell by cell would hold the console for minutes.
const long kMaxSheetRows = 65536;

int Finish(CExcelServer& excel, int result)
{
    excel.CloseWorkbook();
    excel.QuitExcel();
    return result;
}
}  // namespace

int ReadExcelSheet(const CString& fileName, CString& sheetName, std::vector<std::vector<CString>>& rows)
{
    rows.clear();
    if (::GetFileAttributesA(fileName) == INVALID_FILE_ATTRIBUTES)
        return 1;
    CExcelServer excel;
    if (!excel.StartExcel())
        return 2;
    if (!excel.OpenWorkbook(fileName)) {
        excel.QuitExcel();
        return 3;
    }
    if (sheetName.IsEmpty()) {
        std::vector<CString> names;
        if (!excel.ListSheetNames(names) || names.empty())
            return Finish(excel, 4);
        sheetName = names[0];
    }
    if (!excel.SelectSheet(sheetName))
        return Finish(excel, 4);
    long rowCount = excel.GetRowCount();
    if (rowCount < 0 || rowCount > kMaxSheetRows)
        return Finish(excel, 3);
    for (long r = 1; r <= rowCount; ++r) {
        std::vector<CString> texts;
        // A cell Excel refuses to read leaves the sheet unread rather than half read.
        if (!excel.ReadRow(r, texts, kSheetColumns)) {
            rows.clear();
            return Finish(excel, 3);
        }
        rows.push_back(texts);
    }
    return Finish(excel, 0);
}
