// Ids of the quote board's own templates: the notice window and the quote rows' context menu.
#pragma once

#define IDD_NOTICE_DIALOG          207
#define IDC_NOTICE_HTML            1097
#define IDC_NOTICE_HIDE            1098
#define IDC_NOTICE_CLOSE           1066

#define IDR_QUOTE_MENU             177
#define ID_ADD_TO_MY_SECTOR        32793
#define ID_REMOVE_FROM_MY_SECTOR   32796
