#include "testsupport/TestApp.h"

namespace tolvan::test {

TestApp::TestApp(LPCTSTR appName) : CWinApp(appName)
{
    static char noArguments[] = "";
    AfxWinInit(::GetModuleHandleA(NULL), NULL, noArguments, SW_SHOWNORMAL);
    // The pointer starts in the middle of the display, inside most test windows; each window
    // shown and destroyed under it leaves pointer and focus events that Wine handles late,
    // after the window is gone, and that can end a later test with an X error. Tests that
    // use the mouse move it themselves.
    ::SetCursorPos(::GetSystemMetrics(SM_CXSCREEN) - 1, ::GetSystemMetrics(SM_CYSCREEN) - 1);
}

TestApp::~TestApp()
{
    m_pMainWnd = NULL;
    // Temporary window and GDI wrappers of this thread go with the application.
    AfxWinTerm();
}

}  // namespace tolvan::test
