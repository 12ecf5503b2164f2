// The test library (see test_dll.h).
#include "test_dll.h"

namespace {

const UINT IDD_CLASH = 100;
const UINT IDD_DLL_WINDOW = 150;
const UINT IDS_CLASH = 200;

class CTestDllApp : public CWinApp
{
public:
    CTestDllApp() : CWinApp("TestDll") {}
    BOOL InitInstance() override
    {
        ++initInstanceCalls;
        return CWinApp::InitInstance();
    }
    int initInstanceCalls = 0;
};

CTestDllApp theDllApp;

class CClashDialog : public CDialog
{
public:
    CClashDialog(char* title, int titleSize) : CDialog(IDD_CLASH), m_title(title), m_titleSize(titleSize) {}

    BOOL OnInitDialog() override
    {
        CDialog::OnInitDialog();
        GetWindowText(m_title, m_titleSize);
        EndDialog(IDOK);
        return TRUE;
    }

private:
    char* m_title;
    int m_titleSize;
};

INT_PTR RunClashDialog(char* title, int titleSize)
{
    CClashDialog dialog(title, titleSize);
    return dialog.DoModal();
}

int g_liveWindows = 0;

class CLibraryWindow : public CDialog
{
public:
    CLibraryWindow() { ++g_liveWindows; }
    ~CLibraryWindow() override { --g_liveWindows; }

protected:
    void PostNcDestroy() override { delete this; }

    afx_msg LRESULT OnProbe(WPARAM, LPARAM lParam)
    {
        CString text;
        text.LoadString(IDS_CLASH);
        lstrcpynA(reinterpret_cast<char*>(lParam), text, 256);
        return (LRESULT)AfxGetResourceHandle();
    }

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CLibraryWindow, CDialog)
    ON_MESSAGE(kProbeMessage, &CLibraryWindow::OnProbe)
END_MESSAGE_MAP()

CString g_kept;

int g_reflectedChanges = 0;
int g_preTranslatedKeys = 0;

class CLibraryEdit : public CEdit
{
public:
    BOOL PreTranslateMessage(MSG* pMsg) override
    {
        if (pMsg->message == WM_KEYDOWN)
            ++g_preTranslatedKeys;
        return CEdit::PreTranslateMessage(pMsg);
    }

protected:
    afx_msg void OnReflectedChange() { ++g_reflectedChanges; }
    void PostNcDestroy() override { delete this; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CLibraryEdit, CEdit)
    ON_CONTROL_REFLECT(EN_CHANGE, &CLibraryEdit::OnReflectedChange)
END_MESSAGE_MAP()

}  // namespace

BOOL TestDll_AttachEdit(HWND hWndParent, UINT nID)
{
    AFX_MANAGE_STATE(AfxGetStaticModuleState());
    g_reflectedChanges = 0;
    g_preTranslatedKeys = 0;
    CLibraryEdit* pEdit = new CLibraryEdit;
    if (!pEdit->SubclassDlgItem(nID, CWnd::FromHandle(hWndParent))) {
        delete pEdit;
        return FALSE;
    }
    return TRUE;
}

void TestDll_EditCounts(int* reflectedChanges, int* preTranslatedKeys)
{
    *reflectedChanges = g_reflectedChanges;
    *preTranslatedKeys = g_preTranslatedKeys;
}

INT_PTR TestDll_RunClashDialog(BOOL manageState, char* title, int titleSize)
{
    if (manageState) {
        AFX_MANAGE_STATE(AfxGetStaticModuleState());
        return RunClashDialog(title, titleSize);
    }
    return RunClashDialog(title, titleSize);
}

HINSTANCE TestDll_ResourceHandle(BOOL manageState)
{
    if (manageState) {
        AFX_MANAGE_STATE(AfxGetStaticModuleState());
        return AfxGetResourceHandle();
    }
    return AfxGetResourceHandle();
}

CWinApp* TestDll_App(BOOL manageState)
{
    if (manageState) {
        AFX_MANAGE_STATE(AfxGetStaticModuleState());
        return AfxGetApp();
    }
    return AfxGetApp();
}

CWinApp* TestDll_OwnApp()
{
    return &theDllApp;
}

int TestDll_InitInstanceCalls()
{
    return theDllApp.initInstanceCalls;
}

HWND TestDll_CreateWindow()
{
    AFX_MANAGE_STATE(AfxGetStaticModuleState());
    CLibraryWindow* pWindow = new CLibraryWindow;
    if (!pWindow->Create(IDD_DLL_WINDOW)) {
        delete pWindow;
        return NULL;
    }
    return pWindow->GetSafeHwnd();
}

int TestDll_LiveWindows()
{
    return g_liveWindows;
}

BOOL TestDll_IsPermanent(HWND hWnd)
{
    AFX_MANAGE_STATE(AfxGetStaticModuleState());
    return CWnd::FromHandlePermanent(hWnd) != NULL;
}

CString TestDll_MakeString(const char* text)
{
    CString made(text);
    made += "-dll";
    return made;
}

void TestDll_AppendTo(CString& target, const char* text)
{
    // Grows the caller's string beyond its buffer: reallocated on this side.
    for (int i = 0; i < 50; ++i)
        target += text;
}

void TestDll_Keep(const CString& text)
{
    g_kept = text;
}

CString TestDll_Kept()
{
    return g_kept;
}

void TestDll_ReleaseKept()
{
    g_kept.Empty();
}
