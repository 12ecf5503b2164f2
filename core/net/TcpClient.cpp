#include "TcpClient.h"

#include "HostAddress.h"

#include <limits.h>
#include <mstcpip.h>
#include <process.h>
#include <stdio.h>
#include <string.h>

namespace {

volatile LONG g_lastConnectionId = 0;

// A process-wide id per socket; 0 means "no connection" and is never handed out.
DWORD NextConnectionId()
{
    DWORD id = (DWORD)::InterlockedIncrement(&g_lastConnectionId);
    if (id == 0)
        id = (DWORD)::InterlockedIncrement(&g_lastConnectionId);
    return id;
}

int SystemPageSize()
{
    SYSTEM_INFO info;
    ::GetNativeSystemInfo(&info);
    return (int)info.dwPageSize;
}

class CLockGuard
{
public:
    explicit CLockGuard(CRITICAL_SECTION& lock) : m_lock(lock) { ::EnterCriticalSection(&m_lock); }
    ~CLockGuard() { ::LeaveCriticalSection(&m_lock); }
    CLockGuard(const CLockGuard&) = delete;
    CLockGuard& operator=(const CLockGuard&) = delete;

private:
    CRITICAL_SECTION& m_lock;
};

} // namespace

CTcpClient::CTcpClient(ITcpClientListener* listener)
    : m_startupResult(-1), m_listener(listener), m_async(false), m_socket(INVALID_SOCKET), m_socketEvent(NULL),
      m_connectionId(0), m_socketBufferSize(SystemPageSize()), m_poolSize(10), m_poolHold(40),
      m_keepAliveTime(20000), m_keepAliveInterval(5000), m_worker(NULL), m_workerId(0),
      m_state(ClientState::Stopped), m_errorCode(ClientError::Success), m_userData(NULL),
      m_sendEvent(::CreateEventA(NULL, FALSE, FALSE, NULL)), m_shutdownEvent(::CreateEventA(NULL, FALSE, FALSE, NULL)),
      m_pendingBytes(0), m_ioSize(m_socketBufferSize), m_closeNotified(false), m_releaseOnWorker(false),
      m_starterId(0), m_startDoneEvent(::CreateEventA(NULL, TRUE, TRUE, NULL))
{
    WSADATA data;
    m_startupResult = ::WSAStartup(MAKEWORD(2, 2), &data);
    ::InitializeCriticalSection(&m_startStopLock);
    ::InitializeCriticalSectionAndSpinCount(&m_sendLock, 4096);
}

CTcpClient::~CTcpClient()
{
    if (IsActive())
        Stop();
    // A worker that stopped itself may still be releasing its connection.
    JoinFinishedWorker();
    {
        CLockGuard lock(m_sendLock);
        m_pool.ReturnAll(m_sendQueue);
    }
    ::CloseHandle(m_sendEvent);
    ::CloseHandle(m_shutdownEvent);
    ::CloseHandle(m_startDoneEvent);
    ::DeleteCriticalSection(&m_sendLock);
    ::DeleteCriticalSection(&m_startStopLock);
    if (m_startupResult == 0)
        ::WSACleanup();
}

LPCSTR CTcpClient::ErrorText(ClientError code)
{
    switch (code)
    {
    case ClientError::Success: return "SUCCESS";
    case ClientError::IllegalState: return "Illegal State";
    case ClientError::InvalidParameter: return "Invalid Parameter";
    case ClientError::CreateSocket: return "Create SOCKET Fail";
    case ClientError::BindSocket: return "Bind SOCKET Fail";
    case ClientError::PrepareSocket: return "Prepare SOCKET Fail";
    case ClientError::ListenSocket: return "Listen SOCKET Fail";
    case ClientError::CreateIocp: return "Create IOCP Fail";
    case ClientError::CreateWorkerThread: return "Create Worker Thread Fail";
    case ClientError::CreateDetectorThread: return "Create Detector Thread Fail";
    case ClientError::AttachToIocp: return "Attach SOCKET to IOCP Fail";
    case ClientError::ConnectServer: return "Connect to Server Fail";
    case ClientError::Network: return "Network Error";
    case ClientError::ProcessData: return "Process Data Error";
    case ClientError::SendData: return "Send Data Error";
    }
    return "UNKNOWN ERROR";
}

LPCSTR CTcpClient::GetErrorText()
{
    return ErrorText(m_errorCode.load());
}

