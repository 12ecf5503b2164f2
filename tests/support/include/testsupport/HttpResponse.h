// What a FakeHttpServer route answers: a normal response, or a misbehaving server
// (raw bytes, a stall, a dropped connection).
#pragma once

#include <string>
#include <utility>
#include <vector>

namespace tolvan::test {

struct HttpResponse {
    enum class Action {
        Respond,  // status line, headers, Content-Length, body; then the server closes
        Raw,      // send `raw` as it stands, then close (garbage, truncated answers...)
        Stall,    // send `raw` (may be empty), then neither answer nor close
        Drop,     // send `raw` (may be empty), then reset the connection
    };

    int status = 200;
    std::string reason;  // empty: the usual reason phrase of `status`
    std::vector<std::pair<std::string, std::string>> headers;
    std::string body;
    Action action = Action::Respond;
    std::string raw;

    static HttpResponse Text(int status, const std::string& body,
                             const std::string& contentType = "text/plain");
    static HttpResponse RawBytes(const std::string& bytes);
    static HttpResponse Stalled(const std::string& sentFirst = std::string());
    static HttpResponse Dropped(const std::string& sentFirst = std::string());

    // The bytes of a Respond answer: Content-Length and "Connection: close" are added
    // unless the headers already have them.
    std::string Serialize() const;
    static const char* ReasonPhrase(int status);
};

}  // namespace tolvan::test
