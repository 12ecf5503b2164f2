// The console's import of strategies from a workbook, after the user has chosen the file:
// read the first sheet, turn its rows into strategies, merge them through the import dialog
// and store what changed. Failures are told to the user and change nothing.
#pragma once

#include <afxwin.h>

#include <vector>

#include "StrategyInfo.h"
#include "UserStrategy.h"

class CDBStrategy;
class CDBUser;

enum WorkbookImportResult
{
    kWorkbookImported = 0,    // merged; the lists hold the result (and the tables, when given)
    kWorkbookNothing = 1,     // no row to import, or the dialog merged nothing
    kWorkbookUnreadable = 2,  // "读Excel文件失败！" was shown
    kWorkbookInvalid = 3,     // "文件无效！" was shown
    kWorkbookNotStored = 4,   // merged, but a table refused the result; the lists hold it
};

// The tables stay the caller's and may be null (nothing is stored then). The caller refreshes
// what it shows from the lists afterwards and recomputes the applied marks.
WorkbookImportResult ImportStrategiesFromWorkbook(CWnd* parent, const CString& fileName,
                                                  std::vector<StrategyInfo>& strategies,
                                                  std::vector<UserStrategy>& assignments,
                                                  CDBStrategy* strategyTable, CDBUser* userTable);
