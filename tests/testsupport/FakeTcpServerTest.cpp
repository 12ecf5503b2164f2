#include "LoopbackClient.h"

#include "testsupport/FakeTcpServer.h"

#include <gtest/gtest.h>

#include <atomic>
#include <vector>

using namespace tolvan::test;

TEST(FakeTcpServer, EchoesOverLoopbackWithSplitSendsOnBothSides)
{
    FakeTcpServer server;
    ASSERT_NE(server.Port(), 0);
    LoopbackClient client(server.Port());
    ASSERT_TRUE(client.Connected());
    auto connection = server.WaitForConnection();
    ASSERT_NE(connection, nullptr);
    std::atomic<int> chunks{0};
    connection->OnChunk([&](const std::string&) { ++chunks; });

    // The client's line arrives in two pieces; the server waits for the first one, so
    // finding the whole line needs the two chunks put together.
    ASSERT_TRUE(client.Send("PI"));
    ASSERT_TRUE(connection->WaitForBytes(2));
    ASSERT_TRUE(client.Send("NG 1\n"));
    ASSERT_TRUE(connection->WaitForText("PING 1\n"));
    EXPECT_EQ(chunks.load(), 2);

    ASSERT_TRUE(connection->SendPieces({"PO", "NG", " 1\n"}));
    ASSERT_TRUE(client.ReceiveUntil("PONG 1\n"));
    EXPECT_EQ(client.Received(), "PONG 1\n");

    // The cursor moved past the first line: the next wait looks at new bytes only.
    ASSERT_TRUE(client.Send("PING 2\nrest"));
    std::string line;
    ASSERT_TRUE(connection->ReadUntil("\n", line));
    EXPECT_EQ(line, "PING 2\n");
    EXPECT_EQ(connection->Unread(), "rest");
    EXPECT_EQ(connection->Received(), "PING 1\nPING 2\nrest");

    connection->Close();
    EXPECT_EQ(client.ReceiveToEnd(), 0);
    client.ShutdownSending();
    EXPECT_TRUE(connection->WaitForPeerClose());
    // Nothing more can come: a wait for absent text gives up at once, not at its deadline.
    EXPECT_FALSE(connection->WaitForText("never"));
}

TEST(FakeTcpServer, HandsOutConnectionsInAcceptOrder)
{
    FakeTcpServer server;
    LoopbackClient first(server.Port());
    ASSERT_TRUE(first.Connected());
    auto a = server.WaitForConnection();
    LoopbackClient second(server.Port());
    ASSERT_TRUE(second.Connected());
    auto b = server.WaitForConnection();
    ASSERT_NE(a, nullptr);
    ASSERT_NE(b, nullptr);
    EXPECT_EQ(a->Index(), 0u);
    EXPECT_EQ(b->Index(), 1u);
    EXPECT_EQ(server.ConnectionCount(), 2u);
    EXPECT_EQ(server.Connection(1), b);

    ASSERT_TRUE(second.Send("two"));
    ASSERT_TRUE(first.Send("one"));
    EXPECT_TRUE(a->WaitForText("one"));
    EXPECT_TRUE(b->WaitForText("two"));
    EXPECT_EQ(server.WaitForConnection(50), nullptr);

    server.StopAccepting();
    LoopbackClient refused(server.Port());
    EXPECT_FALSE(refused.Connected());
}

TEST(FakeTcpServer, HandlerServesEveryConnectionOnItsOwnThread)
{
    // A time server: four bytes, then close.
    FakeTcpServer server([](std::shared_ptr<FakeConnection> connection) {
        connection->Send(std::string("\xE9\x2A\x11\x00", 4));
        connection->Close();
    });
    for (int i = 0; i < 3; ++i) {
        LoopbackClient client(server.Port());
        ASSERT_TRUE(client.Connected());
        EXPECT_EQ(client.ReceiveToEnd(), 0);
        EXPECT_EQ(client.Received(), std::string("\xE9\x2A\x11\x00", 4));
    }
    EXPECT_EQ(server.ConnectionCount(), 3u);
}

TEST(FakeTcpServer, ResetConnectionIsSeenAsAnErrorNotAnEnd)
{
    FakeTcpServer server;
    LoopbackClient client(server.Port());
    auto connection = server.WaitForConnection();
    ASSERT_NE(connection, nullptr);
    ASSERT_TRUE(connection->Send("partial"));
    ASSERT_TRUE(client.ReceiveUntil("partial"));
    ASSERT_TRUE(client.StartPendingReceive());
    connection->Reset();
    EXPECT_FALSE(connection->IsOpen());
    EXPECT_FALSE(connection->Send("more"));
    EXPECT_EQ(client.FinishPendingReceive(), SOCKET_ERROR);
    EXPECT_EQ(client.LastError(), WSAECONNRESET);
}

TEST(FakeTcpServer, StalledConnectionReadsNothingUntilResumed)
{
    FakeTcpServer server;
    LoopbackClient client(server.Port());
    auto connection = server.WaitForConnection();
    ASSERT_NE(connection, nullptr);
    connection->Stall();

    // With nobody reading, the socket buffers fill up and a non-blocking send refuses.
    u_long nonBlocking = 1;
    ioctlsocket(client.Socket(), FIONBIO, &nonBlocking);
    const std::string block(64 * 1024, 'x');
    size_t sent = 0;
    bool full = false;
    while (!full && sent < 256u * 1024 * 1024) {
        const int count = send(client.Socket(), block.data(), static_cast<int>(block.size()), 0);
        if (count > 0)
            sent += static_cast<size_t>(count);
        else
            full = WSAGetLastError() == WSAEWOULDBLOCK;
        if (count <= 0 && !full)
            break;
    }
    ASSERT_TRUE(full);
    EXPECT_EQ(connection->Received().size(), 0u);

    connection->Resume();
    EXPECT_TRUE(connection->WaitForBytes(sent));
    EXPECT_EQ(connection->Received(), std::string(sent, 'x'));
}
