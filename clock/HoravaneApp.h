// The application object of Horavane: runs its one dialog; the process ends with it.
#pragma once
#include <afxwin.h>

class CHoravaneApp : public CWinApp
{
public:
    CHoravaneApp();

    BOOL InitInstance() override;

    DECLARE_MESSAGE_MAP()
};

extern CHoravaneApp theApp;
