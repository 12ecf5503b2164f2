// Ids of the order-supplement console and its history-order query window, and their controls.
#pragma once

#define IDD_ADMIN_DIALOG            5000
#define IDD_SEARCH_ORDER_DIALOG     5001

#define IDC_ADMIN_STRATEGY_COMBO    5071
#define IDC_ADMIN_UNUSED_LIST1      5075
#define IDC_ADMIN_APPLY             5077
#define IDC_ADMIN_MANAGE            5078
#define IDC_ADMIN_START_STOP        5079
#define IDC_ADMIN_STOP              5080
#define IDC_ADMIN_HISTORY           5081
#define IDC_ADMIN_UNUSED_LIST2      5082
#define IDC_ADMIN_CLEAR             5083
#define IDC_ADMIN_REFRESH_CLIENTS   5088
#define IDC_ADMIN_STRATEGY_LABEL    5089
#define IDC_ADMIN_STATUS            5090
#define IDC_ADMIN_IMPORT            5091
#define IDC_ADMIN_CLIENT_LIST       5124
#define IDC_ADMIN_ORDER_LIST        5125

#define IDC_SEARCH_STATUS           5090
#define IDC_SEARCH_START_LABEL      5225
#define IDC_SEARCH_START_DATE       5226
#define IDC_SEARCH_END_LABEL        5227
#define IDC_SEARCH_END_DATE         5228
#define IDC_SEARCH_QUERY            5229
#define IDC_SEARCH_RESULT_LIST      5230
