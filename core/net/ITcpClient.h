// The client side of a TCP connection as the rest of the program sees it: start and stop,
// queue outgoing bytes, read its state and errors. Events of the connection go to an
// ITcpClientListener (ITcpClientListener.h).
#pragma once
#include <afx.h>
#include <winsock2.h>

// The result of every listener operation. The client acts on Error only where it can refuse
// something (connecting, connected, received); elsewhere the result is ignored.
enum class ListenerResult
{
    Ok = 0,
    Ignore = 1,
    Error = 2,
};

// A new client is Stopped.
enum class ClientState
{
    Starting = 0,
    Started = 1,
    Stopping = 2,
    Stopped = 3,
};

// The operation that failed, as reported to IClientListener::OnError.
enum class SocketOperation
{
    None = 0,
    Connect = 2,
    Send = 3,
    Receive = 4,
};

// The client's own error code (GetErrorCode / GetErrorText). Whenever the client sets one it
// also sets the thread's last-error value, so callers can read both.
enum class ClientError
{
    Success = 0,
    IllegalState = 1,
    InvalidParameter = 2,
    CreateSocket = 3,
    BindSocket = 4,
    PrepareSocket = 5,
    ListenSocket = 6,
    CreateIocp = 7,
    CreateWorkerThread = 8,
    CreateDetectorThread = 9,
    AttachToIocp = 10,
    ConnectServer = 11,
    Network = 12,
    ProcessData = 13,
    SendData = 14,
};

class IClient
{
public:
    // Connects to an IPv4 server: a dotted address or a host name. With async the connect
    // completes on the worker thread (the state stays Starting until then).
    virtual bool Start(LPCSTR address, USHORT port, bool async) = 0;
    virtual bool Stop() = 0;
    // Queues length bytes from data + offset.
    virtual bool Send(const BYTE* data, int length, int offset = 0) = 0;
    // Queues every buffer of positive length, in order; the caller's memory is not kept.
    virtual bool SendBuffers(const WSABUF buffers[], int count) = 0;
    virtual void SetUserData(PVOID userData) = 0;
    virtual PVOID GetUserData() = 0;
    // True while Starting or Started.
    virtual bool IsActive() = 0;
    virtual ClientState GetState() = 0;
    virtual ClientError GetErrorCode() = 0;
    virtual LPCSTR GetErrorText() = 0;
    virtual DWORD GetConnectionId() = 0;
    // The socket's local address as "a.b.c.d" and its port. length holds the buffer size
    // (terminator included) and receives the size needed when the buffer is too small.
    virtual bool GetLocalAddress(LPSTR address, int& length, USHORT& port) = 0;
    // Bytes queued and not yet handed to the network; returns IsActive().
    virtual bool GetPendingBytes(int& length) = 0;
    virtual void SetPoolSize(int poolSize) = 0;
    virtual void SetPoolHold(int poolHold) = 0;
    virtual int GetPoolSize() = 0;
    virtual int GetPoolHold() = 0;
    virtual ~IClient() {}
};

class ITcpClient : public IClient
{
public:
    // Sends a file of 1 byte to 4 MiB, optionally between a head and a tail buffer.
    virtual bool SendFile(LPCSTR path, const WSABUF* head = NULL, const WSABUF* tail = NULL) = 0;
    // Settings take effect at the next Start.
    virtual void SetSocketBufferSize(int bytes) = 0;
    virtual void SetKeepAliveTime(int milliseconds) = 0;
    virtual void SetKeepAliveInterval(int milliseconds) = 0;
    virtual int GetSocketBufferSize() = 0;
    virtual int GetKeepAliveTime() = 0;
    virtual int GetKeepAliveInterval() = 0;
};
