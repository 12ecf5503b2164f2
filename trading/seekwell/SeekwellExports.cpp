#include "Seekwell.h"

#include "FindDlg.h"
#include "SeekwellResource.h"

#include <ListWindowShow.h>

SEEKWELL_API HWND Dll_ShowFindDlg(HWND parent)
{
    AFX_MANAGE_STATE(AfxGetStaticModuleState());
    // Here rather than at load: a library's start-up runs under the loader lock, where
    // loading the rich edit library is not safe.
    AfxInitRichEdit2();
    return ShowAsChild(new CFindDlg, IDD_FIND, CWnd::FromHandle(parent), parent, SW_SHOWNORMAL);
}
