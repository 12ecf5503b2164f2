// The TCP client against loopback servers: starting and its refusals, the error codes and OS
// error values, sending (queue, chunks, a full socket), receiving, the end of a connection
// reported once, SendFile's limits and the choice among a host's addresses.
#include <gtest/gtest.h>

#include "HostAddress.h"
#include "TcpClient.h"
#include "testsupport/FakeTcpServer.h"
#include "testsupport/Pump.h"

#include <atomic>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

using tolvan::test::FakeConnection;
using tolvan::test::FakeTcpServer;
using tolvan::test::PumpUntil;

namespace {

// Records every event of a client; tests may hook the events they act on.
class RecordingListener : public CTcpClientListener
{
public:
    ListenerResult OnConnecting(IClient*, SOCKET) override
    {
        ++connecting;
        return connectingResult;
    }
    ListenerResult OnConnected(IClient* client) override
    {
        connectedThread = ::GetCurrentThreadId();
        ++connected;
        if (onConnected)
            onConnected(client);
        return ListenerResult::Ok;
    }
    ListenerResult OnSent(IClient*, const BYTE*, int length) override
    {
        sentBytes += length;
        return ListenerResult::Ok;
    }
    ListenerResult OnReceivedLength(IClient*, int) override { return ListenerResult::Ignore; }
    ListenerResult OnReceive(IClient* client, const BYTE* data, int length) override
    {
        {
            std::lock_guard<std::mutex> guard(lock);
            received.append(reinterpret_cast<const char*>(data), length);
        }
        return onReceive ? onReceive(client) : ListenerResult::Ok;
    }
    ListenerResult OnClose(IClient* client) override
    {
        {
            std::lock_guard<std::mutex> guard(lock);
            closeThreads.push_back(::GetCurrentThreadId());
            receivedAtClose = received;
        }
        ++closes;
        if (onClose)
            onClose(client);
        return ListenerResult::Ok;
    }
    ListenerResult OnError(IClient*, SocketOperation operation, int errorCode) override
    {
        lastOperation = operation;
        lastError = errorCode;
        ++errors;
        return ListenerResult::Ok;
    }

    std::string Received()
    {
        std::lock_guard<std::mutex> guard(lock);
        return received;
    }
    std::vector<DWORD> CloseThreads()
    {
        std::lock_guard<std::mutex> guard(lock);
        return closeThreads;
    }

