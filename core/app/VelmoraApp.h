// The application object of the Tolvan program.
#pragma once
#include <afxwin.h>

class CMessageFilter;

class CVelmoraApp : public CWinApp
{
public:
    CVelmoraApp();
    ~CVelmoraApp();

    BOOL InitInstance() override;
    // The main window's program-wide filter sees every message first.
    BOOL PreTranslateMessage(MSG* pMsg) override;

    // Set by the main window while its filter lives; null otherwise.
    CMessageFilter* m_pMessageFilter = nullptr;

private:
    int m_nReserved1;
    int m_nReserved2;

public:
    CDC m_dcDrag;          // copy of the main window's client area while the splitter moves
    CBitmap m_bmpDrag;     // the bitmap selected into m_dcDrag

    // The directory set (see CDirectorySet); read by the rest of the program.
    CString m_strRootDir;
    CString m_strAppDir;
    CString m_strDataDir;
    CString m_strDbDir;
    CString m_strLogDir;
    CString m_strUpdateDir;
    CString m_strTempDir;
    CString m_strTestDir;
    CString m_strUsrDir;

private:
    void BuildDirectorySet();

    DECLARE_MESSAGE_MAP()
};

extern CVelmoraApp theApp;
