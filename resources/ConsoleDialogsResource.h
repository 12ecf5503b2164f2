// Ids of the console's strategy editor and strategy import dialogs and their controls.
#pragma once

#define IDD_EDIT_STRATEGY          5500
#define IDD_IMPORT_STRATEGY        5501

#define IDC_STRATEGY_LIST          5510
#define IDC_STRATEGY_NAME          5511
#define IDC_LEG_TABLE              5512
#define IDC_DIRECTION_COMBO        5513
#define IDC_PRICE_TYPE_COMBO       5514
#define IDC_LEG_NUMBER_EDIT        5515
#define IDC_ADD_STRATEGY           5516
#define IDC_DELETE_STRATEGY        5517
#define IDC_CLEAR_STRATEGIES       5518
#define IDC_STRATEGY_LIST_LABEL    5519
#define IDC_STRATEGY_NAME_LABEL    5520

#define IDC_IMPORT_PROGRESS        5530
#define IDC_IMPORT_COUNT           5531
#define IDC_IMPORT_TITLE           5532