    std::mutex lock;
    std::string received;
    std::string receivedAtClose;
    std::vector<DWORD> closeThreads;
    std::atomic<int> connecting{0}, connected{0}, closes{0}, errors{0};
    std::atomic<long long> sentBytes{0};
    std::atomic<DWORD> connectedThread{0};
    std::atomic<SocketOperation> lastOperation{SocketOperation::None};
    std::atomic<int> lastError{0};
    ListenerResult connectingResult = ListenerResult::Ok;
    std::function<void(IClient*)> onConnected;
    std::function<void(IClient*)> onClose;
    std::function<ListenerResult(IClient*)> onReceive;
};

std::string Pattern(size_t size, unsigned seed)
{
    std::string bytes(size, '\0');
    unsigned value = seed;
    for (size_t i = 0; i < size; ++i)
    {
        value = value * 1103515245u + 12345u;
        bytes[i] = static_cast<char>(value >> 16);
    }
    return bytes;
}

bool SendText(CTcpClient& client, const std::string& text)
{
    return client.Send(reinterpret_cast<const BYTE*>(text.data()), (int)text.size());
}

bool WaitForState(CTcpClient& client, ClientState state)
{
    return PumpUntil([&] { return client.GetState() == state; });
}

int PageSize()
{
    SYSTEM_INFO info;
    ::GetNativeSystemInfo(&info);
    return (int)info.dwPageSize;
}

// A port on which nobody listens (any more).
unsigned short ClosedPort()
{
    FakeTcpServer server;
    server.StopAccepting();
    return server.Port();
}

std::string TempFile(const char* name, size_t size)
{
    char folder[MAX_PATH];
    ::GetTempPathA(MAX_PATH, folder);
    char path[MAX_PATH];
    sprintf(path, "%stolvan-tcp-%lu-%s", folder, ::GetCurrentProcessId(), name);
    FILE* file = fopen(path, "wb");
    const std::string bytes = Pattern(size, 7);
    if (size > 0)
        fwrite(bytes.data(), 1, size, file);
    fclose(file);
    return path;
}

in_addr Ip(const char* dotted)
{
    in_addr address;
    address.s_addr = inet_addr(dotted);
    return address;
}

// A loopback listener that never accepts, its queue filled by connections of its own: a
// further connect to it gets no answer and stays pending.
class FullListener
{
public:
    FullListener()
    {
        WSADATA data;
        ::WSAStartup(MAKEWORD(2, 2), &data);
        m_listener = ::socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
        sockaddr_in address = {};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = inet_addr("127.0.0.1");
        int length = sizeof(address);
        ::bind(m_listener, reinterpret_cast<sockaddr*>(&address), sizeof(address));
        ::listen(m_listener, 1);
        ::getsockname(m_listener, reinterpret_cast<sockaddr*>(&address), &length);
        m_port = ntohs(address.sin_port);
    }
    ~FullListener()
    {
        for (SOCKET filler : m_fillers)
            ::closesocket(filler);
        ::closesocket(m_listener);
        ::WSACleanup();
    }
    // Connects fillers until one is left without an answer for a while (the queue is full
    // then). False when that does not happen.
    bool Fill()
    {
        for (int i = 0; i < 16; ++i)
        {
            SOCKET filler = ::socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
            u_long nonBlocking = 1;
            ::ioctlsocket(filler, FIONBIO, &nonBlocking);
            sockaddr_in address = {};
            address.sin_family = AF_INET;
            address.sin_addr.s_addr = inet_addr("127.0.0.1");
            address.sin_port = htons(m_port);
            ::connect(filler, reinterpret_cast<sockaddr*>(&address), sizeof(address));
            m_fillers.push_back(filler);
            fd_set writable;
            FD_ZERO(&writable);
            FD_SET(filler, &writable);
            timeval wait = {2, 0};
            if (::select(0, NULL, &writable, NULL, &wait) == 0)
                return true;
        }
        return false;
    }
    USHORT Port() const { return m_port; }

private:
    SOCKET m_listener;
    USHORT m_port;
    std::vector<SOCKET> m_fillers;
};

} // namespace

TEST(TcpClientAddress, PrefersLoopbackThenPrivateThenFirst)
{
    struct Case
    {
        std::vector<const char*> candidates;
        const char* expected;
    };
    const Case cases[] = {
        {{"8.8.8.8", "192.168.1.5"}, "192.168.1.5"},
        {{"8.8.8.8", "192.168.1.5", "127.0.0.2", "127.0.0.1"}, "127.0.0.2"},
        {{"8.8.8.8", "9.9.9.9"}, "8.8.8.8"},
        {{"172.15.0.1", "172.32.0.1", "172.31.255.1"}, "172.31.255.1"},
        {{"11.0.0.1", "10.1.2.3", "172.16.0.1"}, "10.1.2.3"},
        {{"192.169.0.1", "126.0.0.1"}, "192.169.0.1"},
    };
    for (const Case& c : cases)
    {
        std::vector<in_addr> candidates;
        for (const char* text : c.candidates)
            candidates.push_back(Ip(text));
        in_addr chosen = {};
        ASSERT_TRUE(ChoosePreferredAddress(candidates, chosen));
        EXPECT_STREQ(c.expected, inet_ntoa(chosen)) << "first candidate " << c.candidates[0];
    }
    in_addr unused;
    EXPECT_FALSE(ChoosePreferredAddress({}, unused));
}

TEST(TcpClientAddress, ResolvesDottedTextsAndHostNames)
{
    WSADATA data;
    ASSERT_EQ(0, WSAStartup(MAKEWORD(2, 2), &data));
    in_addr address = {};
    ASSERT_TRUE(ResolveServerAddress("10.20.30.40", address));
    EXPECT_STREQ("10.20.30.40", inet_ntoa(address));
    ASSERT_TRUE(ResolveServerAddress("localhost", address));
    EXPECT_EQ(127u, ntohl(address.s_addr) >> 24);
    EXPECT_FALSE(ResolveServerAddress("", address));
    EXPECT_FALSE(ResolveServerAddress(NULL, address));
    WSACleanup();
}

