// Ids of the main window's trading windows: the order detail window and the risk settings
// window, and their controls.
#pragma once

#define IDD_RISKSET_DIALOG      204
#define IDD_ORDERDETAIL_DIALOG  213

#define IDC_RISK_LINE_EDIT      1037
#define IDC_ORDERDETAIL_CANCEL  1087
#define IDC_RISK_ASSETS_LABEL   1092
#define IDC_RISK_LINE_LABEL     1093
