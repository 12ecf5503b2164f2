// OLE start-up functions programs call from InitInstance.
#pragma once

#include "afxwin.h"

#include <ole2.h>

// No ActiveX controls are hosted: a no-op kept for source compatibility.
AFX_API void AFXAPI AfxEnableControlContainer();
// Initialises OLE (OleInitialize) on the calling thread.
AFX_API BOOL AFXAPI AfxOleInit();