TEST(TcpClient, ErrorTextsFollowTheTable)
{
    const char* const texts[] = {"SUCCESS", "Illegal State", "Invalid Parameter", "Create SOCKET Fail",
                                 "Bind SOCKET Fail", "Prepare SOCKET Fail", "Listen SOCKET Fail",
                                 "Create IOCP Fail", "Create Worker Thread Fail", "Create Detector Thread Fail",
                                 "Attach SOCKET to IOCP Fail", "Connect to Server Fail", "Network Error",
                                 "Process Data Error", "Send Data Error"};
    for (int code = 0; code < 15; ++code)
        EXPECT_STREQ(texts[code], CTcpClient::ErrorText(static_cast<ClientError>(code))) << code;
    EXPECT_STREQ("UNKNOWN ERROR", CTcpClient::ErrorText(static_cast<ClientError>(15)));
    EXPECT_STREQ("UNKNOWN ERROR", CTcpClient::ErrorText(static_cast<ClientError>(-1)));

    RecordingListener listener;
    CTcpClient client(&listener);
    EXPECT_EQ(ClientState::Stopped, client.GetState());
    EXPECT_EQ(ClientError::Success, client.GetErrorCode());
    EXPECT_STREQ("SUCCESS", client.GetErrorText());
    EXPECT_EQ(PageSize(), client.GetSocketBufferSize());
    EXPECT_EQ(10, client.GetPoolSize());
    EXPECT_EQ(40, client.GetPoolHold());
    EXPECT_EQ(20000, client.GetKeepAliveTime());
    EXPECT_EQ(5000, client.GetKeepAliveInterval());
    int dummy = 0;
    client.SetUserData(&dummy);
    EXPECT_EQ(&dummy, client.GetUserData());
}

TEST(TcpClient, InvalidSettingsRefuseTheStartBeforeAnySocket)
{
    FakeTcpServer server;
    const std::vector<std::function<void(CTcpClient&)>> breakers = {
        [](CTcpClient& c) { c.SetSocketBufferSize(0); },
        [](CTcpClient& c) { c.SetSocketBufferSize(-4096); },
        [](CTcpClient& c) { c.SetKeepAliveTime(-1); },
        [](CTcpClient& c) { c.SetKeepAliveInterval(-1); },
        [](CTcpClient& c) { c.SetPoolSize(-1); },
        [](CTcpClient& c) { c.SetPoolHold(-1); },
    };
    for (size_t i = 0; i < breakers.size(); ++i)
    {
        RecordingListener listener;
        CTcpClient client(&listener);
        breakers[i](client);
        ::SetLastError(0);
        EXPECT_FALSE(client.Start(FakeTcpServer::Host(), server.Port(), false)) << i;
        EXPECT_EQ((DWORD)ERROR_INVALID_PARAMETER, ::GetLastError()) << i;
        EXPECT_EQ(ClientError::InvalidParameter, client.GetErrorCode()) << i;
        EXPECT_EQ(0, listener.connecting.load()) << i;
        EXPECT_EQ(ClientState::Stopped, client.GetState()) << i;
    }
    EXPECT_EQ(0u, server.ConnectionCount());
}

