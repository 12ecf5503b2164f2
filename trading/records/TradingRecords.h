// The records that travel with the trading windows' messages. Each belongs to its sender and
// is valid only during the synchronous call; a receiver copies what it keeps. Every module
// uses the one shared run-time, so CString members may be assigned across modules.
#pragma once
#include <afx.h>
#include <afxwin.h>

#include "InstrumentInfo.h"
#include "TradingMessages.h"

// The container's header strip: a status form (title and link) or the five account figures.
struct AccountSummary
{
    enum { kFigures = 5 };
    struct Figure
    {
        CString label;
        CString value;
        COLORREF colour = 0;
        CFont* font = nullptr;
    };
    COLORREF background = 0xC0C0C0;
    CString title;
    COLORREF titleColour = 0;
    CFont* titleFont = nullptr;
    Figure figures[kFigures];
    int linkEnabled = 0;  // 1: status form
    CString link;
    COLORREF linkColour = 0xFF0000;
    CFont* linkFont = nullptr;
};

// What the order form sends up with an order.
struct OrderTicket
{
    CString direction;  // "买入" or "卖出"
    CString priceType;  // "市价", "限价" or "条件止损价"
    CString quantity;
    CString code;
    CString name;
    CString defaultQuantity;
    int reserved6 = 0;
    CString sharesPerUnit = "1";
    CString text8;      // the instrument's hint
    int value9 = 0;     // quantity decimals
    CString price;
    CString text11;
    CString text12;
    int reserved13 = 0;
    int priceDecimals = 0;
    CString priceStep;
};

struct PasswordRequest
{
    CString current;
    CString newPassword;
    CString newAgain;
};

struct StatusLine
{
    CString text;
    COLORREF colour = 0;
};

// One edit of a list window: op 0 insert row, 1 set cell, 2 delete row, 3 delete all rows,
// 4 set one row from "|" cells, 5 set consecutive rows from "\n" rows, 6 delete a column.
struct ListCommand
{
    int op = 0;
    int row = 0;
    int col = 0;
    CString text;
};

struct ButtonState
{
    CString caption;
    int enable = 1;
    int highlight = 1;
};

struct ListRequest
{
    CString command;
    CString rows;
};

// op 0 append in the page's style, 1 clear, 2 take the style from the record and append.
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

struct QueryRequest
{
    CString command;
    CString queryDate;
    CString startDate;
    CString endDate;
};
