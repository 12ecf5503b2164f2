// The console's two strategy buttons: "策略管理" opens the strategy editor and "策略导入" the
// sheet import. Their dialogs are joined here; the results go to TakeEditedStrategies and
// TakeImportedStrategies, which store them at once.
#include "AdminDlg.h"

void CAdminDlg::OnManageStrategies()
{
    ShowMessage("策略管理窗口尚未接入本程序，策略未作修改。", MB_OK | MB_ICONINFORMATION);
}

void CAdminDlg::OnImportStrategies()
{
    ShowMessage("策略导入窗口尚未接入本程序，策略未作修改。", MB_OK | MB_ICONINFORMATION);
}