void CTcpClient::SetError(ClientError code, DWORD osError)
{
    m_errorCode = code;
    ::SetLastError(osError);
}

bool CTcpClient::Fail(ClientError code, DWORD osError)
{
    SetError(code, osError);
    return false;
}

bool CTcpClient::IsActive()
{
    const ClientState state = m_state.load();
    return state == ClientState::Starting || state == ClientState::Started;
}

bool CTcpClient::IsWorkerThread() const
{
    return m_workerId != 0 && ::GetCurrentThreadId() == m_workerId;
}

// ---------------------------------------------------------------------------------------
// Listener events

ListenerResult CTcpClient::NotifyConnecting(SOCKET socket)
{
    return m_listener != NULL ? m_listener->OnConnecting(this, socket) : ListenerResult::Ignore;
}

ListenerResult CTcpClient::NotifyConnected()
{
    return m_listener != NULL ? m_listener->OnConnected(this) : ListenerResult::Ignore;
}

ListenerResult CTcpClient::NotifySent(const BYTE* data, int length)
{
    return m_listener != NULL ? m_listener->OnSent(this, data, length) : ListenerResult::Ignore;
}

ListenerResult CTcpClient::NotifyReceivedLength(int length)
{
    return m_listener != NULL ? m_listener->OnReceivedLength(this, length) : ListenerResult::Ignore;
}

ListenerResult CTcpClient::NotifyReceived(const BYTE* data, int length)
{
    return m_listener != NULL ? m_listener->OnReceive(this, data, length) : ListenerResult::Ignore;
}

ListenerResult CTcpClient::NotifyClosed()
{
    return m_listener != NULL ? m_listener->OnClose(this) : ListenerResult::Ignore;
}

ListenerResult CTcpClient::NotifyError(SocketOperation operation, int errorCode)
{
    return m_listener != NULL ? m_listener->OnError(this, operation, errorCode) : ListenerResult::Ignore;
}

// The worker's close and a racing Stop must not both report the end of one connection.
ListenerResult CTcpClient::NotifyClosedOnce()
{
    if (m_closeNotified.exchange(true))
        return ListenerResult::Ignore;
    return NotifyClosed();
}

// ---------------------------------------------------------------------------------------
// Start

bool CTcpClient::ValidateSettings()
{
    if (m_socketBufferSize <= 0 || m_poolSize < 0 || m_poolHold < 0 || m_keepAliveTime < 0 ||
        m_keepAliveInterval < 0)
        return false;
    m_pool.Configure(m_socketBufferSize, m_poolSize, m_poolHold);
    return true;
}

bool CTcpClient::Start(LPCSTR address, USHORT port, bool async)
{
    if (!ValidateSettings())
        return Fail(ClientError::InvalidParameter, ERROR_INVALID_PARAMETER);

    {
        // Held only while the state changes: a Stop must get in while the connect runs.
        CLockGuard guard(m_startStopLock);
        if (m_state.load() != ClientState::Stopped)
            return Fail(ClientError::IllegalState, ERROR_INVALID_OPERATION);
        JoinFinishedWorker();
        m_state = ClientState::Starting;
        m_async = async;
        m_ioSize = m_socketBufferSize;
        m_closeNotified = false;
        m_releaseOnWorker = false;
        m_errorCode = ClientError::Success;
        m_starterId = ::GetCurrentThreadId();
        ::ResetEvent(m_startDoneEvent);
    }

    const bool started = StartConnection(address, port);
    // Keep the cause of a failure: the Stop below (and whatever its OnClose does) must not
    // replace it.
    const ClientError code = m_errorCode.load();
    const DWORD osError = ::GetLastError();
    bool stoppedMeanwhile;
    {
        CLockGuard guard(m_startStopLock);
        m_starterId = 0;
        const ClientState state = m_state.load();
        stoppedMeanwhile = state != ClientState::Starting && state != ClientState::Started;
        ::SetEvent(m_startDoneEvent);
    }
    if (started)
        return true;
    // A Stop that came during the start releases the connection itself (it waited for this
    // start to finish); otherwise the failed start is undone here.
    if (!stoppedMeanwhile)
        StopConnection(false);
    SetError(code, osError);
    return false;
}

