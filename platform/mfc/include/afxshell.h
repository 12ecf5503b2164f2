// The one ShellExecute of the class layer, with a hook that replaces the real call (tests
// see what would have been opened in the user's browser or file manager instead).
#pragma once

#include "afxwin.h"

#include <shellapi.h>

typedef HINSTANCE (CALLBACK* AFX_SHELLEXECUTE_HOOK)(HWND hWnd, LPCSTR lpszVerb, LPCSTR lpszFile,
                                                    LPCSTR lpszParameters, LPCSTR lpszDirectory,
                                                    INT nShowCmd);
// Sets the process-wide hook (NULL calls the shell again); returns the previous one.
AFX_API AFX_SHELLEXECUTE_HOOK AFXAPI AfxSetShellExecuteHook(AFX_SHELLEXECUTE_HOOK hook);
// ShellExecuteA, or the hook while one is set. The result is ShellExecute's (above 32 on
// success).
AFX_API HINSTANCE AFXAPI AfxShellExecute(HWND hWnd, LPCSTR lpszVerb, LPCSTR lpszFile,
                                         LPCSTR lpszParameters, LPCSTR lpszDirectory,
                                         INT nShowCmd);
