#include "HoravaneApp.h"
#include "HoravaneConfig.h"
#include "HoravaneDlg.h"

#include <stdlib.h>

BEGIN_MESSAGE_MAP(CHoravaneApp, CWinApp)
END_MESSAGE_MAP()

CHoravaneApp::CHoravaneApp()
{
}

CHoravaneApp theApp;

BOOL CHoravaneApp::InitInstance()
{
    CWinApp::InitInstance();

    CHoravaneConfig config;
    config.Load(CHoravaneConfig::FindIniPath(__argc, __argv));

    CHoravaneDlg dlg(config);
    m_pMainWnd = &dlg;
    dlg.DoModal();
    m_pMainWnd = nullptr;
    return FALSE;
}
