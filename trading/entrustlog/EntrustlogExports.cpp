#include "Entrustlog.h"

#include "EntrustlogDlg.h"
#include "EntrustlogResource.h"

#include <ListWindowShow.h>

ENTRUSTLOG_API HWND Dll_ShowEntrustlogDlg(HWND parent)
{
    AFX_MANAGE_STATE(AfxGetStaticModuleState());
    return ShowAsChild(new CEntrustlogDlg, IDD_ENTRUSTLOG, CWnd::FromHandle(parent), parent, SW_SHOWNORMAL);
}
