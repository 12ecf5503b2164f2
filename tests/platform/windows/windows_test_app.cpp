#include "windows_test_app.h"

CWindowsTestApp theApp;

CWindowsTestApp::CWindowsTestApp() : CWinApp("WindowsTest")
{
}

BOOL CWindowsTestApp::InitInstance()
{
    ++initInstanceCalls;
    return FALSE;   // like a dialog-based program: nothing left to run
}

BOOL CWindowsTestApp::PreTranslateMessage(MSG* pMsg)
{
    if (preTranslateObserver)
        preTranslateObserver(*pMsg);
    return CWinApp::PreTranslateMessage(pMsg);
}