TEST(TcpClient, StartInAnyStateButStoppedIsIllegal)
{
    FakeTcpServer server;
    RecordingListener listener;
    CTcpClient client(&listener);
    std::vector<std::pair<ClientState, DWORD>> refusals;  // state seen, last error
    std::vector<ClientError> codes;
    auto tryStart = [&](IClient* c) {
        const ClientState state = c->GetState();
        const bool started = c->Start(FakeTcpServer::Host(), server.Port(), false);
        refusals.push_back({state, started ? 0 : ::GetLastError()});
        codes.push_back(c->GetErrorCode());
    };
    // Starting: inside a synchronous start's OnConnected. Stopping: inside the OnClose of Stop.
    listener.onConnected = tryStart;
    listener.onClose = tryStart;
    ASSERT_TRUE(client.Start(FakeTcpServer::Host(), server.Port(), false));
    listener.onConnected = nullptr;
    tryStart(&client);  // Started
    ASSERT_TRUE(client.Stop());

    ASSERT_EQ(3u, refusals.size());
    const ClientState states[] = {ClientState::Starting, ClientState::Started, ClientState::Stopping};
    for (size_t i = 0; i < 3; ++i)
    {
        EXPECT_EQ(states[i], refusals[i].first) << i;
        EXPECT_EQ((DWORD)ERROR_INVALID_OPERATION, refusals[i].second) << i;
        EXPECT_EQ(ClientError::IllegalState, codes[i]) << i;
    }
    EXPECT_EQ(ClientState::Stopped, client.GetState());
    // Stopping a stopped client is illegal too.
    EXPECT_FALSE(client.Stop());
    EXPECT_EQ((DWORD)ERROR_INVALID_OPERATION, ::GetLastError());
}

TEST(TcpClient, FailedStartsReportTheCauseAndLeaveTheClientStopped)
{
    struct Case
    {
        const char* name;
        const char* host;
        unsigned short port;
        bool refuseConnecting;
        ClientError code;
        DWORD osError;
    };
    const unsigned short closed = ClosedPort();
    const Case cases[] = {
        {"refused", "127.0.0.1", closed, false, ClientError::ConnectServer, WSAECONNREFUSED},
        {"no address", "", closed, false, ClientError::ConnectServer, WSAEADDRNOTAVAIL},
        {"listener refuses", "127.0.0.1", closed, true, ClientError::PrepareSocket, ERROR_CANCELLED},
    };
    for (const Case& c : cases)
    {
        RecordingListener listener;
        listener.connectingResult = c.refuseConnecting ? ListenerResult::Error : ListenerResult::Ok;
        CTcpClient client(&listener);
        EXPECT_FALSE(client.Start(c.host, c.port, false)) << c.name;
        EXPECT_EQ(c.osError, ::GetLastError()) << c.name;
        EXPECT_EQ(c.code, client.GetErrorCode()) << c.name;
        EXPECT_EQ(ClientState::Stopped, client.GetState()) << c.name;
        EXPECT_EQ(0, listener.connected.load()) << c.name;
    }
}

TEST(TcpClient, SendBuffersRefusesBadArgumentsAndStoppedClients)
{
    RecordingListener listener;
    CTcpClient client(&listener);
    WSABUF buffer = {3, const_cast<char*>("abc")};
    EXPECT_FALSE(client.SendBuffers(NULL, 1));
    EXPECT_EQ((DWORD)ERROR_INVALID_PARAMETER, ::GetLastError());
    EXPECT_EQ(ClientError::InvalidParameter, client.GetErrorCode());
    EXPECT_FALSE(client.SendBuffers(&buffer, 0));
    EXPECT_EQ(ClientError::InvalidParameter, client.GetErrorCode());
    WSABUF nullData = {3, NULL};
    EXPECT_FALSE(client.SendBuffers(&nullData, 1));
    EXPECT_EQ(ClientError::InvalidParameter, client.GetErrorCode());

    EXPECT_FALSE(client.SendBuffers(&buffer, 1));
    EXPECT_EQ((DWORD)ERROR_INVALID_STATE, ::GetLastError());
    EXPECT_EQ(ClientError::IllegalState, client.GetErrorCode());
    EXPECT_FALSE(SendText(client, "abc"));
    EXPECT_EQ((DWORD)ERROR_INVALID_STATE, ::GetLastError());
    int pending = -1;
    EXPECT_FALSE(client.GetPendingBytes(pending));
    EXPECT_EQ(0, pending);
}

