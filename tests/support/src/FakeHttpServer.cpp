#include "testsupport/FakeHttpServer.h"

#include "testsupport/Pump.h"

#include <cctype>
#include <cstdlib>

namespace tolvan::test {

namespace {

// A client that connected but sends nothing keeps its thread until the server stops.
const DWORD kNoDeadline = INFINITE;

bool EqualsNoCase(const std::string& a, const char* b)
{
    size_t i = 0;
    for (; i < a.size() && b[i] != '\0'; ++i) {
        if (std::tolower(static_cast<unsigned char>(a[i])) !=
            std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    }
    return i == a.size() && b[i] == '\0';
}

bool ParseLength(const std::string& text, int base, size_t& value)
{
    if (text.empty())
        return false;
    char* end = nullptr;
    const unsigned long long parsed = std::strtoull(text.c_str(), &end, base);
    if (end == text.c_str() || (*end != '\0' && *end != ';' && *end != ' '))
        return false;
    value = static_cast<size_t>(parsed);
    return true;
}

bool ReadChunkedBody(FakeConnection& connection, std::string& body)
{
    for (;;) {
        std::string sizeLine;
        if (!connection.ReadUntil("\r\n", sizeLine, kNoDeadline))
            return false;
        size_t size = 0;
        if (!ParseLength(sizeLine.substr(0, sizeLine.size() - 2), 16, size))
            return false;
        if (size == 0) {
            // Trailer lines up to the empty line.
            std::string line;
            do {
                if (!connection.ReadUntil("\r\n", line, kNoDeadline))
                    return false;
            } while (line != "\r\n");
            return true;
        }
        std::string data;
        std::string crlf;
        if (!connection.ReadExactly(size, data, kNoDeadline) ||
            !connection.ReadExactly(2, crlf, kNoDeadline) || crlf != "\r\n")
            return false;
        body += data;
    }
}

bool PathMatches(const std::string& pattern, const std::string& path)
{
    if (!pattern.empty() && pattern.back() == '*')
        return path.compare(0, pattern.size() - 1, pattern, 0, pattern.size() - 1) == 0;
    return pattern == path;
}

}  // namespace

FakeHttpServer::FakeHttpServer()
{
    m_fallback = [](const HttpRequest&) { return HttpResponse::Text(404, "not found"); };
    m_tcp.reset(new FakeTcpServer([this](std::shared_ptr<FakeConnection> connection) {
        Serve(std::move(connection));
    }));
}

FakeHttpServer::~FakeHttpServer()
{
    // The connection threads call back into this object: stop them first.
    m_tcp.reset();
}

std::string FakeHttpServer::BaseUrl() const
{
    return "http://" + m_tcp->Address();
}

void FakeHttpServer::Route(const std::string& method, const std::string& path, Handler handler)
{
    std::lock_guard<std::mutex> guard(m_lock);
    m_routes.push_back(RouteEntry{method, path, std::move(handler)});
}

void FakeHttpServer::SetFallback(Handler handler)
{
    std::lock_guard<std::mutex> guard(m_lock);
    m_fallback = std::move(handler);
}

std::vector<HttpRequest> FakeHttpServer::Requests() const
{
    std::lock_guard<std::mutex> guard(m_lock);
    return m_requests;
}

size_t FakeHttpServer::RequestCount() const
{
    std::lock_guard<std::mutex> guard(m_lock);
    return m_requests.size();
}

size_t FakeHttpServer::MalformedCount() const
{
    std::lock_guard<std::mutex> guard(m_lock);
    return m_malformed;
}

bool FakeHttpServer::WaitForRequests(size_t count, DWORD timeoutMs) const
{
    return PumpUntil([&] { return RequestCount() >= count; }, timeoutMs);
}

void FakeHttpServer::Serve(std::shared_ptr<FakeConnection> connection)
{
    std::string head;
    if (!connection->ReadUntil("\r\n\r\n", head, kNoDeadline)) {
        connection->Close();
        return;
    }
    HttpRequest request;
    request.connection = connection->Index();
    if (!HttpRequest::ParseHead(head, request) || !ReadBody(*connection, request)) {
        {
            std::lock_guard<std::mutex> guard(m_lock);
            ++m_malformed;
        }
        Answer(*connection, HttpResponse::Text(400, "bad request"));
        return;
    }
    {
        std::lock_guard<std::mutex> guard(m_lock);
        m_requests.push_back(request);
    }
    Answer(*connection, Dispatch(request));
}

bool FakeHttpServer::ReadBody(FakeConnection& connection, HttpRequest& request)
{
    if (EqualsNoCase(request.Header("Expect"), "100-continue"))
        connection.Send("HTTP/1.1 100 Continue\r\n\r\n");
    if (EqualsNoCase(request.Header("Transfer-Encoding"), "chunked"))
        return ReadChunkedBody(connection, request.body);
    if (!request.HasHeader("Content-Length"))
        return true;
    size_t length = 0;
    if (!ParseLength(request.Header("Content-Length"), 10, length))
        return false;
    return connection.ReadExactly(length, request.body, kNoDeadline);
}

HttpResponse FakeHttpServer::Dispatch(const HttpRequest& request)
{
    Handler handler;
    {
        std::lock_guard<std::mutex> guard(m_lock);
        handler = m_fallback;
        for (auto route = m_routes.rbegin(); route != m_routes.rend(); ++route) {
            if ((route->method == "*" || route->method == request.method) &&
                PathMatches(route->path, request.path)) {
                handler = route->handler;
                break;
            }
        }
    }
    return handler(request);
}

void FakeHttpServer::Answer(FakeConnection& connection, const HttpResponse& response)
{
    switch (response.action) {
    case HttpResponse::Action::Respond:
        connection.Send(response.Serialize());
        connection.Close();
        break;
    case HttpResponse::Action::Raw:
        connection.Send(response.raw);
        connection.Close();
        break;
    case HttpResponse::Action::Stall:
        if (!response.raw.empty())
            connection.Send(response.raw);
        // Held open until the client gives up or the server stops.
        connection.WaitForPeerClose(kNoDeadline);
        break;
    case HttpResponse::Action::Drop:
        if (!response.raw.empty())
            connection.Send(response.raw);
        connection.Reset();
        break;
    }
}

}  // namespace tolvan::test