bool CTcpClient::StartConnection(LPCSTR address, USHORT port)
{
    if (!CreateSocket())
        return false;
    if (NotifyConnecting(m_socket) == ListenerResult::Error)
        return Fail(ClientError::PrepareSocket, ERROR_CANCELLED);
    in_addr server;
    if (!ResolveServerAddress(address, server))
        return Fail(ClientError::ConnectServer, WSAEADDRNOTAVAIL);
    if (!Connect(server, port))
        return false;
    return StartWorker();
}

bool CTcpClient::CreateSocket()
{
    m_socket = ::socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    if (m_socket == INVALID_SOCKET)
        return Fail(ClientError::CreateSocket, ::WSAGetLastError());
    SetKeepAlive();
    m_socketEvent = ::WSACreateEvent();
    if (m_socketEvent == WSA_INVALID_EVENT)
    {
        m_socketEvent = NULL;
        return Fail(ClientError::CreateSocket, ::WSAGetLastError());
    }
    m_connectionId = NextConnectionId();
    return true;
}

// Liveness of an idle connection rests on TCP keep-alive; a failure here is not fatal.
void CTcpClient::SetKeepAlive()
{
    tcp_keepalive settings;
    settings.onoff = (m_keepAliveTime != 0 && m_keepAliveInterval != 0) ? 1 : 0;
    settings.keepalivetime = (ULONG)m_keepAliveTime;
    settings.keepaliveinterval = (ULONG)m_keepAliveInterval;
    DWORD returned = 0;
    ::WSAIoctl(m_socket, SIO_KEEPALIVE_VALS, &settings, sizeof(settings), NULL, 0, &returned, NULL, NULL);
}

bool CTcpClient::Connect(const in_addr& address, USHORT port)
{
    sockaddr_in server = {};
    server.sin_family = AF_INET;
    server.sin_port = htons(port);
    server.sin_addr = address;

    // Select before connecting so the connect's completion cannot be missed. The synchronous
    // mode waits for that completion here instead of in a blocking connect, so that a Stop
    // from another thread ends the wait at once.
    if (::WSAEventSelect(m_socket, m_socketEvent, m_async ? FD_CONNECT | FD_CLOSE : FD_CONNECT) == SOCKET_ERROR)
        return Fail(ClientError::ConnectServer, ::WSAGetLastError());
    if (::connect(m_socket, reinterpret_cast<const sockaddr*>(&server), sizeof(server)) == SOCKET_ERROR)
    {
        const int error = ::WSAGetLastError();
        if (error != WSAEWOULDBLOCK)
            return Fail(ClientError::ConnectServer, error);
        if (!m_async && !WaitForConnect())
            return false;
    }
    else if (!m_async)
    {
        // Connected at once: take the completion off the record so the worker never sees it.
        WSANETWORKEVENTS completed;
        ::WSAEnumNetworkEvents(m_socket, m_socketEvent, &completed);
    }
    if (m_async)
        return true;

    if (::WSAEventSelect(m_socket, m_socketEvent, FD_READ | FD_WRITE | FD_CLOSE) == SOCKET_ERROR)
        return Fail(ClientError::ConnectServer, ::WSAGetLastError());
    if (NotifyConnected() == ListenerResult::Error)
        return Fail(ClientError::ConnectServer, ERROR_CANCELLED);
    // The listener may have stopped the client inside OnConnected, or another thread did.
    ClientState expected = ClientState::Starting;
    if (!m_state.compare_exchange_strong(expected, ClientState::Started))
        return Fail(ClientError::ConnectServer, ERROR_CANCELLED);
    return true;
}

bool CTcpClient::WaitForConnect()
{
    HANDLE events[2] = {m_socketEvent, m_shutdownEvent};
    if (::WaitForMultipleObjects(2, events, FALSE, INFINITE) != WAIT_OBJECT_0)
        return Fail(ClientError::ConnectServer, WSAEINTR);  // stopped
    WSANETWORKEVENTS networkEvents;
    if (::WSAEnumNetworkEvents(m_socket, m_socketEvent, &networkEvents) == SOCKET_ERROR)
        return Fail(ClientError::ConnectServer, ::WSAGetLastError());
    const int error = (networkEvents.lNetworkEvents & FD_CONNECT) ? networkEvents.iErrorCode[FD_CONNECT_BIT] : WSAEINTR;
    if (error != 0)
        return Fail(ClientError::ConnectServer, error);
    return true;
}