TEST(TcpClient, EchoesAMultiPagePayloadInOrder)
{
    FakeTcpServer server;
    RecordingListener listener;
    CTcpClient client(&listener);
    ASSERT_TRUE(client.Start(FakeTcpServer::Host(), server.Port(), false));
    EXPECT_EQ(ClientState::Started, client.GetState());
    EXPECT_EQ(1, listener.connected.load());
    EXPECT_EQ(::GetCurrentThreadId(), listener.connectedThread.load());
    auto connection = server.WaitForConnection();
    ASSERT_NE(nullptr, connection);

    // Several pages and a ragged end, sent as three buffers (one empty) and one more Send
    // with an offset: the items fill across page borders.
    const std::string payload = Pattern(5 * PageSize() + 1234, 1);
    const size_t cut = 2 * PageSize() + 17;
    WSABUF buffers[3] = {{(ULONG)cut, const_cast<char*>(payload.data())},
                         {0, const_cast<char*>("ignored")},
                         {(ULONG)(payload.size() - cut - 100), const_cast<char*>(payload.data() + cut)}};
    ASSERT_TRUE(client.SendBuffers(buffers, 3));
    const size_t rest = payload.size() - 100;
    ASSERT_TRUE(client.Send(reinterpret_cast<const BYTE*>(payload.data()), 100, (int)rest));

    std::string echoed;
    ASSERT_TRUE(connection->ReadExactly(payload.size(), echoed));
    EXPECT_TRUE(echoed == payload);
    ASSERT_TRUE(connection->Send(echoed));
    ASSERT_TRUE(PumpUntil([&] { return listener.Received().size() >= payload.size(); }));
    EXPECT_TRUE(listener.Received() == payload);
    EXPECT_TRUE(PumpUntil([&] { return listener.sentBytes.load() == (long long)payload.size(); }));
    int pending = -1;
    EXPECT_TRUE(client.GetPendingBytes(pending));
    EXPECT_EQ(0, pending);

    char address[16];
    int length = 4;
    USHORT port = 0;
    EXPECT_FALSE(client.GetLocalAddress(address, length, port));
    EXPECT_EQ(10, length);  // "127.0.0.1" and its terminator
    length = sizeof(address);
    ASSERT_TRUE(client.GetLocalAddress(address, length, port));
    EXPECT_STREQ("127.0.0.1", address);
    EXPECT_NE(0, port);
    EXPECT_NE(server.Port(), port);
}

TEST(TcpClient, BytesWaitingBehindAFullSocketAllArriveAndThePoolStaysBounded)
{
    FakeTcpServer server;
    RecordingListener listener;
    CTcpClient client(&listener);
    ASSERT_TRUE(client.Start(FakeTcpServer::Host(), server.Port(), true));
    ASSERT_TRUE(WaitForState(client, ClientState::Started));
    auto connection = server.WaitForConnection();
    ASSERT_NE(nullptr, connection);

    // The server stops reading: the socket fills, the worker puts the unsent rest back at the
    // head of the queue and waits for room.
    connection->Stall();
    const std::string payload = Pattern(8 * 1024 * 1024 + 333, 2);
    const int pieces = 64;
    const size_t pieceSize = payload.size() / pieces;
    for (int i = 0; i < pieces; ++i)
    {
        const size_t size = i + 1 < pieces ? pieceSize : payload.size() - pieceSize * i;
        ASSERT_TRUE(client.Send(reinterpret_cast<const BYTE*>(payload.data()), (int)size, (int)(pieceSize * i)));
    }
    int pending = 0;
    ASSERT_TRUE(PumpUntil([&] {
        client.GetPendingBytes(pending);
        return listener.sentBytes.load() > 0 && pending > 0;
    }));
    connection->Resume();
    std::string received;
    ASSERT_TRUE(connection->ReadExactly(payload.size(), received, 120000));
    EXPECT_TRUE(received == payload);
    ASSERT_TRUE(PumpUntil([&] { return client.GetPendingBytes(pending) && pending == 0; }));
    EXPECT_LE(client.GetFreeItemCount(), client.GetPoolHold());
    EXPECT_GT(client.GetFreeItemCount(), 0);
}

