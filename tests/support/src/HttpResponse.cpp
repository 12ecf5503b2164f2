#include "testsupport/HttpResponse.h"

#include <cctype>

namespace tolvan::test {

namespace {

bool HasHeaderNamed(const std::vector<std::pair<std::string, std::string>>& headers,
                    const char* name)
{
    for (const auto& header : headers) {
        const std::string& have = header.first;
        size_t i = 0;
        while (i < have.size() && name[i] != '\0' &&
               std::tolower(static_cast<unsigned char>(have[i])) ==
                   std::tolower(static_cast<unsigned char>(name[i])))
            ++i;
        if (i == have.size() && name[i] == '\0')
            return true;
    }
    return false;
}

}  // namespace

HttpResponse HttpResponse::Text(int status, const std::string& body, const std::string& contentType)
{
    HttpResponse response;
    response.status = status;
    response.body = body;
    response.headers.emplace_back("Content-Type", contentType);
    return response;
}

HttpResponse HttpResponse::RawBytes(const std::string& bytes)
{
    HttpResponse response;
    response.action = Action::Raw;
    response.raw = bytes;
    return response;
}

HttpResponse HttpResponse::Stalled(const std::string& sentFirst)
{
    HttpResponse response;
    response.action = Action::Stall;
    response.raw = sentFirst;
    return response;
}

HttpResponse HttpResponse::Dropped(const std::string& sentFirst)
{
    HttpResponse response;
    response.action = Action::Drop;
    response.raw = sentFirst;
    return response;
}

const char* HttpResponse::ReasonPhrase(int status)
{
    switch (status) {
    case 100: return "Continue";
    case 200: return "OK";
    case 201: return "Created";
    case 204: return "No Content";
    case 301: return "Moved Permanently";
    case 302: return "Found";
    case 304: return "Not Modified";
    case 400: return "Bad Request";
    case 401: return "Unauthorized";
    case 403: return "Forbidden";
    case 404: return "Not Found";
    case 405: return "Method Not Allowed";
    case 500: return "Internal Server Error";
    case 502: return "Bad Gateway";
    case 503: return "Service Unavailable";
    default: return "Unknown";
    }
}

std::string HttpResponse::Serialize() const
{
    std::string text = "HTTP/1.1 " + std::to_string(status) + " " +
                       (reason.empty() ? std::string(ReasonPhrase(status)) : reason) + "\r\n";
    for (const auto& header : headers)
        text += header.first + ": " + header.second + "\r\n";
    if (!HasHeaderNamed(headers, "Content-Length") && !HasHeaderNamed(headers, "Transfer-Encoding"))
        text += "Content-Length: " + std::to_string(body.size()) + "\r\n";
    if (!HasHeaderNamed(headers, "Connection"))
        text += "Connection: close\r\n";
    text += "\r\n";
    text += body;
    return text;
}

}  // namespace tolvan::test
