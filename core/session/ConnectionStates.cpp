#include "ConnectionStates.h"

volatile LONG TradeConnectionState = 0;
volatile LONG QueryConnectionState = 0;
volatile LONG ProxyTradeConnectionState = 0;
volatile LONG ProxyQueryConnectionState = 0;

volatile LONG* ConnectionStateOf(int kind)
{
    switch (kind)
    {
    case CONNECTION_KIND_ORDER:
        return &TradeConnectionState;
    case CONNECTION_KIND_QUERY:
        return &QueryConnectionState;
    case CONNECTION_KIND_OWN_TRADE:
        return &ProxyTradeConnectionState;
    case CONNECTION_KIND_PROXY_QUERY:
        return &ProxyQueryConnectionState;
    default:
        return NULL;
    }
}

void ResetConnectionStates()
{
    InterlockedExchange(&TradeConnectionState, 0);
    InterlockedExchange(&QueryConnectionState, 0);
    InterlockedExchange(&ProxyTradeConnectionState, 0);
    InterlockedExchange(&ProxyQueryConnectionState, 0);
}
