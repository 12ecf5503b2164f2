#pragma once
#include <afxwin.h>
#include <afxdisp.h>

#include <vector>

// Drives an installed Excel ("Excel.Application") invisibly through IDispatch. Every member is
// resolved by name, so any server that answers the names will do. Automation errors are
// caught here and reported by results.
class CExcelServer : public CWnd
{
public:
    CExcelServer();
    ~CExcelServer() override;

    BOOL StartExcel();
    void QuitExcel();
    BOOL OpenWorkbook(const CString& fileName);
    void CloseWorkbook();
    BOOL ListSheetNames(std::vector<CString>& names);
    BOOL SelectSheet(const CString& name);
    // The used range's rows and columns; -1 when the server cannot tell (it cannot read the
    // sheet, or the count does not fit).
    long GetRowCount();
    long GetColumnCount();
    // Texts of columns 1..columns of one row (columns < 0: the used columns); row 0 gives
    // empty texts. FALSE when Excel raises an error.
    BOOL ReadRow(long row, std::vector<CString>& texts, long columns = -1);
    CString GetSheetName(COleDispatchDriver& sheet);

    // "A", "Z", "AA" for column 1, 26, 27.
    static CString ColumnName(long column);

private:
    void ReleaseSheetObjects();
    DISPID MemberId(COleDispatchDriver& object, LPCWSTR name);
    LPDISPATCH GetObject(COleDispatchDriver& object, LPCWSTR name);
    long GetLong(COleDispatchDriver& object, LPCWSTR name);
    CString GetText(COleDispatchDriver& object, LPCWSTR name);
    long UsedRangeCount(LPCWSTR rowsOrColumns);

    CString m_strFileName;
    CString m_strSheetName;
    COleDispatchDriver m_app;
    COleDispatchDriver m_sheet;
    COleDispatchDriver m_book;
    COleDispatchDriver m_books;
    COleDispatchDriver m_sheets;
    COleDispatchDriver m_range;
    BOOL m_bComInitialized;
};

// Reads one worksheet into rows of twelve texts (columns A to L).
// sheetName empty: the first sheet, whose name is given back.
// 0 read, 1 no such file, 2 Excel cannot be started, 3 the workbook cannot be opened or read
// (also a sheet of more rows than a strategy sheet can have), 4 no worksheet or no sheet of
// that name.
int ReadExcelSheet(const CString& fileName, CString& sheetName, std::vector<std::vector<CString>>& rows);
