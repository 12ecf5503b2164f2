#include "VelmoraApp.h"
#include "CrashHandler.h"
#include "DirectorySet.h"
#include "MessageFilter.h"
#include "ServerClock.h"
#include "VelmoraDlg.h"

#include <afxsock.h>

BEGIN_MESSAGE_MAP(CVelmoraApp, CWinApp)
END_MESSAGE_MAP()

CVelmoraApp::CVelmoraApp()
    : m_nReserved1(0), m_nReserved2(0)
{
    // The clock and its lock exist before any thread can ask for the time.
    GetServerClock();
}

CVelmoraApp::~CVelmoraApp()
{
}

CVelmoraApp theApp;

BOOL CVelmoraApp::PreTranslateMessage(MSG* pMsg)
{
    if (m_pMessageFilter != nullptr && m_pMessageFilter->PreTranslate(pMsg))
        return TRUE;
    return CWinApp::PreTranslateMessage(pMsg);
}

BOOL CVelmoraApp::InitInstance()
{
    INITCOMMONCONTROLSEX controls;
    controls.dwSize = sizeof(controls);
    controls.dwICC = ICC_WIN95_CLASSES;
    ::InitCommonControlsEx(&controls);

    CWinApp::InitInstance();

    // Without sockets nothing of the terminal works; end quietly.
    if (!AfxSocketInit())
        return FALSE;

    AfxInitRichEdit();
    AfxEnableControlContainer();

    SetRegistryKey("Tolvan");

    GetServerClock().ResetToLocalClock();

    BuildDirectorySet();

    g_crashHandler.SetProcessExceptionHandlers();
    g_crashHandler.SetThreadExceptionHandlers();

    CVelmoraDlg dlg;
    m_pMainWnd = &dlg;
    dlg.DoModal();
    m_pMainWnd = nullptr;

    // The main window's modal loop is the program's only message loop: once it ends,
    // the process ends.
    return FALSE;
}

void CVelmoraApp::BuildDirectorySet()
{
    const CDirectorySet dirs = CDirectorySet::FromRunningProgram();
    m_strAppDir = dirs.m_strAppDir;
    m_strRootDir = dirs.m_strRootDir;
    m_strDataDir = dirs.m_strDataDir;
    m_strDbDir = dirs.m_strDbDir;
    m_strLogDir = dirs.m_strLogDir;
    m_strUpdateDir = dirs.m_strUpdateDir;
    m_strTempDir = dirs.m_strTempDir;
    m_strTestDir = dirs.m_strTestDir;
    m_strUsrDir = dirs.m_strUsrDir;
}
