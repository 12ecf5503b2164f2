// A TCP server on 127.0.0.1 with a port chosen by the system, accepting on its own
// thread. A test either takes the accepted connections one by one (WaitForConnection) and
// scripts them, or gives a handler that runs for every connection on a thread of its own
// (servers that must answer many clients without the test's help).
#pragma once

#include "testsupport/FakeConnection.h"

#include <winsock2.h>
#include <windows.h>

#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace tolvan::test {

class FakeTcpServer {
public:
    using ConnectionHandler = std::function<void(std::shared_ptr<FakeConnection>)>;

    // Listens at once; throws std::runtime_error when it cannot.
    FakeTcpServer();
    explicit FakeTcpServer(ConnectionHandler handler);
    // Stops accepting, closes every connection and waits for the handler threads.
    ~FakeTcpServer();
    FakeTcpServer(const FakeTcpServer&) = delete;
    FakeTcpServer& operator=(const FakeTcpServer&) = delete;

    static const char* Host() { return "127.0.0.1"; }
    unsigned short Port() const { return m_port; }
    std::string Address() const;  // "127.0.0.1:port"

    // The next accepted connection no earlier call returned; null at the deadline.
    std::shared_ptr<FakeConnection> WaitForConnection(DWORD timeoutMs = 30000);
    size_t ConnectionCount() const;
    std::shared_ptr<FakeConnection> Connection(size_t index) const;
    std::vector<std::shared_ptr<FakeConnection>> Connections() const;

    // Closes the listening socket: later connection attempts are refused.
    void StopAccepting();

private:
    void Listen();
    void AcceptLoop();
    void Accept();

    ConnectionHandler m_handler;
    bool m_winsockStarted = false;
    SOCKET m_listener = INVALID_SOCKET;
    unsigned short m_port = 0;

    mutable std::mutex m_lock;
    bool m_stopping = false;
    std::vector<std::shared_ptr<FakeConnection>> m_connections;
    std::vector<std::thread> m_handlerThreads;
    size_t m_nextToTake = 0;

    std::mutex m_listenerLock;
    std::thread m_acceptor;
};

}  // namespace tolvan::test
