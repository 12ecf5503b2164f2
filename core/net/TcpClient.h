// The program's TCP client: one IPv4 connection on Winsock event-select sockets with one
// worker thread per started connection. Outgoing bytes are copied into a send queue of
// page-sized items and written by the worker; every event goes to the listener given at
// construction.
#pragma once
#include "BufferItemPool.h"
#include "ITcpClient.h"
#include "ITcpClientListener.h"

#include <atomic>

class CTcpClient : public ITcpClient
{
public:
    // Largest file SendFile accepts.
    static const DWORD kMaxSendFileBytes = 4 * 1024 * 1024;

    explicit CTcpClient(ITcpClientListener* listener);
    ~CTcpClient() override;
    CTcpClient(const CTcpClient&) = delete;
    CTcpClient& operator=(const CTcpClient&) = delete;

    bool Start(LPCSTR address, USHORT port, bool async) override;
    // Ends the connection. Called on any thread but the worker, it ends a Start still
    // connecting on another thread (that Start fails with "Connect to Server Fail"), waits
    // for the worker and returns with the client Stopped. Called on the worker (from a listener operation), it
    // returns at once with the client Stopping; the worker releases the connection when it
    // leaves, and the state becomes Stopped then.
    bool Stop() override;
    bool Send(const BYTE* data, int length, int offset = 0) override;
    bool SendBuffers(const WSABUF buffers[], int count) override;
    void SetUserData(PVOID userData) override { m_userData = userData; }
    PVOID GetUserData() override { return m_userData; }
    bool IsActive() override;
    ClientState GetState() override { return m_state.load(); }
    ClientError GetErrorCode() override { return m_errorCode.load(); }
    LPCSTR GetErrorText() override;
    DWORD GetConnectionId() override { return m_connectionId; }
    bool GetLocalAddress(LPSTR address, int& length, USHORT& port) override;
    bool GetPendingBytes(int& length) override;
    void SetPoolSize(int poolSize) override { m_poolSize = poolSize; }
    void SetPoolHold(int poolHold) override { m_poolHold = poolHold; }
    int GetPoolSize() override { return m_poolSize; }
    int GetPoolHold() override { return m_poolHold; }

    bool SendFile(LPCSTR path, const WSABUF* head = NULL, const WSABUF* tail = NULL) override;
    void SetSocketBufferSize(int bytes) override { m_socketBufferSize = bytes; }
    void SetKeepAliveTime(int milliseconds) override { m_keepAliveTime = milliseconds; }
    void SetKeepAliveInterval(int milliseconds) override { m_keepAliveInterval = milliseconds; }
    int GetSocketBufferSize() override { return m_socketBufferSize; }
    int GetKeepAliveTime() override { return m_keepAliveTime; }
    int GetKeepAliveInterval() override { return m_keepAliveInterval; }

    // The text of an error code ("UNKNOWN ERROR" for codes outside the table).
    static LPCSTR ErrorText(ClientError code);
    // Free items kept for the next sends (for tests of the pool bounds).
    int GetFreeItemCount() { return m_pool.GetFreeCount(); }

protected:
    virtual ListenerResult NotifyConnecting(SOCKET socket);
    virtual ListenerResult NotifyConnected();
    virtual ListenerResult NotifySent(const BYTE* data, int length);
    virtual ListenerResult NotifyReceivedLength(int length);
    virtual ListenerResult NotifyReceived(const BYTE* data, int length);
    virtual ListenerResult NotifyClosed();
    virtual ListenerResult NotifyError(SocketOperation operation, int errorCode);
    // True when the settings allow a start; copies them into the item pool.
    virtual bool ValidateSettings();
    // Releases what one connection used: queued items, free items (with a fresh heap) and
    // the events' signals; then the client is Stopped.
    virtual void ResetAfterStop(bool fullReset);

private:
    static unsigned __stdcall WorkerEntry(void* client);
    void WorkerLoop();
    bool HandleNetworkEvents(BYTE* buffer);
    bool HandleConnected();
    bool ReadAvailable(BYTE* buffer);
    bool DrainBeforeClose(BYTE* buffer);
    bool FlushSendQueue();
    bool SendItem(BufferItem* item);

    bool StartConnection(LPCSTR address, USHORT port);
    bool CreateSocket();
    void SetKeepAlive();
    bool Connect(const in_addr& address, USHORT port);
    bool WaitForConnect();
    bool StartWorker();
    bool StopConnection(bool reportIllegalState);
    void ReleaseConnection();
    void JoinFinishedWorker();
    bool IsWorkerThread() const;
    ListenerResult NotifyClosedOnce();
    bool QueueBuffers(const WSABUF buffers[], int count, int total);
    void SetError(ClientError code, DWORD osError);
    bool Fail(ClientError code, DWORD osError);

    int m_startupResult;
    ITcpClientListener* m_listener;
    bool m_async;
    SOCKET m_socket;
    WSAEVENT m_socketEvent;
    DWORD m_connectionId;
    int m_socketBufferSize;
    int m_poolSize;
    int m_poolHold;
    int m_keepAliveTime;
    int m_keepAliveInterval;
    HANDLE m_worker;
    DWORD m_workerId;
    std::atomic<ClientState> m_state;
    std::atomic<ClientError> m_errorCode;
    PVOID m_userData;

    CBufferItemPool m_pool;
    // Start and Stop exclude each other through this lock while they change the state;
    // neither holds it while it connects or waits for the worker (the worker may be stopping
    // itself at the same moment).
    CRITICAL_SECTION m_startStopLock;
    // Guards the send queue and the pending byte count; senders hold it while they copy, and
    // the queue is released under it, so a sender racing Stop never writes freed memory.
    CRITICAL_SECTION m_sendLock;
    CBufferItemList m_sendQueue;
    HANDLE m_sendEvent;
    HANDLE m_shutdownEvent;
    int m_pendingBytes;
    int m_ioSize;  // receive buffer and largest send of the current start

    std::atomic<bool> m_closeNotified;     // OnClose raised for the current start
    std::atomic<bool> m_releaseOnWorker;   // the worker stopped itself: it releases on exit
    // The thread inside Start after the state became Starting (0 when none), and the event
    // set when it has left: a Stop on another thread waits for it before releasing.
    DWORD m_starterId;
    HANDLE m_startDoneEvent;
};
