// The process-wide map of the logged-in user's server sessions, keyed by the connection type
// digit, "_" and the server name ("1_<name>" quotes, "2_<name>" depth, "3_TRADE", "4_QUERY",
// "5_PROXYTRADE", "6_PROXYQUERY"). Every operation holds the registry's mutex throughout; a
// session found stays valid until the registry is destroyed, also after a later registration
// under its key has replaced it.
#pragma once
#include <afx.h>
#include <afxmt.h>
#include <map>
#include <vector>

#include "ServerSession.h"

class CSessionData;

class CConnectionRegistry
{
public:
    CConnectionRegistry();
    // Closes and frees every session.
    ~CConnectionRegistry();
    CConnectionRegistry(const CConnectionRegistry&) = delete;
    CConnectionRegistry& operator=(const CConnectionRegistry&) = delete;

    // The session registered under typeDigit + "_" + name, or null.
    CServerSession* Find(const CString& typeDigit, const CString& name);
    CServerSession* GetQuoteSession(const CString& name);
    CServerSession* GetDepthSession(const CString& name);
    CServerSession* GetTradeSession();
    CServerSession* GetQuerySession();
    CServerSession* GetProxyTradeSession();
    CServerSession* GetProxyQuerySession();
    // The session that carries orders and cancels: with a proxy query session the proxy
    // trading session (null when there is none); otherwise the proxy trading session when
    // present, else the trading session.
    CServerSession* GetOrderSession();
    // The trading session while a proxy session (trading or query) exists; null otherwise.
    CServerSession* GetTradeSessionIfProxy();

    // Takes ownership of the session and stores it under its type and name. An older session
    // under the same key is disconnected and taken out of the map, but kept (not freed) until
    // the registry goes: threads may still hold it or its connection.
    void Register(CServerSession* session);
    // One session per server of the session data: quote servers connected, depth servers
    // created unconnected (the main window connects them on demand) and, unless quotesOnly,
    // trading, query, proxy trading and proxy query servers connected. Returns true.
    bool CreateSessions(bool quotesOnly, CSessionData& sessionData);
    bool CreateSessions(bool quotesOnly);
    // Disconnects every session's connection; the sessions stay registered. Returns true.
    bool DisconnectAll();

    size_t GetCount();

    static CString MakeKey(const CString& typeDigit, const CString& name);

private:
    CServerSession* FindLocked(const CString& typeDigit, const CString& name) const;
    void CreateSessionsOfType(int type, bool connect, CSessionData& sessionData);
    void Retire(CServerSession* session);

    std::map<CString, CServerSession*> m_sessions;
    std::vector<CServerSession*> m_replaced;  // disconnected, freed with the registry
    CMutex m_mutex;
};

// The process-wide registry, created on first use and never destroyed.
CConnectionRegistry& GetConnectionRegistry();
