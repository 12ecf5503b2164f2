#include "Triggerboard.h"

#include "TriggerboardDlg.h"
#include "TriggerboardResource.h"

#include <ListWindowShow.h>

TRIGGERBOARD_API HWND Dll_ShowTriggerboardDlg(HWND parent)
{
    AFX_MANAGE_STATE(AfxGetStaticModuleState());
    return ShowAsChild(new CTriggerboardDlg, IDD_TRIGGERBOARD, CWnd::FromHandle(parent), parent, SW_SHOWNORMAL);
}
