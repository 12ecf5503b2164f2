#include "TimeProtocolClient.h"
#include "ServerTimeText.h"

#include <winsock2.h>

CTimeProtocolClient::CTimeProtocolClient(const std::vector<TimeServerAddress>& servers)
    : m_servers(servers)
{
}

bool CTimeProtocolClient::QueryTimeProtocol(CString& strTimeText)
{
    for (const TimeServerAddress& server : m_servers)
    {
        const DWORD nSeconds = AskServer(server);
        if (nSeconds == 0)
            continue;
        const CString strText = CServerTimeText::FromTimeProtocolSeconds(nSeconds);
        __time64_t nUtc = 0;
        if (CServerTimeText::ToUtc(strText, nUtc))
        {
            strTimeText = strText;
            return true;
        }
    }
    return false;
}

DWORD CTimeProtocolClient::AskServer(const TimeServerAddress& server)
{
    const hostent* pHost = ::gethostbyname(server.strHost);
    if (pHost == nullptr || pHost->h_addrtype != AF_INET || pHost->h_addr_list[0] == nullptr)
        return 0;

    sockaddr_in address = {};
    address.sin_family = AF_INET;
    address.sin_port = ::htons(server.nPort);
    memcpy(&address.sin_addr, pHost->h_addr_list[0], sizeof(address.sin_addr));

    SOCKET s = ::socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    if (s == INVALID_SOCKET)
        return 0;

    DWORD nTimeout = kReceiveTimeoutMs;
    ::setsockopt(s, SOL_SOCKET, SO_RCVTIMEO, reinterpret_cast<const char*>(&nTimeout), sizeof(nTimeout));

    // The four bytes may arrive in more than one segment: read until all are there, the
    // server closes, or the receive times out. A shorter answer is no answer.
    unsigned char bytes[4] = {0};
    int nReceived = 0;
    if (::connect(s, reinterpret_cast<const sockaddr*>(&address), sizeof(address)) == 0)
    {
        while (nReceived < 4)
        {
            const int n = ::recv(s, reinterpret_cast<char*>(bytes) + nReceived, 4 - nReceived, 0);
            if (n <= 0)
                break;
            nReceived += n;
        }
    }
    ::closesocket(s);

    if (nReceived < 4)
        return 0;
    return (static_cast<DWORD>(bytes[0]) << 24) | (static_cast<DWORD>(bytes[1]) << 16)
           | (static_cast<DWORD>(bytes[2]) << 8) | static_cast<DWORD>(bytes[3]);
}
