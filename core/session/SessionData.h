// The logged-in user: login identity, the fields of the accepted login reply and the user's
// six server lists, one per connection type. Written during the first login (before any
// connection exists) and read by every connection, the main window and the start-up threads.
#pragma once
#include <afx.h>
#include <afxmt.h>
#include <vector>

#include "ServerRecord.h"

class CSessionData
{
public:
    enum { kServerTypeCount = 6 };
    // Most entries a login reply's server list may hold, all types together.
    enum { kMaxServers = 1000 };

    // ParseLoginResult results.
    enum
    {
        kLoginAccepted = 1,
        kLoginRefused = -2,
        kLoginBadReply = -4,
    };

    CSessionData();
    ~CSessionData();

    // The current password (kept in plain), under the lock.
    void SetPassword(const CString& password);
    CString GetPassword();

    // The first server of type typeText ("1" to "5"; "6" and anything else give null) whose
    // name is exactly `name`, under the lock. The record stays owned by the session data.
    ServerRecord* FindServer(const CString& typeText, const CString& name);

    // Takes the reply to "login@uName:" apart. 1 accepted (fields and server lists filled);
    // -2 refused ("loginresult@status:-1"); -4 for a server entry whose type is not 1 to 6 or
    // whose port is not 1 to 65535, for a server list of more than kMaxServers entries, for a
    // reply without any server, and for a reply that carries neither status. The server lists
    // are emptied first in every case. A placed server's type text is its digit alone.
    int ParseLoginResult(const CString& reply, CString& errorText);

    // The list of connection type 1 to 6 (empty list for other types).
    const std::vector<ServerRecord*>& GetServers(int type) const;

    CString m_strUserName;
    CString m_strCode;          // "#code:"
    CString m_strMark;          // "#mark:"
    CString m_strLoginRange;    // key of the login server's address, given at login
    CString m_strNickName;      // "#nikename:"
    CString m_strServerListText; // "#markserver:"
    CString m_strTradeMark;     // "#trademark:"
    CString m_strReplyLoginRange; // "#loginrange:"
    int m_nServerCount[kServerTypeCount]; // list sizes after the last parse, types 1 to 6
    // Server-list mode (server kind): -1 not chosen yet, 0 simulated, 1 real.
    int m_nAccountMode;

private:
    CSessionData(const CSessionData&) = delete;
    CSessionData& operator=(const CSessionData&) = delete;

    void ClearServers();
    bool UpdateServerCounts(); // true when any list holds a server
    void StoreReplyField(const CString& field);

    CString m_strPassword;
    std::vector<ServerRecord*> m_vecServers[kServerTypeCount];
    CMutex m_mutex;
};

// The process-wide session data, created on first use.
CSessionData& GetSessionData();
