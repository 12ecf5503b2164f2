#include "testsupport/HttpRequest.h"

#include <cctype>

namespace tolvan::test {

namespace {

bool SameName(const std::string& a, const std::string& b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(a[i])) !=
            std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    }
    return true;
}

std::string TrimSpaces(const std::string& text)
{
    const size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos)
        return std::string();
    const size_t last = text.find_last_not_of(" \t");
    return text.substr(first, last - first + 1);
}

bool IsToken(const std::string& text)
{
    if (text.empty())
        return false;
    for (unsigned char c : text) {
        if (c <= ' ' || c >= 0x7F || c == ':')
            return false;
    }
    return true;
}

}  // namespace

std::string HttpRequest::Header(const std::string& name) const
{
    for (const auto& header : headers) {
        if (SameName(header.first, name))
            return header.second;
    }
    return std::string();
}

bool HttpRequest::HasHeader(const std::string& name) const
{
    for (const auto& header : headers) {
        if (SameName(header.first, name))
            return true;
    }
    return false;
}

bool HttpRequest::ParseHead(const std::string& head, HttpRequest& request)
{
    size_t lineEnd = head.find("\r\n");
    if (lineEnd == std::string::npos)
        return false;
    const std::string requestLine = head.substr(0, lineEnd);
    const size_t firstSpace = requestLine.find(' ');
    const size_t lastSpace = requestLine.rfind(' ');
    if (firstSpace == std::string::npos || lastSpace == firstSpace)
        return false;
    request.method = requestLine.substr(0, firstSpace);
    const std::string target = requestLine.substr(firstSpace + 1, lastSpace - firstSpace - 1);
    request.version = requestLine.substr(lastSpace + 1);
    if (!IsToken(request.method) || target.empty() || target.find(' ') != std::string::npos ||
        request.version.compare(0, 5, "HTTP/") != 0)
        return false;
    const size_t question = target.find('?');
    request.path = target.substr(0, question);
    request.query = question == std::string::npos ? std::string() : target.substr(question + 1);

    request.headers.clear();
    size_t lineStart = lineEnd + 2;
    while ((lineEnd = head.find("\r\n", lineStart)) != std::string::npos && lineEnd > lineStart) {
        const std::string line = head.substr(lineStart, lineEnd - lineStart);
        const size_t colon = line.find(':');
        if (colon == std::string::npos || !IsToken(line.substr(0, colon)))
            return false;
        request.headers.emplace_back(line.substr(0, colon), TrimSpaces(line.substr(colon + 1)));
        lineStart = lineEnd + 2;
    }
    return true;
}

}  // namespace tolvan::test
