#include "WorkbookImport.h"

#include "DBStrategy.h"
#include "DBUser.h"
#include "ExcelServer.h"
#include "ImportStrategyDlg.h"
#include "StrategySheet.h"

namespace {

const char kMessageCaption[] = "Tolvan证券";

void ShowError(CWnd* parent, const char* text)
{
    AfxShowMessageBox(parent != nullptr ? parent->GetSafeHwnd() : NULL, text, kMessageCaption,
                      MB_ICONERROR | MB_OK);
}

bool Store(CDBStrategy* strategyTable, CDBUser* userTable,
           const std::vector<StrategyInfo>& strategies, const std::vector<UserStrategy>& assignments)
{
    // Each table replaces its rows in one transaction of its own file.
    const bool strategiesStored = strategyTable == nullptr || strategyTable->ReplaceAll(strategies);
    const bool assignmentsStored = userTable == nullptr || userTable->ReplaceAll(assignments);
    return strategiesStored && assignmentsStored;
}

}  // namespace

WorkbookImportResult ImportStrategiesFromWorkbook(CWnd* parent, const CString& fileName,
                                                  std::vector<StrategyInfo>& strategies,
                                                  std::vector<UserStrategy>& assignments,
                                                  CDBStrategy* strategyTable, CDBUser* userTable)
{
    CString sheetName;
    std::vector<std::vector<CString>> rows;
    if (ReadExcelSheet(fileName, sheetName, rows) != 0) {
        ShowError(parent, "读Excel文件失败！");
        return kWorkbookUnreadable;
    }
    std::vector<ImportedStrategy> entries;
    if (ReadStrategySheet(rows, entries) != kStrategySheetRead) {
        ShowError(parent, "文件无效！");
        return kWorkbookInvalid;
    }
    if (entries.empty())
        return kWorkbookNothing;

    CImportStrategyDlg dialog(parent);
    dialog.SetImportList(entries);
    dialog.SetLocalStrategies(strategies);
    dialog.SetAssignments(assignments);
    if (dialog.DoModal() != IDOK)
        return kWorkbookNothing;
    strategies = dialog.GetLocalStrategies();
    assignments = dialog.GetAssignments();
    return Store(strategyTable, userTable, strategies, assignments) ? kWorkbookImported : kWorkbookNotStored;
}
