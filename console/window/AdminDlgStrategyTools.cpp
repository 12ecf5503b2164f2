// The console's two strategy buttons: "策略管理" opens the strategy editor and "策略导入" the
// workbook import. The results go to TakeEditedStrategies and TakeImportedStrategies, which
// show and store them at once.
#include "AdminDlg.h"

#include <afxdlgs.h>

#include "EditStrategy.h"
#include "StrategyIds.h"
#include "WorkbookImport.h"

void CAdminDlg::OnManageStrategies()
{
    CEditStrategy editor(this);
    editor.SetStrategies(m_accounts.Strategies());
    editor.SetFollowedStrategyIds(FollowedStrategyIds(m_accounts.Assignments()));
    if (editor.DoModal() == IDOK)
        TakeEditedStrategies(editor.GetStrategies());
}

void CAdminDlg::OnImportStrategies()
{
    CString fileName;
    if (!ChooseExcelFile(fileName))
        return;
    std::vector<StrategyInfo> strategies = m_accounts.Strategies();
    std::vector<UserStrategy> assignments = m_accounts.Assignments();
    // The tables are written by TakeImportedStrategies, inside one transaction per table.
    if (ImportStrategiesFromWorkbook(this, fileName, strategies, assignments, nullptr, nullptr) ==
        kWorkbookImported)
        TakeImportedStrategies(strategies, assignments);
}

bool CAdminDlg::ChooseExcelFile(CString& fileName)
{
    CFileDialog dialog(TRUE, NULL, NULL, OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY,
                       "Excel 文件(*.xls;*.xlsx)|*.xls;*.xlsx||", this);
    if (dialog.DoModal() != IDOK)
        return false;
    fileName = dialog.GetPathName();
    return !fileName.IsEmpty();
}