bool CTcpClient::StartWorker()
{
    // Suspended until its id is known: the worker tells itself apart from other callers of
    // Stop by that id.
    unsigned threadId = 0;
    HANDLE worker = (HANDLE)::_beginthreadex(NULL, 0, &CTcpClient::WorkerEntry, this, CREATE_SUSPENDED, &threadId);
    if (worker == NULL)
        return Fail(ClientError::CreateWorkerThread, ::GetLastError() != 0 ? ::GetLastError() : ERROR_NOT_ENOUGH_MEMORY);
    m_worker = worker;
    m_workerId = threadId;
    ::ResumeThread(worker);
    return true;
}

// ---------------------------------------------------------------------------------------
// Stop

bool CTcpClient::Stop()
{
    return StopConnection(true);
}

bool CTcpClient::StopConnection(bool reportIllegalState)
{
    bool startRunning;
    {
        CLockGuard guard(m_startStopLock);
        const ClientState state = m_state.load();
        if (state != ClientState::Starting && state != ClientState::Started)
        {
            if (reportIllegalState)
                SetError(ClientError::IllegalState, ERROR_INVALID_OPERATION);
            return false;
        }
        m_state = ClientState::Stopping;
        startRunning = m_starterId != 0 && m_starterId != ::GetCurrentThreadId();
    }

    if (startRunning)
    {
        // A Start on another thread is still connecting: wake it and let it back out before
        // anything it uses is released.
        ::SetEvent(m_shutdownEvent);
        ::WaitForSingleObject(m_startDoneEvent, INFINITE);
    }

    if (IsWorkerThread())
    {
        // Called from a listener operation: the worker still runs below us, so it releases the
        // socket, the queue and the heap when it leaves, and no OnClose is raised here.
        m_releaseOnWorker = true;
        return true;
    }

    if (m_worker != NULL)
    {
        ::SetEvent(m_shutdownEvent);
        ::WaitForSingleObject(m_worker, INFINITE);
        ::CloseHandle(m_worker);
        m_worker = NULL;
        m_workerId = 0;
    }
    NotifyClosedOnce();
    ReleaseConnection();
    return true;
}

void CTcpClient::ReleaseConnection()
{
    if (m_socketEvent != NULL)
    {
        ::WSACloseEvent(m_socketEvent);
        m_socketEvent = NULL;
    }
    if (m_socket != INVALID_SOCKET)
    {
        ::shutdown(m_socket, SD_SEND);
        ::closesocket(m_socket);
        m_socket = INVALID_SOCKET;
    }
    ResetAfterStop(true);
}

void CTcpClient::ResetAfterStop(bool fullReset)
{
    {
        // Under the send lock: a sender that got in before the state changed finishes its
        // copy first, and one that comes later finds the client inactive.
        CLockGuard lock(m_sendLock);
        m_pool.ReturnAll(m_sendQueue);
        m_pendingBytes = 0;
        if (fullReset)
            m_pool.Clear();
    }
    ::ResetEvent(m_sendEvent);
    ::ResetEvent(m_shutdownEvent);
    m_state = ClientState::Stopped;
}

void CTcpClient::JoinFinishedWorker()
{
    if (m_worker == NULL)
        return;
    if (!IsWorkerThread())
        ::WaitForSingleObject(m_worker, INFINITE);
    ::CloseHandle(m_worker);
    m_worker = NULL;
    m_workerId = 0;
}

// ---------------------------------------------------------------------------------------
// Worker

unsigned __stdcall CTcpClient::WorkerEntry(void* client)
{
    static_cast<CTcpClient*>(client)->WorkerLoop();
    return 0;
}

void CTcpClient::WorkerLoop()
{
    BYTE* buffer = static_cast<BYTE*>(::HeapAlloc(::GetProcessHeap(), 0, (SIZE_T)m_ioSize));
    if (buffer == NULL)
    {
        SetError(ClientError::Network, ERROR_NOT_ENOUGH_MEMORY);
        StopConnection(false);
    }
    else if (IsActive())
    {
        WSAEVENT events[3] = {m_socketEvent, m_sendEvent, m_shutdownEvent};
        bool failed = false;
        for (;;)
        {
            const DWORD signalled = ::WSAWaitForMultipleEvents(3, events, FALSE, WSA_INFINITE, FALSE);
            bool handled;
            if (signalled == WSA_WAIT_EVENT_0)
                handled = HandleNetworkEvents(buffer);
            else if (signalled == WSA_WAIT_EVENT_0 + 1)
                handled = FlushSendQueue();
            else if (signalled == WSA_WAIT_EVENT_0 + 2)
                break;
            else
            {
                SetError(ClientError::Network, ::WSAGetLastError());
                handled = false;
            }
            if (!handled)
            {
                failed = true;
                break;
            }
            if (!IsActive())
                break;
        }
        if (failed && IsActive())
            StopConnection(false);
    }
    if (buffer != NULL)
        ::HeapFree(::GetProcessHeap(), 0, buffer);
    // Last: once released, the client may be started again on another thread.
    if (m_releaseOnWorker.exchange(false))
        ReleaseConnection();
}

