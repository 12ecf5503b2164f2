// The main window's messages that the trade dialog relays or receives, numbered as the main
// window handles them. Kept in a namespace of their own so they sit beside the main window's
// other message lists without a clash of names.
#pragma once
#include <winsock2.h>
#include <windows.h>

namespace tradepanel {

enum : UINT {
    WM_TRADE_SET_INSTRUMENT = 11034,
    WM_QUERY_POSITIONS = 11078,
    WM_PLACE_ORDER = 11081,
    WM_QUERY_ORDERS_ALL = 11082,
    WM_QUERY_ORDERS_CANCELLABLE = 11083,
    WM_ORDER_ROW_SELECTED = 11084,
    WM_CANCEL_ORDER = 11085,
    WM_CANCEL_ALL_ORDERS = 11086,
    WM_FILLS_VIEW_DETAIL = 11087,
    WM_FILLS_VIEW_BY_ORDER = 11088,
    WM_FILLS_VIEW_BY_CONTRACT = 11089,
    WM_QUERY_TAB_CHANGED = 11096,
    WM_QUERY_HISTORY = 11097,
    WM_QUERY_PRINT = 11098,
    WM_QUERY_NEXT_PAGE = 11099,
    WM_PANEL_HIDE = 11105,
    WM_PANEL_FLOAT = 11106,
    WM_CHANGE_PASSWORD = 11112,
    WM_REFRESH_FILLS = 11113,
    WM_CLOSE_POSITION = 11118,
    WM_CLOSE_ALL_POSITIONS = 11119,
    // Relayed under their own numbers.
    WM_SHOW_ORDER_DETAIL_OPTION = 1176,
    WM_POSITION_ROW_SELECTED = 1375,
};

}  // namespace tradepanel
