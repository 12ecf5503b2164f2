// A request as FakeHttpServer received it.
#pragma once

#include <string>
#include <utility>
#include <vector>

namespace tolvan::test {

struct HttpRequest {
    std::string method;
    std::string path;    // without the query
    std::string query;   // after '?', undecoded; empty when there is none
    std::string version; // "HTTP/1.1"
    std::vector<std::pair<std::string, std::string>> headers;  // in received order
    std::string body;    // after Content-Length or chunked framing
    size_t connection = 0;  // index of the connection it came on

    // The first header of that name (names compare without case); "" when absent.
    std::string Header(const std::string& name) const;
    bool HasHeader(const std::string& name) const;

    // Parses the request line and header lines of `head` (which ends with the empty line).
    static bool ParseHead(const std::string& head, HttpRequest& request);
};

}  // namespace tolvan::test
