#include "SameLogin.h"

#include "ConnectionRegistry.h"
#include "ConnectionStates.h"
#include "Network.h"
#include "ReplyMessages.h"

namespace
{
void Displace(CServerSession* session, int kind, HWND mainWindow)
{
    if (session == NULL)
        return;
    volatile LONG* state = ConnectionStateOf(kind);
    const bool reported = kind != CONNECTION_KIND_PROXY_QUERY && state != NULL;
    // The state is displaced before the socket drops: the connection's own receiver sees the
    // drop at once and must find a displaced state, not report a loss.
    if (reported)
        InterlockedExchange(state, CONNECTION_DISPLACED);
    if (session->GetConnection() != NULL)
        session->GetConnection()->Disconnect();
    if (reported)
        ::SendMessage(mainWindow, WM_CONNECTION_STATE, (WPARAM)kind, (LPARAM)CONNECTION_DISPLACED);
}
}

void OnSameLogin(CConnectionRegistry& registry, HWND mainWindow)
{
    CServerSession* order = registry.GetOrderSession();
    CServerSession* query = registry.GetQuerySession();
    CServerSession* ownTrade = registry.GetTradeSessionIfProxy();
    CServerSession* proxyQuery = registry.GetProxyQuerySession();
    Displace(order, CONNECTION_KIND_ORDER, mainWindow);
    Displace(query, CONNECTION_KIND_QUERY, mainWindow);
    Displace(ownTrade, CONNECTION_KIND_OWN_TRADE, mainWindow);
    Displace(proxyQuery, CONNECTION_KIND_PROXY_QUERY, mainWindow);
}
