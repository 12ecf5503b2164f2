// The three further pages behind the order window's tab strip. They hold nothing yet: the
// strip has a single tab, so only the order form is ever shown.
#pragma once
#include <afxdialogex.h>

class CTraditionDlg : public CDialogEx
{
public:
    CTraditionDlg();
};

class CBullDlg : public CDialogEx
{
public:
    CBullDlg();
};

class CQuickDlg : public CDialogEx
{
public:
    CQuickDlg();
};
