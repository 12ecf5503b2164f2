#include "testsupport/TestApp.h"

namespace tolvan::test {

TestApp::TestApp(LPCTSTR appName) : CWinApp(appName)
{
    static char noArguments[] = "";
    AfxWinInit(::GetModuleHandleA(NULL), NULL, noArguments, SW_SHOWNORMAL);
}

TestApp::~TestApp()
{
    m_pMainWnd = NULL;
    // Temporary window and GDI wrappers of this thread go with the application.
    AfxWinTerm();
}

}  // namespace tolvan::test
