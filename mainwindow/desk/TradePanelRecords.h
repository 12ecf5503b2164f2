// The records and message numbers between the main window and the trade panel: what comes up
// from the trading windows (order ticket, password change, account query) and what goes down
// to them (list commands, button states, page texts, status lines). Every record belongs to
// its sender and is valid only during the synchronous call. The layouts are the trading
// windows' own; the names stay in a namespace of their own so they never meet the trading
// windows' declarations in one program.
#pragma once
#include <afx.h>
#include <afxwin.h>

namespace deskpanel {

// Up: the order form's ticket (WM_PLACE_ORDER). Only direction, price type, quantity, code,
// price and price step are read here.
struct OrderTicket
{
    CString direction;   // "买入" or "卖出"
    CString priceType;   // "市价", "限价" or "条件止损价"
    CString quantity;    // lots
    CString code;
    CString name;
    CString defaultQuantity;
    int reserved6 = 0;
    CString sharesPerUnit = "1";
    CString text8;
    int value9 = 0;
    CString price;
    CString text11;
    CString text12;
    int reserved13 = 0;
    int priceDecimals = 0;
    CString priceStep;
};

// Up: the password window's change request (WM_CHANGE_PASSWORD).
struct PasswordRequest
{
    CString current;
    CString newPassword;
    CString newAgain;
};

// Up: a request of an account-query page (WM_QUERY_HISTORY).
struct QueryRequest
{
    CString command;     // "查询", "打印" or "查询下一页"
    CString queryDate;
    CString startDate;   // "%Y%m%d"
    CString endDate;
};

// Down: one operation on a list window: 0 insert a row, 1 set a cell, 2 delete a row,
// 3 delete all rows, 4 set a row's cells ("|"), 5 set rows from `row` ("\n" between rows).
struct ListCommand
{
    enum Op
    {
        INSERT_ROW = 0,
        SET_CELL = 1,
        DELETE_ROW = 2,
        DELETE_ALL = 3,
        SET_ROW = 4,
        SET_ROWS = 5,
    };
    int op = 0;
    int row = 0;
    int col = 0;
    CString text;
};

// Down: the state of a list window's command button, found by its caption.
struct ButtonState
{
    CString caption;
    int enable = 1;
    int highlight = 1;
};

// Down: text for an account-query page (0 append, 1 clear).
struct QueryText
{
    int op = 0;
    CString text;
    int scrollToEnd = 0;
    CString faceName;
    COLORREF colour = 0;
    int height = 0;
    int bold = 0;
};

// Down: a status line of a query page or of the password window.
struct StatusLine
{
    CString text;
    COLORREF colour = 0;
};

// Messages of the trading windows' block, as the trade panel passes them to its windows.
enum TradePanelMessage
{
    WM_PANEL_POSITIONS_LIST = WM_USER + 300,
    WM_PANEL_ORDERS_LIST = WM_USER + 400,
    WM_PANEL_ORDERS_BUTTON_STATE = WM_USER + 401,
    WM_PANEL_FILLS_LIST = WM_USER + 500,
    WM_PANEL_FUNDS_TEXT = WM_USER + 600,
    WM_PANEL_FUNDS_STATUS = WM_USER + 601,
    WM_PANEL_HISTORY_TEXT = WM_USER + 604,
    WM_PANEL_HISTORY_STATUS = WM_USER + 605,
    WM_PANEL_NEXT_PAGE_STATE = WM_USER + 606,
    WM_PANEL_PASSWORD_STATUS = WM_USER + 700,
    // Up from the positions window through the trade panel: the chosen row's text.
    WM_POSITIONS_ROW = WM_USER + 351,
};

}  // namespace deskpanel
