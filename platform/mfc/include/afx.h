// The base of the class layer: objects, strings, geometry, time, files and collections.
#pragma once

#include "afxdefs.h"
#include "afxobj.h"
#include "afxstr.h"
#include "atltypes.h"
#include "atltime.h"
#include "ATLComTime.h"
#include "afxfile.h"
#include "afxcoll.h"

// Module handles of the running program; the resource handle follows AFX_MANAGE_STATE.
AFX_API HINSTANCE AFXAPI AfxGetResourceHandle();
AFX_API HINSTANCE AFXAPI AfxGetInstanceHandle();

// Pointer sanity checks used in assertions; they only reject null pointers.
inline BOOL AFXAPI AfxIsValidString(LPCSTR psz, int nLength = -1)
{
    (void)nLength;
    return psz != NULL;
}
inline BOOL AFXAPI AfxIsValidAddress(const void* p, UINT_PTR nBytes, BOOL bReadWrite = TRUE)
{
    (void)bReadWrite;
    return p != NULL || nBytes == 0;
}
