#include "OrderPages.h"

#include "SlipdeskResource.h"

CTraditionDlg::CTraditionDlg() : CDialogEx(IDD_TRADITION, NULL) {}

CBullDlg::CBullDlg() : CDialogEx(IDD_BULL, NULL) {}

CQuickDlg::CQuickDlg() : CDialogEx(IDD_QUICK, NULL) {}