bool CTcpClient::HandleNetworkEvents(BYTE* buffer)
{
    WSANETWORKEVENTS events;
    if (::WSAEnumNetworkEvents(m_socket, m_socketEvent, &events) == SOCKET_ERROR)
    {
        const int error = ::WSAGetLastError();
        SetError(ClientError::Network, error);
        NotifyError(SocketOperation::None, error);
        ::WSAResetEvent(m_socketEvent);
        return false;
    }

    if (events.lNetworkEvents & FD_CONNECT)
    {
        const int error = events.iErrorCode[FD_CONNECT_BIT];
        if (error != 0)
        {
            SetError(ClientError::Network, error);
            NotifyError(SocketOperation::Connect, error);
            return false;
        }
        if (!HandleConnected())
            return false;
        // Bytes that came with the connect, and bytes queued while starting.
        if (!IsActive() || !ReadAvailable(buffer) || !IsActive() || !FlushSendQueue())
            return false;
    }

    if (events.lNetworkEvents & FD_READ)
    {
        const int error = events.iErrorCode[FD_READ_BIT];
        if (error != 0)
        {
            SetError(ClientError::Network, error);
            NotifyError(SocketOperation::Receive, error);
            return false;
        }
        if (!ReadAvailable(buffer))
            return false;
    }

    if (events.lNetworkEvents & FD_WRITE)
    {
        const int error = events.iErrorCode[FD_WRITE_BIT];
        if (error != 0)
        {
            SetError(ClientError::Network, error);
            NotifyError(SocketOperation::Send, error);
            return false;
        }
        if (!IsActive() || !FlushSendQueue())
            return false;
    }

    if (events.lNetworkEvents & FD_CLOSE)
    {
        const int error = events.iErrorCode[FD_CLOSE_BIT];
        if (error != 0)
        {
            SocketOperation operation = SocketOperation::None;
            if (events.lNetworkEvents & FD_READ)
                operation = SocketOperation::Receive;
            else if (events.lNetworkEvents & FD_WRITE)
                operation = SocketOperation::Send;
            else if (events.lNetworkEvents & FD_CONNECT)
                operation = SocketOperation::Connect;
            SetError(ClientError::Network, error);
            NotifyError(operation, error);
            return false;
        }
        // What the server sent before it closed still belongs to the listener.
        if (IsActive() && DrainBeforeClose(buffer))
            NotifyClosedOnce();
        return false;
    }
    return true;
}

bool CTcpClient::HandleConnected()
{
    if (::WSAEventSelect(m_socket, m_socketEvent, FD_READ | FD_WRITE | FD_CLOSE) == SOCKET_ERROR)
    {
        const int error = ::WSAGetLastError();
        SetError(ClientError::Network, error);
        NotifyError(SocketOperation::Connect, error);
        return false;
    }
    if (NotifyConnected() == ListenerResult::Error)
    {
        SetError(ClientError::Network, ERROR_CANCELLED);
        NotifyError(SocketOperation::Connect, ERROR_CANCELLED);
        return false;
    }
    ClientState expected = ClientState::Starting;
    m_state.compare_exchange_strong(expected, ClientState::Started);
    return true;
}

bool CTcpClient::ReadAvailable(BYTE* buffer)
{
    for (;;)
    {
        const int received = ::recv(m_socket, reinterpret_cast<char*>(buffer), m_ioSize, 0);
        if (received > 0)
        {
            if (NotifyReceived(buffer, received) == ListenerResult::Error)
            {
                SetError(ClientError::ProcessData, ERROR_CANCELLED);
                NotifyError(SocketOperation::Receive, ERROR_CANCELLED);
                return false;
            }
            if (!IsActive())
                return false;  // the listener stopped the client
            continue;
        }
        if (received == 0)
        {
            NotifyClosedOnce();
            return false;
        }
        const int error = ::WSAGetLastError();
        if (error == WSAEWOULDBLOCK)
            return true;
        SetError(ClientError::Network, error);
        NotifyError(SocketOperation::Receive, error);
        return false;
    }
}