TEST(TcpClient, AsyncStartConnectsOnTheWorkerAndSendsWhatWasQueuedMeanwhile)
{
    FakeTcpServer server;
    RecordingListener listener;
    CTcpClient client(&listener);
    ASSERT_TRUE(client.Start(FakeTcpServer::Host(), server.Port(), true));
    const DWORD firstId = client.GetConnectionId();
    EXPECT_NE(0u, firstId);
    // Accepted while Starting; queued until the connection is up.
    ASSERT_TRUE(SendText(client, "early#@"));
    ASSERT_TRUE(WaitForState(client, ClientState::Started));
    EXPECT_NE(::GetCurrentThreadId(), listener.connectedThread.load());
    auto connection = server.WaitForConnection();
    ASSERT_NE(nullptr, connection);
    EXPECT_TRUE(connection->WaitForText("early#@"));

    // A stopped client starts again with a new connection id.
    ASSERT_TRUE(client.Stop());
    ASSERT_TRUE(client.Start(FakeTcpServer::Host(), server.Port(), true));
    ASSERT_TRUE(WaitForState(client, ClientState::Started));
    EXPECT_NE(firstId, client.GetConnectionId());
    EXPECT_NE(0u, client.GetConnectionId());
    EXPECT_NE(nullptr, server.WaitForConnection());
}

TEST(TcpClient, AsyncConnectRefusedIsReportedAsAConnectError)
{
    RecordingListener listener;
    CTcpClient client(&listener);
    ASSERT_TRUE(client.Start("127.0.0.1", ClosedPort(), true));
    ASSERT_TRUE(WaitForState(client, ClientState::Stopped));
    EXPECT_EQ(1, listener.errors.load());
    EXPECT_EQ(SocketOperation::Connect, listener.lastOperation.load());
    EXPECT_EQ(WSAECONNREFUSED, listener.lastError.load());
    EXPECT_EQ(ClientError::Network, client.GetErrorCode());
    EXPECT_EQ(0, listener.closes.load());
    EXPECT_EQ(0, listener.connected.load());
}

TEST(TcpClient, StopFromAnotherThreadRaisesOnCloseOnceOnThatThread)
{
    FakeTcpServer server;
    RecordingListener listener;
    CTcpClient client(&listener);
    ASSERT_TRUE(client.Start(FakeTcpServer::Host(), server.Port(), true));
    ASSERT_TRUE(WaitForState(client, ClientState::Started));
    auto connection = server.WaitForConnection();
    ASSERT_NE(nullptr, connection);

    DWORD stopper = 0;
    std::thread([&] {
        stopper = ::GetCurrentThreadId();
        EXPECT_TRUE(client.Stop());
    }).join();
    EXPECT_EQ(ClientState::Stopped, client.GetState());
    EXPECT_EQ(std::vector<DWORD>{stopper}, listener.CloseThreads());
    EXPECT_TRUE(connection->WaitForPeerClose());
    EXPECT_FALSE(client.Stop());
    EXPECT_EQ(1, listener.closes.load());
    EXPECT_EQ(0, listener.errors.load());
}

TEST(TcpClient, StopDuringASynchronousConnectEndsItPromptly)
{
    FullListener unanswering;
    ASSERT_TRUE(unanswering.Fill());
    RecordingListener listener;
    CTcpClient client(&listener);
    std::atomic<bool> started(true);
    std::thread starter([&] { started = client.Start("127.0.0.1", unanswering.Port(), false); });
    // Connecting from here on (the state changed before OnConnecting).
    ASSERT_TRUE(PumpUntil([&] { return listener.connecting.load() == 1; }));

    const DWORD stopAt = ::GetTickCount();
    EXPECT_TRUE(client.Stop());
    starter.join();
    EXPECT_LT(::GetTickCount() - stopAt, 5000u);  // not the connect's own time-out
    EXPECT_FALSE(started.load());
    EXPECT_EQ(ClientError::ConnectServer, client.GetErrorCode());
    EXPECT_EQ(ClientState::Stopped, client.GetState());
    EXPECT_EQ(0, listener.connected.load());
    EXPECT_EQ(1, listener.closes.load());

    // The client is whole afterwards.
    FakeTcpServer server;
    ASSERT_TRUE(client.Start(FakeTcpServer::Host(), server.Port(), false));
    EXPECT_EQ(ClientState::Started, client.GetState());
    EXPECT_TRUE(client.Stop());
}

