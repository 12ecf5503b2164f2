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
    // Displaced before the disconnect: the connection's receiver, seeing it go down, must
    // find the state no longer logged in, or it would report a loss as well.
    volatile LONG* state = ConnectionStateOf(kind);
    const bool reported = kind != CONNECTION_KIND_PROXY_QUERY && state != NULL;
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
