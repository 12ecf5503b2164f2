#include "LoopbackClient.h"

#include "testsupport/FakeHttpServer.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

using namespace tolvan::test;

namespace {

// What follows the last head (an interim "100 Continue" may come first).
std::string BodyOf(const std::string& response)
{
    const size_t end = response.rfind("\r\n\r\n");
    return end == std::string::npos ? std::string() : response.substr(end + 4);
}

}  // namespace

TEST(FakeHttpServer, AnswersARoutedGetAndRecordsTheRequest)
{
    FakeHttpServer server;
    server.Route("GET", "/quote", [](const HttpRequest& request) {
        HttpResponse response = HttpResponse::Text(200, "price=" + request.query);
        response.headers.emplace_back("X-Server", "fake");
        return response;
    });
    LoopbackClient client(server.Port());
    ASSERT_TRUE(client.Connected());
    ASSERT_TRUE(client.Send("GET /quote?code=600000 HTTP/1.1\r\nHost: 127.0.0.1\r\n"
                            "x-token:  abc \r\n\r\n"));
    EXPECT_EQ(client.ReceiveToEnd(), 0);

    const std::string& response = client.Received();
    EXPECT_EQ(response.compare(0, 17, "HTTP/1.1 200 OK\r\n"), 0) << response;
    EXPECT_NE(response.find("\r\nContent-Length: 17\r\n"), std::string::npos) << response;
    EXPECT_NE(response.find("\r\nX-Server: fake\r\n"), std::string::npos) << response;
    EXPECT_NE(response.find("\r\nConnection: close\r\n"), std::string::npos) << response;
    EXPECT_EQ(BodyOf(response), "price=code=600000");

    ASSERT_EQ(server.RequestCount(), 1u);
    const HttpRequest request = server.Requests()[0];
    EXPECT_EQ(request.method, "GET");
    EXPECT_EQ(request.path, "/quote");
    EXPECT_EQ(request.query, "code=600000");
    EXPECT_EQ(request.version, "HTTP/1.1");
    EXPECT_EQ(request.Header("X-TOKEN"), "abc");
    EXPECT_TRUE(request.body.empty());
}

TEST(FakeHttpServer, ReadsBodiesFramedByLengthOrChunksEvenWhenSplit)
{
    struct Case {
        const char* name;
        std::vector<std::string> pieces;  // sent one by one, each after the server saw the last
    };
    const Case cases[] = {
        {"content-length",
         {"POST /soap HTTP/1.1\r\nContent-Length: 11\r\n\r\nhello", " world"}},
        {"chunked",
         {"POST /soap HTTP/1.1\r\nTransfer-Encoding: chunked\r\n\r\n5\r\nhello\r\n",
          "6;ext=1\r\n world\r\n0\r\nTrailer: x\r\n\r\n"}},
        {"expect-continue",
         {"POST /soap HTTP/1.1\r\nContent-Length: 11\r\nExpect: 100-continue\r\n\r\n",
          "hello world"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FakeHttpServer server;
        server.Route("POST", "/soap", [](const HttpRequest& request) {
            return HttpResponse::Text(200, "echo:" + request.body);
        });
        LoopbackClient client(server.Port());
        ASSERT_TRUE(client.Connected());
        auto connection = server.Tcp().WaitForConnection();
        ASSERT_NE(connection, nullptr);
        size_t total = 0;
        for (const std::string& piece : c.pieces) {
            ASSERT_TRUE(client.Send(piece));
            total += piece.size();
            ASSERT_TRUE(connection->WaitForBytes(total));
        }
        EXPECT_EQ(client.ReceiveToEnd(), 0);
        EXPECT_EQ(BodyOf(client.Received()), "echo:hello world") << client.Received();
        ASSERT_EQ(server.RequestCount(), 1u);
        EXPECT_EQ(server.Requests()[0].body, "hello world");
    }
}

TEST(FakeHttpServer, AnswersUnroutedWith404AndMalformedWith400)
{
    FakeHttpServer server;
    server.Route("GET", "/api/*", [](const HttpRequest&) { return HttpResponse::Text(200, "api"); });
    struct Case {
        const char* request;
        const char* statusLine;
    };
    const Case cases[] = {
        {"GET /api/v1/x HTTP/1.1\r\n\r\n", "HTTP/1.1 200 OK\r\n"},
        {"POST /api/v1/x HTTP/1.1\r\nContent-Length: 0\r\n\r\n", "HTTP/1.1 404 Not Found\r\n"},
        {"GET /other HTTP/1.1\r\n\r\n", "HTTP/1.1 404 Not Found\r\n"},
        {"GARBAGE\r\n\r\n", "HTTP/1.1 400 Bad Request\r\n"},
        {"GET /api/x HTTP/1.1\r\nno colon here\r\n\r\n", "HTTP/1.1 400 Bad Request\r\n"},
        {"POST /api/x HTTP/1.1\r\nContent-Length: many\r\n\r\n", "HTTP/1.1 400 Bad Request\r\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.request);
        LoopbackClient client(server.Port());
        ASSERT_TRUE(client.Send(c.request));
        EXPECT_EQ(client.ReceiveToEnd(), 0);
        EXPECT_EQ(client.Received().compare(0, strlen(c.statusLine), c.statusLine), 0)
            << client.Received();
    }
    EXPECT_EQ(server.RequestCount(), 3u);
    EXPECT_EQ(server.MalformedCount(), 3u);
}

TEST(FakeHttpServer, MisbehavesOnRequest)
{
    FakeHttpServer server;
    server.Route("GET", "/garbage", [](const HttpRequest&) {
        return HttpResponse::RawBytes("\x01\x02 not http");
    });
    server.Route("GET", "/drop", [](const HttpRequest&) { return HttpResponse::Dropped(); });
    server.Route("GET", "/stall", [](const HttpRequest&) {
        return HttpResponse::Stalled("HTTP/1.1 200 OK\r\n");
    });

    {
        LoopbackClient client(server.Port());
        ASSERT_TRUE(client.Send("GET /garbage HTTP/1.1\r\n\r\n"));
        EXPECT_EQ(client.ReceiveToEnd(), 0);
        EXPECT_EQ(client.Received(), "\x01\x02 not http");
    }
    {
        LoopbackClient client(server.Port());
        ASSERT_TRUE(client.StartPendingReceive());
        ASSERT_TRUE(client.Send("GET /drop HTTP/1.1\r\n\r\n"));
        EXPECT_EQ(client.FinishPendingReceive(), SOCKET_ERROR);
        EXPECT_EQ(client.LastError(), WSAECONNRESET);
    }
    {
        LoopbackClient client(server.Port());
        ASSERT_TRUE(client.Send("GET /stall HTTP/1.1\r\n\r\n"));
        ASSERT_TRUE(client.ReceiveUntil("HTTP/1.1 200 OK\r\n"));
        auto connection = server.Tcp().Connection(2);
        ASSERT_NE(connection, nullptr);
        // Held open: neither more bytes nor an end of stream.
        fd_set readable;
        FD_ZERO(&readable);
        FD_SET(client.Socket(), &readable);
        timeval shortWait = {0, 100 * 1000};
        EXPECT_EQ(select(0, &readable, nullptr, nullptr, &shortWait), 0);
        EXPECT_TRUE(connection->IsOpen());
        // The stall ends when the client gives up.
        client.ShutdownSending();
        EXPECT_TRUE(connection->WaitForPeerClose());
    }
    EXPECT_EQ(server.RequestCount(), 3u);
}
