// The events of a TCP client. They are raised on the client's worker thread, except
// OnConnecting and a synchronous start's OnConnected (raised inside Start on its caller's
// thread) and the OnClose that Stop raises on the thread that calls it.
#pragma once
#include "ITcpClient.h"

class IClientListener
{
public:
    // A socket exists and the connect is about to begin; Error cancels the start.
    virtual ListenerResult OnConnecting(IClient* client, SOCKET socket) = 0;
    // The connection is up; Error drops it.
    virtual ListenerResult OnConnected(IClient* client) = 0;
    // count bytes from data went to the network.
    virtual ListenerResult OnSent(IClient* client, const BYTE* data, int length) = 0;
    virtual ListenerResult OnReceivedLength(IClient* client, int length) = 0;
    // Bytes arrived; the memory is the client's and valid during the call only. Error drops
    // the connection (reported back through OnError with the receive operation and 1223).
    virtual ListenerResult OnReceive(IClient* client, const BYTE* data, int length) = 0;
    // The connection ended: the server closed it or a thread stopped the client. Raised at
    // most once per start.
    virtual ListenerResult OnClose(IClient* client) = 0;
    // The network failed; the client stops itself afterwards.
    virtual ListenerResult OnError(IClient* client, SocketOperation operation, int errorCode) = 0;
    virtual ~IClientListener() {}
};

// The listener type a CTcpClient takes.
class ITcpClientListener : public IClientListener
{
};

// Base of concrete listeners.
class CTcpClientListener : public ITcpClientListener
{
};
