// Common dialogs: file open/save.
#pragma once

#include "afxwin.h"

#include <commdlg.h>

class AFX_API CCommonDialog : public CDialog
{
    DECLARE_DYNAMIC(CCommonDialog)
public:
    explicit CCommonDialog(CWnd* pParentWnd);
    virtual ~CCommonDialog();
};

// The open or save file dialog (GetOpenFileName/GetSaveFileName). Filters use '|' between
// the parts, as in "Text (*.txt)|*.txt|All (*.*)|*.*||".
class AFX_API CFileDialog : public CCommonDialog
{
    DECLARE_DYNAMIC(CFileDialog)
public:
    explicit CFileDialog(BOOL bOpenFileDialog, LPCTSTR lpszDefExt = NULL, LPCTSTR lpszFileName = NULL,
                         DWORD dwFlags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT,
                         LPCTSTR lpszFilter = NULL, CWnd* pParentWnd = NULL, DWORD dwSize = 0,
                         BOOL bVistaStyle = TRUE);
    virtual ~CFileDialog();

    OPENFILENAME m_ofn;

    // IDOK or IDCANCEL.
    virtual INT_PTR DoModal();

    CString GetPathName() const;
    CString GetFileName() const;
    CString GetFileExt() const;
    CString GetFileTitle() const;
    CString GetFolderPath() const;
    BOOL GetReadOnlyPref() const;
    // Multiple selection (OFN_ALLOWMULTISELECT).
    POSITION GetStartPosition() const;
    CString GetNextPathName(POSITION& pos) const;

protected:
    BOOL m_bOpenFileDialog;
    char* m_pszFilter;   // the filter with NULs for the bars, ending in two NULs
    CString m_strDefExt;
    char m_szFileTitle[64];
    char m_szFileName[MAX_PATH * 16];
};

// Replaces the file dialog while set (tests): the hook gets the dialog's OPENFILENAME and
// whether it is an open dialog, fills lpstrFile and returns IDOK or IDCANCEL. Returns the
// previous hook.
typedef INT_PTR (CALLBACK* AFX_FILEDIALOG_HOOK)(OPENFILENAME* pOfn, BOOL bOpenFileDialog);
AFX_API AFX_FILEDIALOG_HOOK AFXAPI AfxSetFileDialogHook(AFX_FILEDIALOG_HOOK hook);
