#include "Fillbook.h"

#include "FillbookDlg.h"
#include "FillbookResource.h"

#include <ListWindowShow.h>

FILLBOOK_API HWND CallFillbook(CWnd* parent)
{
    AFX_MANAGE_STATE(AfxGetStaticModuleState());
    if (parent == nullptr || !::IsWindow(parent->GetSafeHwnd()))
        return NULL;
    return ShowAsChild(new FillbookDlg, IDD_FILLBOOK, NULL, parent->GetSafeHwnd(), SW_SHOW);
}
