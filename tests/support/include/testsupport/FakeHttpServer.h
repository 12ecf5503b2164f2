// An HTTP/1.1 server on 127.0.0.1 for tests of HTTP and SOAP clients: routes by method and
// path to handlers, records every request, answers one request per connection and closes
// it ("Connection: close"). Unrouted requests get 404.
#pragma once

#include "testsupport/FakeTcpServer.h"
#include "testsupport/HttpRequest.h"
#include "testsupport/HttpResponse.h"

#include <winsock2.h>
#include <windows.h>

#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace tolvan::test {

class FakeHttpServer {
public:
    // Runs on the connection's thread.
    using Handler = std::function<HttpResponse(const HttpRequest&)>;

    FakeHttpServer();
    ~FakeHttpServer();
    FakeHttpServer(const FakeHttpServer&) = delete;
    FakeHttpServer& operator=(const FakeHttpServer&) = delete;

    unsigned short Port() const { return m_tcp->Port(); }
    std::string BaseUrl() const;  // "http://127.0.0.1:port"

    // `method` "*" matches any method; a `path` ending in '*' matches by prefix. Later
    // routes win over earlier ones for the same request.
    void Route(const std::string& method, const std::string& path, Handler handler);
    // Answer for requests no route takes (404 at first).
    void SetFallback(Handler handler);

    std::vector<HttpRequest> Requests() const;
    size_t RequestCount() const;
    // Requests whose head could not be parsed (they got 400).
    size_t MalformedCount() const;
    // Pumps the calling thread until `count` requests arrived.
    bool WaitForRequests(size_t count, DWORD timeoutMs = 30000) const;
    FakeTcpServer& Tcp() { return *m_tcp; }

private:
    struct RouteEntry {
        std::string method;
        std::string path;
        Handler handler;
    };
    void Serve(std::shared_ptr<FakeConnection> connection);
    bool ReadBody(FakeConnection& connection, HttpRequest& request);
    HttpResponse Dispatch(const HttpRequest& request);
    static void Answer(FakeConnection& connection, const HttpResponse& response);

    mutable std::mutex m_lock;
    std::vector<RouteEntry> m_routes;
    Handler m_fallback;
    std::vector<HttpRequest> m_requests;
    size_t m_malformed = 0;
    std::unique_ptr<FakeTcpServer> m_tcp;  // last: its threads use the members above
};

}  // namespace tolvan::test
