#include "testsupport/TestApp.h"

namespace tolvan::test {

TestApp::TestApp(LPCTSTR appName) : CWinApp(appName)
{
    static char noArguments[] = "";
    AfxWinInit(::GetModuleHandleA(NULL), NULL, noArguments, SW_SHOWNORMAL);
    ParkPointer();
}

TestApp::~TestApp()
{
    m_pMainWnd = NULL;
    // Temporary window and GDI wrappers of this thread go with the application.
    AfxWinTerm();
}

void ParkPointer()
{
    ::SetCursorPos(::GetSystemMetrics(SM_CXSCREEN) - 1, ::GetSystemMetrics(SM_CYSCREEN) - 1);
}

}  // namespace tolvan::test
