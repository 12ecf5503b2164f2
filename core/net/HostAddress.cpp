#include "HostAddress.h"

#include <ws2tcpip.h>

namespace {

bool IsLoopback(ULONG hostOrder)
{
    return (hostOrder >> 24) == 127;
}

bool IsPrivate(ULONG hostOrder)
{
    return (hostOrder >> 24) == 10 || (hostOrder & 0xFFF00000UL) == 0xAC100000UL ||
           (hostOrder & 0xFFFF0000UL) == 0xC0A80000UL;
}

} // namespace

bool ChoosePreferredAddress(const std::vector<in_addr>& candidates, in_addr& chosen)
{
    if (candidates.empty())
        return false;
    const in_addr* firstPrivate = NULL;
    for (const in_addr& candidate : candidates)
    {
        const ULONG hostOrder = ntohl(candidate.s_addr);
        if (IsLoopback(hostOrder))
        {
            chosen = candidate;
            return true;
        }
        if (firstPrivate == NULL && IsPrivate(hostOrder))
            firstPrivate = &candidate;
    }
    chosen = firstPrivate != NULL ? *firstPrivate : candidates.front();
    return true;
}

bool ResolveServerAddress(LPCSTR host, in_addr& address)
{
    if (host == NULL || *host == '\0')
        return false;
    const ULONG dotted = inet_addr(host);
    if (dotted != INADDR_NONE)
    {
        address.s_addr = dotted;
        return true;
    }

    addrinfo hints = {};
    hints.ai_family = AF_INET;
    hints.ai_socktype = SOCK_STREAM;
    hints.ai_protocol = IPPROTO_TCP;
    hints.ai_flags = AI_ALL;
    addrinfo* results = NULL;
    if (getaddrinfo(host, NULL, &hints, &results) != 0)
        return false;
    std::vector<in_addr> candidates;
    for (const addrinfo* entry = results; entry != NULL; entry = entry->ai_next)
        if (entry->ai_family == AF_INET && entry->ai_addr != NULL)
            candidates.push_back(reinterpret_cast<const sockaddr_in*>(entry->ai_addr)->sin_addr);
    freeaddrinfo(results);
    return ChoosePreferredAddress(candidates, address);
}

bool ParsePortText(LPCSTR text, USHORT& port)
{
    if (text == NULL || *text == '\0')
        return false;
    unsigned long value = 0;
    for (const char* p = text; *p != '\0'; ++p)
    {
        if (*p < '0' || *p > '9')
            return false;
        value = value * 10 + (unsigned long)(*p - '0');
        if (value > 65535)
            return false;
    }
    if (value == 0)
        return false;
    port = (USHORT)value;
    return true;
}
