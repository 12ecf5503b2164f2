// Windows Sockets start-up for programs of the class layer.
#pragma once

#include "afxwin.h"

#include <winsock2.h>

// Starts Windows Sockets 2.2 for the process (balanced by the process end). FALSE when
// the socket layer is not available; lpwsaData receives the details.
AFX_API BOOL AFXAPI AfxSocketInit(WSADATA* lpwsaData = NULL);
