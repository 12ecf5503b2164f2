// The program entry of the class layer (AfxWinMain) and the start-up helpers programs call
// from InitInstance.
#include "wincore.h"

#include <afxsock.h>

#include <mutex>

BOOL AFXAPI AfxWinInit(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPTSTR lpCmdLine, int nCmdShow)
{
    AFX_MODULE_STATE* pState = AfxGetAppModuleState();
    pState->m_hCurrentInstanceHandle = hInstance;
    pState->m_hCurrentResourceHandle = hInstance;
    CWinApp* pApp = AfxGetApp();
    if (pApp != NULL) {
        pApp->m_hInstance = hInstance;
        pApp->m_hPrevInstance = hPrevInstance;
        pApp->m_lpCmdLine = lpCmdLine;
        pApp->m_nCmdShow = nCmdShow;
        pApp->SetDerivedNames();
    }
    return TRUE;
}

void AFXAPI AfxWinTerm()
{
    AfxDeleteTempObjects();
}

int AFXAPI AfxWinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPTSTR lpCmdLine, int nCmdShow)
{
    int nReturnCode = -1;
    CWinApp* pApp = AfxGetApp();
    if (AfxWinInit(hInstance, hPrevInstance, lpCmdLine, nCmdShow) && pApp != NULL &&
        pApp->InitApplication()) {
        if (!pApp->InitInstance()) {
            // A dialog-based program returns FALSE after its main dialog closed.
            if (pApp->m_pMainWnd != NULL)
                pApp->m_pMainWnd->DestroyWindow();
            nReturnCode = pApp->ExitInstance();
        } else {
            nReturnCode = pApp->Run();
        }
    }
    AfxWinTerm();
    return nReturnCode;
}

void AFXAPI AfxPostQuitMessage(int nExitCode)
{
    ::PostQuitMessage(nExitCode);
}

namespace afxcore {

void EnsureCommonControls(DWORD icc)
{
    INITCOMMONCONTROLSEX init;
    init.dwSize = sizeof(init);
    init.dwICC = icc;
    ::InitCommonControlsEx(&init);
}

}  // namespace afxcore

BOOL AFXAPI AfxInitRichEdit()
{
    // Both generations of the rich edit classes ("RICHEDIT" and "RichEdit20A").
    static HMODULE hRichEdit1 = ::LoadLibraryA("riched32.dll");
    return hRichEdit1 != NULL && AfxInitRichEdit2();
}

BOOL AFXAPI AfxInitRichEdit2()
{
    static HMODULE hRichEdit2 = ::LoadLibraryA("riched20.dll");
    return hRichEdit2 != NULL;
}

void AFXAPI AfxEnableControlContainer()
{
    // Dialogs here host no ActiveX controls; nothing to prepare.
}

BOOL AFXAPI AfxOleInit()
{
    HRESULT hr = ::OleInitialize(NULL);
    return SUCCEEDED(hr);
}

BOOL AFXAPI AfxSocketInit(WSADATA* lpwsaData)
{
    WSADATA wsaData;
    if (::WSAStartup(MAKEWORD(2, 2), &wsaData) != 0)
        return FALSE;
    if (lpwsaData != NULL)
        *lpwsaData = wsaData;
    return TRUE;
}
