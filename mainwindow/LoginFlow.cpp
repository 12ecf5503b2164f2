#include "LoginFlow.h"

CLoginFlow::CLoginFlow(HWND mainWindow, const LoginFolders& folders)
    : m_work(std::make_shared<CLoginWork>(mainWindow, folders))
{
}
