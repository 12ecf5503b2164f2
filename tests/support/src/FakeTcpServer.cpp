#include "testsupport/FakeTcpServer.h"

#include "testsupport/Pump.h"

#include <ws2tcpip.h>

#include <stdexcept>

namespace tolvan::test {

namespace {

// How often the acceptor looks whether it should stop while no client connects.
const long kAcceptSliceMicroseconds = 20 * 1000;

bool SetBlocking(SOCKET socket, bool blocking)
{
    u_long nonBlocking = blocking ? 0 : 1;
    return ioctlsocket(socket, FIONBIO, &nonBlocking) == 0;
}

}  // namespace

FakeTcpServer::FakeTcpServer() : FakeTcpServer(ConnectionHandler())
{
}

FakeTcpServer::FakeTcpServer(ConnectionHandler handler) : m_handler(std::move(handler))
{
    WSADATA data;
    if (WSAStartup(MAKEWORD(2, 2), &data) != 0)
        throw std::runtime_error("FakeTcpServer: WSAStartup failed");
    m_winsockStarted = true;
    try {
        Listen();
    } catch (...) {
        WSACleanup();
        throw;
    }
    m_acceptor = std::thread([this] { AcceptLoop(); });
}

FakeTcpServer::~FakeTcpServer()
{
    {
        std::lock_guard<std::mutex> guard(m_lock);
        m_stopping = true;
    }
    if (m_acceptor.joinable())
        m_acceptor.join();
    StopAccepting();

    std::vector<std::shared_ptr<FakeConnection>> connections;
    std::vector<std::thread> handlers;
    {
        std::lock_guard<std::mutex> guard(m_lock);
        connections = m_connections;
        handlers.swap(m_handlerThreads);
    }
    // Stopping the connections makes every wait of a handler give up.
    for (auto& connection : connections)
        connection->Stop();
    for (auto& handler : handlers)
        handler.join();
    connections.clear();
    {
        std::lock_guard<std::mutex> guard(m_lock);
        m_connections.clear();
    }
    if (m_winsockStarted)
        WSACleanup();
}

void FakeTcpServer::Listen()
{
    m_listener = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    if (m_listener == INVALID_SOCKET)
        throw std::runtime_error("FakeTcpServer: socket failed");
    sockaddr_in address = {};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = 0;
    int length = sizeof(address);
    if (bind(m_listener, reinterpret_cast<const sockaddr*>(&address), sizeof(address)) != 0 ||
        listen(m_listener, SOMAXCONN) != 0 ||
        getsockname(m_listener, reinterpret_cast<sockaddr*>(&address), &length) != 0 ||
        !SetBlocking(m_listener, false)) {
        closesocket(m_listener);
        m_listener = INVALID_SOCKET;
        throw std::runtime_error("FakeTcpServer: cannot listen on 127.0.0.1");
    }
    m_port = ntohs(address.sin_port);
}

std::string FakeTcpServer::Address() const
{
    return std::string(Host()) + ":" + std::to_string(m_port);
}

void FakeTcpServer::AcceptLoop()
{
    for (;;) {
        {
            std::lock_guard<std::mutex> guard(m_lock);
            if (m_stopping)
                return;
        }
        std::lock_guard<std::mutex> listenerGuard(m_listenerLock);
        if (m_listener == INVALID_SOCKET)
            return;
        fd_set readable;
        FD_ZERO(&readable);
        FD_SET(m_listener, &readable);
        timeval slice = {0, kAcceptSliceMicroseconds};
        if (select(0, &readable, nullptr, nullptr, &slice) > 0)
            Accept();
    }
}

void FakeTcpServer::Accept()
{
    // The listener does not block: a client that connected and reset before this accept is
    // gone from the queue although select saw it, and a blocking accept would then wait for the
    // next client for ever, holding the listener and the server's end with it.
    SOCKET client = accept(m_listener, nullptr, nullptr);
    if (client == INVALID_SOCKET)
        return;
    // An accepted socket inherits the listener's mode; its connection reads and writes block.
    if (!SetBlocking(client, true)) {
        closesocket(client);
        return;
    }
    std::lock_guard<std::mutex> guard(m_lock);
    std::shared_ptr<FakeConnection> connection(new FakeConnection(client, m_connections.size()));
    m_connections.push_back(connection);
    connection->Start();
    if (m_handler) {
        ConnectionHandler handler = m_handler;
        m_handlerThreads.emplace_back([handler, connection] { handler(connection); });
    }
}

void FakeTcpServer::StopAccepting()
{
    std::lock_guard<std::mutex> listenerGuard(m_listenerLock);
    if (m_listener != INVALID_SOCKET) {
        closesocket(m_listener);
        m_listener = INVALID_SOCKET;
    }
}

std::shared_ptr<FakeConnection> FakeTcpServer::WaitForConnection(DWORD timeoutMs)
{
    std::shared_ptr<FakeConnection> taken;
    PumpUntil(
        [&] {
            std::lock_guard<std::mutex> guard(m_lock);
            if (m_nextToTake < m_connections.size())
                taken = m_connections[m_nextToTake++];
            return taken != nullptr;
        },
        timeoutMs);
    return taken;
}

size_t FakeTcpServer::ConnectionCount() const
{
    std::lock_guard<std::mutex> guard(m_lock);
    return m_connections.size();
}

std::shared_ptr<FakeConnection> FakeTcpServer::Connection(size_t index) const
{
    std::lock_guard<std::mutex> guard(m_lock);
    return index < m_connections.size() ? m_connections[index] : nullptr;
}

std::vector<std::shared_ptr<FakeConnection>> FakeTcpServer::Connections() const
{
    std::lock_guard<std::mutex> guard(m_lock);
    return m_connections;
}

}  // namespace tolvan::test
