#include "Holdview.h"

#include "HoldviewResource.h"
#include "PositionDlg.h"

#include <ListWindowShow.h>

HOLDVIEW_API HWND Dll_ShowPositionDlg(HWND parent)
{
    AFX_MANAGE_STATE(AfxGetStaticModuleState());
    return ShowAsChild(new CPositionDlg, IDD_POSITIONS, CWnd::FromHandle(parent), parent, SW_SHOWNORMAL);
}