// Reads what is left after the server's orderly close; false when the listener refused it.
bool CTcpClient::DrainBeforeClose(BYTE* buffer)
{
    for (;;)
    {
        const int received = ::recv(m_socket, reinterpret_cast<char*>(buffer), m_ioSize, 0);
        if (received <= 0)
            return true;
        if (NotifyReceived(buffer, received) == ListenerResult::Error)
        {
            SetError(ClientError::ProcessData, ERROR_CANCELLED);
            NotifyError(SocketOperation::Receive, ERROR_CANCELLED);
            return false;
        }
        if (!IsActive())
            return false;
    }
}

bool CTcpClient::FlushSendQueue()
{
    for (;;)
    {
        BufferItem* item;
        {
            CLockGuard lock(m_sendLock);
            item = m_sendQueue.PopFront();
        }
        if (item == NULL)
            return true;
        // Senders may keep the queue full for ever: a Stop must still get through.
        if (!IsActive())
        {
            CLockGuard lock(m_sendLock);
            m_sendQueue.PushFront(item);
            return true;
        }
        if (!SendItem(item))
        {
            m_pool.Return(item);
            return false;
        }
        if (item->Unread() > 0)
        {
            // The socket is full (or the listener stopped the client): the rest waits at the
            // head of the queue for the next FD_WRITE.
            CLockGuard lock(m_sendLock);
            m_sendQueue.PushFront(item);
            return true;
        }
        m_pool.Return(item);
    }
}

// False on a network failure; true when the item is empty or the socket would block.
bool CTcpClient::SendItem(BufferItem* item)
{
    while (item->Unread() > 0)
    {
        const int chunk = item->Unread() < m_ioSize ? item->Unread() : m_ioSize;
        int sent;
        int error = 0;
        {
            CLockGuard lock(m_sendLock);
            sent = ::send(m_socket, reinterpret_cast<const char*>(item->read), chunk, 0);
            if (sent == SOCKET_ERROR)
                error = ::WSAGetLastError();
            else
                m_pendingBytes -= sent;
        }
        if (sent == SOCKET_ERROR)
        {
            if (error == WSAEWOULDBLOCK)
                return true;
            SetError(ClientError::Network, error);
            NotifyError(SocketOperation::Send, error);
            return false;
        }
        const BYTE* start = item->read;
        item->read += sent;
        NotifySent(start, sent);
        if (!IsActive())
            return true;
    }
    return true;
}

// ---------------------------------------------------------------------------------------
// Sending

bool CTcpClient::Send(const BYTE* data, int length, int offset)
{
    if (data == NULL || length < 0 || offset < 0)
        return Fail(ClientError::InvalidParameter, ERROR_INVALID_PARAMETER);
    WSABUF buffer;
    buffer.len = (ULONG)length;
    buffer.buf = reinterpret_cast<char*>(const_cast<BYTE*>(data + offset));
    return SendBuffers(&buffer, 1);
}

bool CTcpClient::SendBuffers(const WSABUF buffers[], int count)
{
    if (buffers == NULL || count < 1)
        return Fail(ClientError::InvalidParameter, ERROR_INVALID_PARAMETER);
    LONGLONG total = 0;
    for (int i = 0; i < count; ++i)
    {
        if (buffers[i].len > 0 && buffers[i].buf == NULL)
            return Fail(ClientError::InvalidParameter, ERROR_INVALID_PARAMETER);
        total += buffers[i].len;
    }
    if (total > INT_MAX)
        return Fail(ClientError::InvalidParameter, ERROR_INVALID_PARAMETER);
    if (!IsActive())
        return Fail(ClientError::IllegalState, ERROR_INVALID_STATE);

    bool queued;
    {
        CLockGuard lock(m_sendLock);
        if (!IsActive())
            return Fail(ClientError::IllegalState, ERROR_INVALID_STATE);
        queued = QueueBuffers(buffers, count, (int)total);
        if (queued && total > 0)
        {
            const int before = m_pendingBytes;
            m_pendingBytes += (int)total;
            if (before <= 0 && m_pendingBytes > 0)
                ::SetEvent(m_sendEvent);
        }
    }
    if (!queued)
        return Fail(ClientError::SendData, ERROR_NOT_ENOUGH_MEMORY);
    return true;
}

