// Ids of the dialogs the main window owns apart from the main dialog: the quote list page,
// the quick-search popup and the splash window, and their controls.
#pragma once

#define IDD_TABQUOTE_DIALOG     135
#define IDD_SEARCH_DIALOG       191
#define IDD_SPLASH_DIALOG       198

#define IDC_QUOTE_LIST          1005
#define IDC_SEARCH_EDIT         1034
#define IDC_SEARCH_LIST         1076

#define IDI_SEARCH_ICON         128
