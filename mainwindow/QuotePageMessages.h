// Messages between a quote list page and the main window, and the records they carry
// (owned by the sender, valid during the call).
#pragma once

#include <afx.h>

#define WM_SECTOR_CHANGED      2029   // wParam 0 selected, -1 none; lParam SectorNotice*
#define WM_QUOTETAB_LAYOUT     11035  // to the page: fill the client area with the list
#define WM_QUOTETAB_KEY_F1     11038  // F1 .. F7 over a page: 11038 .. 11044
#define WM_LIST_OPEN_TREND     11079
#define WM_REDISPLAY_QUOTES    11123  // wParam 1 from the timer, 0 from a page
#define WM_SORT_OR_SELECT      11127  // wParam 1 from a header click; lParam SortRequest*

struct SectorNotice
{
    CString strSector;  // the page's sector name
    int nRow = -1;      // the selected row, -1 none
    CString strText;    // the selected row's name (list column 2)
};

struct SortRequest
{
    int nColumn = 0;
    int nOrder = 1;     // 1 descending, 0 ascending
};

class CMenu;

// What a page needs of the main window for its context menu; the main window implements it.
class IQuotePageOwner
{
public:
    virtual ~IQuotePageOwner() = default;
    // The sector name of the page shown now.
    virtual CString GetCurrentPageKey() const = 0;
    // The pop-up whose first sub-menu holds "加入我的板块" and "删除"; null when none.
    virtual CMenu* GetQuoteContextMenu() = 0;
};