// Copies the buffers behind the queue's tail; called under the send lock. Every item needed
// is taken first, so a failure leaves the queue as it was.
bool CTcpClient::QueueBuffers(const WSABUF buffers[], int count, int total)
{
    BufferItem* target = m_sendQueue.Tail();
    int missing = total - (target != NULL ? target->Free() : 0);
    CBufferItemList fresh;
    while (missing > 0)
    {
        BufferItem* item = m_pool.Take();
        if (item == NULL)
        {
            m_pool.ReturnAll(fresh);
            return false;
        }
        fresh.PushBack(item);
        missing -= item->capacity;
    }

    for (int i = 0; i < count; ++i)
    {
        const BYTE* source = reinterpret_cast<const BYTE*>(buffers[i].buf);
        int left = (int)buffers[i].len;
        while (left > 0)
        {
            if (target == NULL || target->Free() == 0)
            {
                target = fresh.PopFront();
                m_sendQueue.PushBack(target);
            }
            const int part = left < target->Free() ? left : target->Free();
            memcpy(target->write, source, (size_t)part);
            target->write += part;
            source += part;
            left -= part;
        }
    }
    m_pool.ReturnAll(fresh);
    return true;
}

bool CTcpClient::SendFile(LPCSTR path, const WSABUF* head, const WSABUF* tail)
{
    HANDLE file = ::CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, NULL);
    if (file == INVALID_HANDLE_VALUE)
        return Fail(ClientError::InvalidParameter, ::GetLastError());

    LARGE_INTEGER size;
    DWORD problem = 0;
    if (!::GetFileSizeEx(file, &size))
        problem = ::GetLastError();
    else if (size.QuadPart == 0)
        problem = ERROR_FILE_INVALID;
    else if (size.QuadPart > (LONGLONG)kMaxSendFileBytes)
        problem = ERROR_FILE_TOO_LARGE;
    if (problem != 0)
    {
        ::CloseHandle(file);
        return Fail(ClientError::InvalidParameter, problem);
    }

    HANDLE mapping = ::CreateFileMappingA(file, NULL, PAGE_READONLY, 0, 0, NULL);
    if (mapping == NULL)
    {
        problem = ::GetLastError();
        ::CloseHandle(file);
        return Fail(ClientError::InvalidParameter, problem);
    }
    void* view = ::MapViewOfFile(mapping, FILE_MAP_READ, 0, 0, 0);
    if (view == NULL)
    {
        problem = ::GetLastError();
        ::CloseHandle(mapping);
        ::CloseHandle(file);
        return Fail(ClientError::InvalidParameter, problem);
    }

    WSABUF buffers[3];
    int count = 0;
    if (head != NULL)
        buffers[count++] = *head;
    buffers[count].len = (ULONG)size.QuadPart;
    buffers[count].buf = static_cast<char*>(view);
    ++count;
    if (tail != NULL)
        buffers[count++] = *tail;

    const bool sent = SendBuffers(buffers, count);
    const ClientError code = m_errorCode.load();
    const DWORD osError = ::GetLastError();
    ::UnmapViewOfFile(view);
    ::CloseHandle(mapping);
    ::CloseHandle(file);
    if (!sent)
        SetError(code, osError);
    return sent;
}

// ---------------------------------------------------------------------------------------
// Queries

bool CTcpClient::GetLocalAddress(LPSTR address, int& length, USHORT& port)
{
    sockaddr_in local = {};
    int localLength = sizeof(local);
    const SOCKET socket = m_socket;
    if (socket == INVALID_SOCKET ||
        ::getsockname(socket, reinterpret_cast<sockaddr*>(&local), &localLength) == SOCKET_ERROR)
        return false;
    const BYTE* parts = reinterpret_cast<const BYTE*>(&local.sin_addr);
    char text[16];
    sprintf(text, "%hu.%hu.%hu.%hu", (USHORT)parts[0], (USHORT)parts[1], (USHORT)parts[2], (USHORT)parts[3]);
    const int needed = (int)strlen(text) + 1;
    if (address == NULL || length < needed)
    {
        length = needed;
        return false;
    }
    memcpy(address, text, (size_t)needed);
    length = needed;
    port = ntohs(local.sin_port);
    return true;
}

bool CTcpClient::GetPendingBytes(int& length)
{
    {
        CLockGuard lock(m_sendLock);
        length = m_pendingBytes;
    }
    return IsActive();
}
