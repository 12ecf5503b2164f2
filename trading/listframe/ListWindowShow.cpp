#include "ListWindowShow.h"

HWND ShowAsChild(CDialog* dialog, UINT templateId, CWnd* owner, HWND parent, int showCommand)
{
    if (!dialog->Create(templateId, owner)) {
        delete dialog;
        return NULL;
    }
    HWND hWnd = dialog->GetSafeHwnd();
    LONG style = ::GetWindowLong(hWnd, GWL_STYLE);
    ::SetWindowLong(hWnd, GWL_STYLE, (style & 0x3FFFFFFF) | WS_CHILD);
    ::SetParent(hWnd, parent);
    ::ShowWindow(hWnd, showCommand);
    return hWnd;
}
