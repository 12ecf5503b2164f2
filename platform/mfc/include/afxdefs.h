// Common definitions of the tolvanafx class layer: Windows headers, export macros and
// the small macros every MFC-style source expects.
#pragma once

#include <winsock2.h>
#include <windows.h>
#include <windowsx.h>
#include <commctrl.h>
#include <richedit.h>
#include <shellapi.h>
#include <tchar.h>
#include <stdlib.h>
#include <string.h>
#include <stdio.h>

#ifdef TOLVANAFX_BUILD
#define AFX_API __declspec(dllexport)
#else
#define AFX_API __declspec(dllimport)
#endif

#define AFXAPI __stdcall
#define afx_msg
#define AFX_CDECL __cdecl

#ifndef ASSERT
#ifdef _DEBUG
#include <assert.h>
#define ASSERT(f) assert(f)
#else
#define ASSERT(f) ((void)0)
#endif
#endif
#ifndef VERIFY
#define VERIFY(f) ((void)(f))
#endif
#define ASSERT_VALID(p) ((void)0)
#define TRACE(...) ((void)0)
#define TRACE0(s) ((void)0)
#define DEBUG_NEW new
#define UNUSED_ALWAYS(x) (void)(x)
