// Asks RFC 868 time servers over TCP: the server sends four bytes, the seconds since
// 1900-01-01 00:00 UTC in network byte order, and closes. The servers are tried in order;
// the first that answers ends the search. Winsock must be started by the caller.
#pragma once
#include "HoravaneConfig.h"

class CTimeProtocolClient
{
public:
    static const DWORD kReceiveTimeoutMs = 3000;

    explicit CTimeProtocolClient(const std::vector<TimeServerAddress>& servers);

    // The server time as a text (CServerTimeText::FromTimeProtocolSeconds); false when no
    // server answered. A server whose answer names no plausible date (CServerTimeText::ToUtc)
    // counts as silent and the next one is asked.
    bool QueryTimeProtocol(CString& strTimeText);
    // Asks one server; the seconds it sent, 0 when it gave no answer (unknown host, no
    // connection, fewer than four bytes, or the value 0).
    static DWORD AskServer(const TimeServerAddress& server);

private:
    std::vector<TimeServerAddress> m_servers;
};
