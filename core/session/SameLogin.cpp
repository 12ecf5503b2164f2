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
    // Displaced before the disconnect: the receiver, which reports a logged-in connection that
    // goes down as lost, must not see this one go down while it still reads as logged in.
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
