#include "ConnectionStatus.h"

#include "ConnectionStates.h"

namespace {

const COLORREF kGreyHeader = RGB(150, 150, 150);
const COLORREF kLightHeader = RGB(232, 232, 232);

const char* ServerName(int kind)
{
    switch (kind)
    {
    case CONNECTION_KIND_ORDER: return "交易服务器";
    case CONNECTION_KIND_QUERY: return "查询服务器";
    default: return "代理交易服务器";
    }
}

int PaneOf(int kind)
{
    switch (kind)
    {
    case CONNECTION_KIND_ORDER: return 1;
    case CONNECTION_KIND_QUERY: return 2;
    default: return 3;
    }
}

CString PaneText(int kind, int state, bool refused)
{
    const CString server = ServerName(kind);
    switch (state)
    {
    case CONNECTION_NO_ACCOUNT: return "未开户";
    case CONNECTION_LOST: return server + (refused ? "：强制退出" : "：正在重连");
    case CONNECTION_UNKNOWN: return server + "：正在连接";
    case CONNECTION_LOGGED_IN: return server + "：连接成功";
    default: return server + "：强制退出";
    }
}

void SetStatusHeader(ConnectionStatusView& view, const char* text, COLORREF color, int link)
{
    view.header = ConnectionStatusView::HEADER_STATUS;
    view.headerText = text;
    view.headerColor = color;
    view.headerLink = link;
}

void DescribeTradingHeader(ConnectionStatusView& view, int state, bool refused, int queryState)
{
    switch (state)
    {
    case CONNECTION_NO_ACCOUNT:
        SetStatusHeader(view, "", kGreyHeader, 1);
        break;
    case CONNECTION_LOST:
        SetStatusHeader(view, refused ? "交易服务器强制退出！" : "交易服务器已断开, 正在重连中...", kGreyHeader, 0);
        break;
    case CONNECTION_LOGGED_IN:
        if (queryState == CONNECTION_LOGGED_IN)
            view.header = ConnectionStatusView::HEADER_ACCOUNT_SUMMARY;
        else
            SetStatusHeader(view, "交易服务器：已连接成功!", kLightHeader, 0);
        break;
    case CONNECTION_DISPLACED:
        SetStatusHeader(view, "重复登录，您已被强制退出！", kGreyHeader, 0);
        break;
    default:
        break;
    }
}

}  // namespace

ConnectionStatusView DescribeConnectionState(int kind, int state, bool refused, int tradeState, int queryState)
{
    ConnectionStatusView view;
    const bool knownKind = kind == CONNECTION_KIND_ORDER || kind == CONNECTION_KIND_QUERY
                           || kind == CONNECTION_KIND_OWN_TRADE;
    if (!knownKind || state < CONNECTION_NO_ACCOUNT || state > CONNECTION_DISPLACED)
        return view;
    view.known = true;
    view.pane = PaneOf(kind);
    view.paneText = PaneText(kind, state, refused);
    if (kind == CONNECTION_KIND_ORDER)
        DescribeTradingHeader(view, state, refused, queryState);
    else if (kind == CONNECTION_KIND_QUERY)
    {
        view.clearOrdersAndPositions = state == CONNECTION_LOST || state == CONNECTION_UNKNOWN;
        if (state == CONNECTION_LOGGED_IN && tradeState == CONNECTION_LOGGED_IN)
            view.header = ConnectionStatusView::HEADER_ACCOUNT_SUMMARY;
    }
    return view;
}