TEST(TcpClient, ServerCloseRaisesOnCloseOnceOnTheWorkerAfterTheLastBytes)
{
    FakeTcpServer server;
    RecordingListener listener;
    CTcpClient client(&listener);
    ASSERT_TRUE(client.Start(FakeTcpServer::Host(), server.Port(), false));
    auto connection = server.WaitForConnection();
    ASSERT_NE(nullptr, connection);

    // The last reply and the close arrive together: the reply is delivered first.
    ASSERT_TRUE(connection->Send("last words#@"));
    connection->Close();
    ASSERT_TRUE(WaitForState(client, ClientState::Stopped));
    ASSERT_TRUE(PumpUntil([&] { return listener.closes.load() == 1; }));
    EXPECT_EQ("last words#@", listener.receivedAtClose);
    const std::vector<DWORD> threads = listener.CloseThreads();
    ASSERT_EQ(1u, threads.size());
    EXPECT_NE(::GetCurrentThreadId(), threads[0]);
    // The automatic stop raised nothing more, and a later Stop finds nothing to stop.
    EXPECT_FALSE(client.Stop());
    EXPECT_EQ(1, listener.closes.load());
    EXPECT_EQ(0, listener.errors.load());
}

TEST(TcpClient, ServerResetEndsTheConnectionWithOneEvent)
{
    FakeTcpServer server;
    RecordingListener listener;
    CTcpClient client(&listener);
    ASSERT_TRUE(client.Start(FakeTcpServer::Host(), server.Port(), true));
    ASSERT_TRUE(WaitForState(client, ClientState::Started));
    auto connection = server.WaitForConnection();
    ASSERT_NE(nullptr, connection);
    connection->Reset();
    // A reset reads as an error or as an end of stream: one of them, once.
    ASSERT_TRUE(WaitForState(client, ClientState::Stopped));
    ASSERT_TRUE(PumpUntil([&] { return listener.closes.load() + listener.errors.load() >= 1; }));
    EXPECT_EQ(1, listener.closes.load() + listener.errors.load());
    EXPECT_FALSE(client.Stop());
    EXPECT_EQ(1, listener.closes.load() + listener.errors.load());
}

TEST(TcpClient, ListenerRefusingReceivedBytesGetsAnErrorAndTheClientStops)
{
    FakeTcpServer server;
    RecordingListener listener;
    listener.onReceive = [](IClient*) { return ListenerResult::Error; };
    CTcpClient client(&listener);
    ASSERT_TRUE(client.Start(FakeTcpServer::Host(), server.Port(), false));
    auto connection = server.WaitForConnection();
    ASSERT_NE(nullptr, connection);
    ASSERT_TRUE(connection->Send("unwanted"));
    ASSERT_TRUE(WaitForState(client, ClientState::Stopped));
    EXPECT_EQ(1, listener.errors.load());
    EXPECT_EQ(SocketOperation::Receive, listener.lastOperation.load());
    EXPECT_EQ(ERROR_CANCELLED, listener.lastError.load());
    EXPECT_EQ(ClientError::ProcessData, client.GetErrorCode());
    EXPECT_EQ(0, listener.closes.load());
    EXPECT_TRUE(connection->WaitForPeerClose());
}

TEST(TcpClient, ListenerMayStopTheClientFromItsOwnEventAndStartItAgain)
{
    FakeTcpServer server;
    RecordingListener listener;
    listener.onReceive = [](IClient* client) {
        client->Stop();
        return ListenerResult::Ok;
    };
    CTcpClient client(&listener);
    for (int round = 0; round < 3; ++round)
    {
        ASSERT_TRUE(client.Start(FakeTcpServer::Host(), server.Port(), false)) << round;
        auto connection = server.WaitForConnection();
        ASSERT_NE(nullptr, connection);
        // Two reads' worth: the worker must not touch the connection after the Stop.
        ASSERT_TRUE(connection->Send(Pattern(3 * PageSize(), round)));
        ASSERT_TRUE(WaitForState(client, ClientState::Stopped)) << round;
        EXPECT_TRUE(connection->WaitForPeerClose());
    }
    EXPECT_EQ(0, listener.closes.load());
    EXPECT_EQ(0, listener.errors.load());
}

TEST(TcpClient, SendersRacingStopNeverCorruptTheQueue)
{
    FakeTcpServer server;
    RecordingListener listener;
    CTcpClient client(&listener);
    std::atomic<bool> done{false};
    std::atomic<int> accepted{0}, refused{0}, wrongCode{0};
    std::vector<std::thread> senders;
    const std::string chunk = Pattern(3 * PageSize() / 2, 9);
    for (int i = 0; i < 4; ++i)
        senders.emplace_back([&] {
            while (!done)
            {
                if (client.Send(reinterpret_cast<const BYTE*>(chunk.data()), (int)chunk.size()))
                    ++accepted;
                else if (::GetLastError() == ERROR_INVALID_STATE)
                    ++refused;
                else
                    ++wrongCode;
                std::this_thread::yield();
            }
        });
    for (int round = 0; round < 40; ++round)
    {
        ASSERT_TRUE(client.Start(FakeTcpServer::Host(), server.Port(), false)) << round;
        ASSERT_TRUE(PumpUntil([&] { return listener.sentBytes.load() > 0; }));
        ASSERT_TRUE(client.Stop()) << round;
        listener.sentBytes = 0;
    }
    done = true;
    for (std::thread& sender : senders)
        sender.join();
    EXPECT_GT(accepted.load(), 0);
    EXPECT_GT(refused.load(), 0);
    EXPECT_EQ(0, wrongCode.load());
    int pending = -1;
    EXPECT_FALSE(client.GetPendingBytes(pending));
    EXPECT_EQ(0, pending);
}

TEST(TcpClient, SendFileSendsHeadFileAndTailWithinItsLimits)
{
    FakeTcpServer server;
    RecordingListener listener;
    CTcpClient client(&listener);
    const std::string empty = TempFile("empty", 0);
    const std::string tooLarge = TempFile("large", CTcpClient::kMaxSendFileBytes + 1);
    const std::string largest = TempFile("largest", CTcpClient::kMaxSendFileBytes);

    struct Refusal
    {
        std::string path;
        DWORD osError;
    };
    const Refusal refusals[] = {
        {empty, ERROR_FILE_INVALID},
        {tooLarge, ERROR_FILE_TOO_LARGE},
        {empty + ".missing", ERROR_FILE_NOT_FOUND},
    };
    for (const Refusal& r : refusals)
    {
        EXPECT_FALSE(client.SendFile(r.path.c_str())) << r.path;
        EXPECT_EQ(r.osError, ::GetLastError()) << r.path;
        EXPECT_EQ(ClientError::InvalidParameter, client.GetErrorCode()) << r.path;
    }
    // A good file on a stopped client: refused by the queue.
    EXPECT_FALSE(client.SendFile(largest.c_str()));
    EXPECT_EQ((DWORD)ERROR_INVALID_STATE, ::GetLastError());

    ASSERT_TRUE(client.Start(FakeTcpServer::Host(), server.Port(), false));
    auto connection = server.WaitForConnection();
    ASSERT_NE(nullptr, connection);
    WSABUF head = {5, const_cast<char*>("HEAD:")};
    WSABUF tail = {5, const_cast<char*>(":TAIL")};
    ASSERT_TRUE(client.SendFile(largest.c_str(), &head, &tail));
    std::string received;
    ASSERT_TRUE(connection->ReadExactly(CTcpClient::kMaxSendFileBytes + 10, received, 120000));
    EXPECT_TRUE(received == "HEAD:" + Pattern(CTcpClient::kMaxSendFileBytes, 7) + ":TAIL");
    // The file is neither locked nor mapped any more.
    EXPECT_TRUE(::DeleteFileA(largest.c_str()));
    ::DeleteFileA(empty.c_str());
    ::DeleteFileA(tooLarge.c_str());
}
